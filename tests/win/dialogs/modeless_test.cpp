// Modeless dialogs: a library's dialog that gets its keys from its caller's
// message loop, and child dialogs as tab pages.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

#include "framework/dialogs/DataExchange.h"
#include "tests/win/dialogs/DialogsTestIds.h"
#include "framework/win32/ModelessDialogs.h"
#include "framework/win32/ScopedHandle.h"
#include "dialogkit/TabPages.h"
#include "tests/win/support/TestSupport.h"

namespace {

using Until = bool (*)(const std::function<bool()>& done, DWORD ms);

// The loop of a program that knows nothing of dialogs but the one call.
bool PlainLoopUntil(const std::function<bool()>& done, DWORD ms) {
    const UINT_PTR tick = SetTimer(nullptr, 0, 20, nullptr);
    const DWORD start = GetTickCount();
    MSG msg;
    while (!done() && GetTickCount() - start < ms && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (RouteToModelessDialog(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    KillTimer(nullptr, tick);
    return done();
}

// A key as the keyboard brings it, then the loop until it has landed.
bool Press(HWND control, WORD key, Until loop, const std::function<bool()>& landed) {
    SetFocus(control);
    PostMessageA(control, WM_KEYDOWN, key, 1);
    return loop(landed, 5000);
}

TEST(ModelessDialog, ALibrarysDialogGetsItsKeysFromItsCallersLoop) {
    const ScopedModule library(LoadLibraryA("dialogs_test_panel.dll"));
    ASSERT_TRUE(library);
    const auto open = reinterpret_cast<HWND(__cdecl*)()>(GetProcAddress(library.Get(), "OpenPanel"));
    const auto alive = reinterpret_cast<int(__cdecl*)()>(GetProcAddress(library.Get(), "PanelsAlive"));
    const auto command = reinterpret_cast<int(__cdecl*)()>(GetProcAddress(library.Get(), "LastCommand"));
    ASSERT_TRUE(open && alive && command);
    // PumpUntil runs the bar's own loop.
    for (Until loop : {PlainLoopUntil, PumpUntil}) {
        HWND panel = open();
        ASSERT_TRUE(panel);
        HWND name = GetDlgItem(panel, IDC_NAME);
        EXPECT_TRUE(Press(name, VK_TAB, loop, [&] { return GetFocus() == GetDlgItem(panel, IDC_OTHER); }));
        // Escape and Enter end it as the buttons do: hidden, ready to be shown again.
        for (const auto& [key, end] : {std::make_pair(VK_ESCAPE, IDCANCEL), std::make_pair(VK_RETURN, IDOK)}) {
            ShowWindow(panel, SW_SHOW);
            EXPECT_TRUE(Press(name, static_cast<WORD>(key), loop, [&] { return !IsWindowVisible(panel); }));
            EXPECT_EQ(command(), end);
        }
        // The close box destroys it, and the dialog deletes itself.
        PostMessageA(panel, WM_CLOSE, 0, 0);
        EXPECT_TRUE(loop([&] { return alive() == 0; }, 5000));
        EXPECT_FALSE(IsWindow(panel));
    }
}

class CHostDlg : public CDialog {
public:
    CHostDlg() : CDialog(IDD_HOST) {
        MapNotify(IDC_TABS, TCN_SELCHANGE, [this](NMHDR*, LRESULT*) { tabs.Show(tabs.GetCurSel()); });
    }
    CDialog first{IDD_PAGE_A}, second{IDD_PAGE_B};
    CTabPages tabs;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        tabs.AddPage(first, "Backup");
        tabs.AddPage(second, "Restore");
        tabs.Select(0);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_TABS, tabs); }
};

TEST(TabPages, OnePageShowsInsideTheTabsAndTheKeysReachIt) {
    CHostDlg host;
    ASSERT_TRUE(host.Create());
    host.ShowWindow(SW_SHOW);
    HWND tabs = host.GetDlgItem(IDC_TABS);
    for (int tab : {1, 0, 1}) {
        // As a click does: the selection moves, then the notice comes.
        TabCtrl_SetCurSel(tabs, tab);
        NMHDR notice{tabs, IDC_TABS, TCN_SELCHANGE};
        SendMessageA(host.Handle(), WM_NOTIFY, IDC_TABS, reinterpret_cast<LPARAM>(&notice));
        EXPECT_EQ(IsWindowVisible(host.first.Handle()) != 0, tab == 0);
        EXPECT_EQ(IsWindowVisible(host.second.Handle()) != 0, tab == 1);
    }
    // Each page below the strip of tabs, the first one too.
    RECT first{}, page{}, outer{};
    GetWindowRect(host.first.Handle(), &first);
    GetWindowRect(host.second.Handle(), &page);
    GetWindowRect(tabs, &outer);
    EXPECT_TRUE(page.left > outer.left && page.top > outer.top && page.right < outer.right && page.bottom < outer.bottom);
    EXPECT_EQ(first.top, page.top);
    HWND field = GetDlgItem(host.second.Handle(), IDC_PAGE_FIELD);
    // Past the last button into the page on show, not the hidden one, and on out of it.
    EXPECT_TRUE(Press(host.GetDlgItem(IDCANCEL), VK_TAB, PumpUntil, [&] { return GetFocus() == field; }));
    EXPECT_TRUE(Press(field, VK_TAB, PumpUntil, [&] { return GetFocus() == host.GetDlgItem(IDOK); }));
    // Enter in a page's field is the OK of the window around it.
    EXPECT_TRUE(Press(field, VK_RETURN, PumpUntil, [&] { return !IsWindowVisible(host.Handle()); }));
}

}  // namespace
