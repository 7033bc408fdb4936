#include "dialogkit/BrowseFolder.h"

#include <commdlg.h>
#include <shlobj.h>

#include "framework/win32/CallGuarded.h"
#include "framework/dialogs/Services.h"

namespace {

void CentreOnScreen(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

int CALLBACK BrowseFolderCallback(HWND window, UINT message, LPARAM, LPARAM data) {
    CallGuarded([&] {
        if (message != BFFM_INITIALIZED || !window) return;
        CentreOnScreen(window);
        if (data == kNoInitialFolder) return;
        LPITEMIDLIST folder = nullptr;
        if (FAILED(SHGetSpecialFolderLocation(window, static_cast<int>(data), &folder)) || !folder) return;
        // The browser is the wide one: select by item list, which needs no text.
        SendMessageW(window, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(folder));
        IMalloc* malloc = nullptr;
        if (SUCCEEDED(SHGetMalloc(&malloc))) {
            malloc->Free(folder);
            malloc->Release();
        }
    });
    return 1;
}

std::optional<std::string> BrowseForFolder(HWND owner, const std::wstring& title, LPARAM initial) {
    return Services().chooseFolder({owner, title, BIF_RETURNONLYFSDIRS, BrowseFolderCallback, initial});
}

std::optional<std::string> ChooseInputFile(HWND owner, const std::wstring& title, const std::wstring& filter) {
    return Services().chooseFile({owner, false, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter, title});
}

std::optional<std::string> ChooseOutputFile(HWND owner, const std::wstring& title, const std::wstring& filter) {
    return Services().chooseFile({owner, true, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, title});
}
