// The folder browser and file dialogs of the tool libraries. The browser's
// callback centres the browser and selects the special folder (a CSIDL
// number) given as its data, or none for kNoInitialFolder.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <optional>
#include <string>

constexpr LPARAM kNoInitialFolder = -1;

int CALLBACK BrowseFolderCallback(HWND window, UINT message, LPARAM parameter, LPARAM data);

// The folder browser with this callback, starting at the special folder
// `initial` (or none); by default titled "Folder Browse" over the desktop, as
// the split and unpack dialogs open it. Nothing when the user cancels.
std::optional<std::string> BrowseForFolder(HWND owner, const std::wstring& title = L"Folder Browse",
                                           LPARAM initial = CSIDL_DESKTOP);

// The file dialog for an existing file to read, and the one for a file to
// write, which asks before an existing file is chosen; read-only boxes
// hidden. Nothing when the user cancels.
std::optional<std::string> ChooseInputFile(HWND owner, const std::wstring& title, const std::wstring& filter);
std::optional<std::string> ChooseOutputFile(HWND owner, const std::wstring& title, const std::wstring& filter);
