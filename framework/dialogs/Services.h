// What a test cannot drive or observe: the common file dialogs, the shell's
// folder browser, the help system, sounds and a worker thread that fails to
// start. The dialogs reach them only through this table, whose members a
// test replaces; the defaults call the platform.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct FileDialogRequest {
    HWND owner = nullptr;
    bool save = false;
    DWORD flags = 0;
    // Filter pairs separated by "|" and ended by "||", as in "All(*.*)|*.*||".
    std::wstring filter;
    std::wstring title;
};

struct FolderDialogRequest {
    HWND owner = nullptr;
    std::wstring title;
    UINT flags = 0;
    BFFCALLBACK callback = nullptr;
    LPARAM data = 0;
};

struct DialogServices {
    // The chosen path, or nothing when the user cancelled.
    std::function<std::optional<std::string>(const FileDialogRequest&)> chooseFile;
    std::function<std::optional<std::string>(const FolderDialogRequest&)> chooseFolder;
    std::function<BOOL(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data)> winHelp;
    std::function<BOOL(const std::string& path, UINT flags)> playSound;
    // _beginthreadex with default security and stack, started at once.
    std::function<uintptr_t(unsigned(__stdcall* body)(void*), void* parameter)> beginThread;
};

// The table in use; tests assign members and call ResetServices() afterwards.
DialogServices& Services();
void ResetServices();
