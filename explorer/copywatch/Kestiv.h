// The copy hook: the shell calls it before every folder copy, move, rename
// or delete. It never blocks the operation; it only tells the launch bar in
// which folder the operation's destination lies.
#pragma once
#include "explorer/com/ComKit.h"

namespace kestiv {

// {29F97553-FBD6-11D1-AFC1-00A024D1875C}
extern const CLSID CLSID_Kestiv;

// The bar's window class and its notification message: wParam a global atom
// naming a folder, lParam -1.
extern const char kBarWindowClass[];
const UINT WM_HOOKNOTIFY = WM_USER + 66;

// How long a notice may hold up the shell's file operation when the bar
// does not answer.
const UINT kNoticeTimeoutMs = 3000;

class TKestiv : public comkit::TComObject<ICopyHookA> {
public:
    STDMETHODIMP_(UINT) CopyCallback(HWND hwnd, UINT wFunc, UINT wFlags, PCSTR pszSrcFile, DWORD dwSrcAttribs,
                                     PCSTR pszDestFile, DWORD dwDestAttribs) override;
};

class TKestivFactory : public comkit::TComObjectFactory {
public:
    TKestivFactory();
    void UpdateRegistry(bool Register) override;
};

}  // namespace kestiv
