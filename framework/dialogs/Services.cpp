#include "framework/dialogs/Services.h"

#include <commdlg.h>
#include <mmsystem.h>
#include <process.h>

#include <vector>

#include "framework/win32/WideText.h"
#include "framework/win32/SystemLibrary.h"

namespace {
// The common dialogs and the sound call are looked up on first use (SystemLibrary.h).
using FileNameFn = BOOL(WINAPI*)(OPENFILENAMEW*);
using SndPlaySoundFn = BOOL(WINAPI*)(LPCSTR, UINT);

std::optional<std::string> ChooseFile(const FileDialogRequest& request) {
    // The filter's "|" separators become the NULs the dialog wants.
    std::wstring filter = request.filter;
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    filter.push_back(L'\0');
    // Large enough for any path the wide dialog can return.
    std::vector<wchar_t> file(32768, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = request.owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    ofn.Flags = request.flags;
    static const auto getSaveFileName = SystemProc<FileNameFn>("comdlg32.dll", "GetSaveFileNameW");
    static const auto getOpenFileName = SystemProc<FileNameFn>("comdlg32.dll", "GetOpenFileNameW");
    const FileNameFn dialog = request.save ? getSaveFileName : getOpenFileName;
    if (!dialog || !dialog(&ofn)) return std::nullopt;
    return AnsiFromWide(file.data());
}

std::optional<std::string> ChooseFolder(const FolderDialogRequest& request) {
    wchar_t display[MAX_PATH] = {};
    BROWSEINFOW info{};
    info.hwndOwner = request.owner;
    info.pszDisplayName = display;
    info.lpszTitle = request.title.c_str();
    info.ulFlags = request.flags;
    info.lpfn = request.callback;
    info.lParam = request.data;
    LPITEMIDLIST chosen = SHBrowseForFolderW(&info);
    if (!chosen) return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListW(chosen, path) != FALSE;
    // The item list belongs to the shell's allocator.
    IMalloc* malloc = nullptr;
    if (SUCCEEDED(SHGetMalloc(&malloc))) {
        malloc->Free(chosen);
        malloc->Release();
    }
    if (!ok) return std::nullopt;
    return AnsiFromWide(path);
}

DialogServices Defaults() {
    DialogServices s;
    s.chooseFile = ChooseFile;
    s.chooseFolder = ChooseFolder;
    s.winHelp = [](HWND owner, const std::string& file, UINT command, ULONG_PTR data) {
        return WinHelpA(owner, file.c_str(), command, data);
    };
    s.playSound = [](const std::string& path, UINT flags) {
        static const auto play = SystemProc<SndPlaySoundFn>("winmm.dll", "sndPlaySoundA");
        return play && play(path.c_str(), flags);
    };
    s.beginThread = [](unsigned(__stdcall * body)(void*), void* parameter) {
        return _beginthreadex(nullptr, 0, body, parameter, 0, nullptr);
    };
    return s;
}

DialogServices& Table() {
    static DialogServices services = Defaults();
    return services;
}

}  // namespace

DialogServices& Services() { return Table(); }

void ResetServices() { Table() = Defaults(); }
