#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/support/TestSupport.h"
#include "main/components/TrayIcon.h"

using namespace components;

namespace {

struct ShellCall {
    DWORD message;
    DWORD size;
    HWND window;
    UINT id, flags, callback;
    HICON icon;
    std::string tip;
};
std::vector<ShellCall> calls;

BOOL WINAPI RecordShellCall(DWORD message, PNOTIFYICONDATAA d) {
    calls.push_back({message, d->cbSize, d->hWnd, d->uID, d->uFlags, d->uCallbackMessage, d->hIcon, d->szTip});
    return TRUE;
}

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        previous_ = SetShellNotifyIcon(RecordShellCall);
    }
    void TearDown() override { SetShellNotifyIcon(previous_); }
    ShellNotifyIconFn previous_ = nullptr;
};

int CountOf(DWORD message) {
    int n = 0;
    for (const auto& c : calls) n += c.message == message;
    return n;
}

}  // namespace

TEST_F(TrayIconTest, ActivatingTwiceAddsOnceWithTheFirstVersionRecord) {
    {
        TTrayIcon tray(nullptr);
        tray.SetToolTip("Mivora");
        tray.SetActive(true);
        tray.SetActive(true);
        ASSERT_EQ(CountOf(NIM_ADD), 1);
        const ShellCall& add = calls.back();
        EXPECT_EQ(add.size, 88u);
        EXPECT_EQ(add.window, tray.WindowHandle());
        EXPECT_EQ(add.id, 0u);
        EXPECT_EQ(add.flags, 7u);
        EXPECT_EQ(add.callback, 1025u);
        EXPECT_EQ(add.tip, "Mivora");
        tray.SetActive(false);
        EXPECT_EQ(CountOf(NIM_DELETE), 1);
    }
    // Destroying an inactive icon sends nothing more.
    EXPECT_EQ(CountOf(NIM_DELETE), 1);
}

TEST_F(TrayIconTest, DestroyingAnActiveIconRemovesIt) {
    { TTrayIcon tray(nullptr); tray.SetToolTip("x"); tray.SetActive(true); }
    EXPECT_EQ(CountOf(NIM_DELETE), 1);
}

TEST_F(TrayIconTest, ModificationsReachTheShellOnlyWhileActive) {
    TTrayIcon tray(nullptr);
    tray.SetToolTip("before");
    EXPECT_EQ(CountOf(NIM_MODIFY), 0);
    tray.SetActive(true);
    tray.SetToolTip("after");
    ASSERT_EQ(CountOf(NIM_MODIFY), 1);
    EXPECT_EQ(calls.back().tip, "after");
}

TEST_F(TrayIconTest, ToolTipKeepsItsFirst62Characters) {
    TTrayIcon tray(nullptr);
    tray.SetActive(true);
    const std::string seventy(70, 'x');
    tray.SetToolTip(seventy);
    EXPECT_EQ(tray.ToolTip(), std::string(62, 'x'));
    EXPECT_EQ(calls.back().tip, std::string(62, 'x'));
}

TEST_F(TrayIconTest, IconAddedBeforeItsTipIsRefreshedOnceTheLoopRuns) {
    TTrayIcon tray(nullptr);
    tray.SetActive(true);  // empty tip: a refresh is posted
    tray.Icon()->AssignHandle(LoadIconA(nullptr, IDI_APPLICATION));  // filled directly, no setter
    calls.clear();
    ASSERT_TRUE(PumpUntil([] { return CountOf(NIM_MODIFY) > 0; }, 2000));
    EXPECT_EQ(calls.back().icon, tray.Icon()->Handle());
    EXPECT_NE(calls.back().icon, nullptr);
}

TEST_F(TrayIconTest, ShellCallbacksBecomeEvents) {
    TTrayIcon tray(nullptr);
    std::vector<std::string> events;
    int rx = -1, ry = -1;
    tray.OnClick = [&](TObject* s) { events.push_back(s == &tray ? "click" : "click?"); };
    tray.OnDblClick = [&](TObject*) { events.push_back("dbl"); };
    tray.OnRightClick = [&](TObject*, TMouseButton b, TShiftState shift, int x, int y) {
        events.push_back(b == TMouseButton::mbRight && shift == 0 ? "right" : "right?");
        rx = x;
        ry = y;
    };
    SendMessageA(tray.WindowHandle(), 1025, 0, WM_LBUTTONUP);
    SendMessageA(tray.WindowHandle(), 1025, 0, WM_LBUTTONDBLCLK);
    SendMessageA(tray.WindowHandle(), 1025, 0, WM_MOUSEMOVE);
    SendMessageA(tray.WindowHandle(), 1025, 0, WM_RBUTTONDOWN);
    SetCursorPos(40, 30);
    POINT pt;
    GetCursorPos(&pt);
    SendMessageA(tray.WindowHandle(), 1025, 0, WM_RBUTTONUP);
    EXPECT_EQ(events, (std::vector<std::string>{"click", "dbl", "right"}));
    EXPECT_EQ(rx, pt.x);
    EXPECT_EQ(ry, pt.y);
}

namespace {
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}
}  // namespace

TEST_F(TrayIconTest, RightClickShowsTheMenuFirstAndFiresTheEventAfterItClosed) {
    TTrayIcon tray(nullptr);
    TPopupMenu menu(nullptr);
    auto* item = new TMenuItem();
    item->Caption = "Exit";
    menu.Items()->Add(item);
    std::vector<std::string> events;
    menu.OnPopup = [&](TObject*) {
        events.push_back("menu");
        SetTimer(nullptr, 0, 300, CloseMenu);
    };
    tray.PopupMenu = &menu;
    tray.OnRightClick = [&](TObject*, TMouseButton, TShiftState, int, int) { events.push_back("right"); };
    SendMessageA(tray.WindowHandle(), 1025, 0, WM_RBUTTONUP);
    EXPECT_EQ(events, (std::vector<std::string>{"menu", "right"}));
}

TEST(TrayIconShell, RealNotificationAreaAcceptsTheIcon) {
    // Wine's tray exists only with a working display; without one this fails
    // here rather than letting every tray test pass against nothing.
    ASSERT_NE(FindWindowA("Shell_TrayWnd", nullptr), nullptr) << "no notification area: is the display running?";
    TTrayIcon tray(nullptr);
    tray.Icon()->AssignHandle(LoadIconA(nullptr, IDI_APPLICATION));
    tray.SetToolTip("Mivora test");
    NOTIFYICONDATAA d{};
    d.cbSize = TTrayIcon::kRecordSize;
    d.hWnd = tray.WindowHandle();
    d.uFlags = NIF_TIP;
    lstrcpyA(d.szTip, "probe");
    EXPECT_TRUE(Shell_NotifyIconA(NIM_ADD, &d));
    EXPECT_TRUE(Shell_NotifyIconA(NIM_DELETE, &d));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &d));  // already gone
}
