#include "framework/forms/Dialogs.h"

#include <windows.h>
#include <cderr.h>
#include <commdlg.h>

#include <vector>

#include "framework/win32/SystemLibrary.h"

namespace {
// The common dialogs are looked up when first shown (SystemLibrary.h).
using GetOpenFileNameFn = BOOL(WINAPI*)(OPENFILENAMEA*);
using CommDlgExtendedErrorFn = DWORD(WINAPI*)();
using ChooseColorFn = BOOL(WINAPI*)(CHOOSECOLORA*);

// Relabels the OK button once the explorer-style dialog (the hook dialog's parent) stands.
UINT_PTR CALLBACK RelabelHook(HWND hdlg, UINT msg, WPARAM, LPARAM lp) {
    if (msg == WM_INITDIALOG) SetWindowLongPtrA(hdlg, GWLP_USERDATA, reinterpret_cast<const OPENFILENAMEA*>(lp)->lCustData);
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lp)->code == CDN_INITDONE) {
        const auto* caption = reinterpret_cast<const char*>(GetWindowLongPtrA(hdlg, GWLP_USERDATA));
        if (caption) SetDlgItemTextA(GetParent(hdlg), IDOK, caption);
    }
    return 0;
}

TOpenDialogHook& OpenHook() {
    static TOpenDialogHook hook;
    return hook;
}

TColorDialogHook& ColorHook() {
    static TColorDialogHook hook;
    return hook;
}
}  // namespace

TOpenDialogHook SetOpenDialogHook(TOpenDialogHook hook) {
    TOpenDialogHook previous = std::move(OpenHook());
    OpenHook() = std::move(hook);
    return previous;
}

bool TOpenDialog::Execute() {
    if (OpenHook()) {
        TOpenDialogHook hook = OpenHook();
        return hook(*this);
    }
    // The system wants the pairs apart by NULs and two NULs at the end.
    std::string filter = Filter;
    for (char& c : filter)
        if (c == '|') c = '\0';
    filter.append(2, '\0');
    std::vector<char> name(FileName.begin(), FileName.end());
    name.resize(name.size() + 1024, '\0');
    for (;;) {
        OPENFILENAMEA ofn{};
        // The record of the first systems: Windows 95 and NT 4 refuse the longer one.
        ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
        ofn.hwndOwner = GetActiveWindow();
        ofn.lpstrFilter = filter.c_str();
        ofn.lpstrFile = name.data();
        ofn.nMaxFile = static_cast<DWORD>(name.size());
        ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
        ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST;
        if (!Title.empty()) ofn.lpstrTitle = Title.c_str();
        if (!OkCaption.empty()) {
            ofn.Flags |= OFN_ENABLEHOOK;
            ofn.lpfnHook = RelabelHook;
            ofn.lCustData = reinterpret_cast<LPARAM>(OkCaption.c_str());
        }
        if (Options & ofHideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
        if (Options & ofFileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
        if (Options & ofNoNetworkButton) ofn.Flags |= OFN_NONETWORKBUTTON;
        static const auto getOpenFileName = SystemProc<GetOpenFileNameFn>("comdlg32.dll", "GetOpenFileNameA");
        static const auto extendedError = SystemProc<CommDlgExtendedErrorFn>("comdlg32.dll", "CommDlgExtendedError");
        if (!getOpenFileName || !extendedError) return false;
        if (getOpenFileName(&ofn)) {
            FileName = name.data();
            return true;
        }
        // A name longer than the room given: the first bytes say how much it needs.
        if (extendedError() != FNERR_BUFFERTOOSMALL) return false;
        const auto needed = static_cast<unsigned char>(name[0]) | (static_cast<unsigned char>(name[1]) << 8);
        name.assign(static_cast<size_t>(needed) + name.size(), '\0');
        name.insert(name.begin(), FileName.begin(), FileName.end());
    }
}

TColorDialogHook SetColorDialogHook(TColorDialogHook hook) {
    TColorDialogHook previous = std::move(ColorHook());
    ColorHook() = std::move(hook);
    return previous;
}

bool TColorDialog::Execute() {
    if (ColorHook()) {
        TColorDialogHook hook = ColorHook();
        return hook(*this);
    }
    static COLORREF custom[16] = {};
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = GetActiveWindow();
    cc.rgbResult = ColorToRGB(Color);
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT;
    static const auto chooseColor = SystemProc<ChooseColorFn>("comdlg32.dll", "ChooseColorA");
    if (!chooseColor || !chooseColor(&cc)) return false;
    Color = cc.rgbResult;
    return true;
}
