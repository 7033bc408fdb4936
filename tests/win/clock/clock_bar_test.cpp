// The clock on the real bar: the bar's one-second tick drives the clock panel
// and moves an open bar menu to the button under the cursor; the bar's
// WM_TIMECHANGE reaches the clock; the alarm mark fits the bar's own panel.
#include <gtest/gtest.h>

#include <memory>

#include "main/bar/core/BarLayout.h"
#include "main/clock/ClockIni.h"
#include "main/clock/core/ClockRules.h"
#include "main/clock/ClockOnBar.h"
#include "tests/win/clock/ClockTestSupport.h"
#include "main/bar/mainfrm.h"

using namespace bar;
using namespace worldclock;

namespace {

const int kBarLeft = 200, kBarTop = 40;

// Left-button presses and releases that reach this thread's windows, kept
// from the windows so that a bar button opens no real menu.
int pressesSeen = 0, releasesSeen = 0;

LRESULT CALLBACK SwallowClicks(int code, WPARAM wp, LPARAM lp) {
    // A message only looked at (HC_NOREMOVE) comes again when it is taken.
    if (code == HC_ACTION) {
        const bool press = wp == WM_LBUTTONDOWN || wp == WM_NCLBUTTONDOWN;
        const bool release = wp == WM_LBUTTONUP || wp == WM_NCLBUTTONUP;
        if (press || release) {
            (press ? pressesSeen : releasesSeen)++;
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

class ClockOnTheBar : public ::testing::Test {
protected:
    void SetUp() override {
        bar_ = std::make_unique<TForm1>(nullptr);
        bar_->SetBounds(kBarLeft, kBarTop, 406, 22);
        // The program's own wiring, and the call the bar makes with it while
        // its window is created.
        AttachClockToBar();
        BarExtensions.BuildZoneMenu(bar_.get());
        bar_->Show();
        PumpFor(50);
        OpenMenuKind = 0;
        OpenMenuButton = -1;
    }
    void TearDown() override {
        BarExtensions = TBarExtensions{};
        OpenMenuKind = 0;
        OpenMenuButton = -1;
        TipHandle = nullptr;
        bar_.reset();
        ClockAlarmLink = TClockAlarmLink{};
    }
    FakeClock clock_{Civil(2026, 12, 9, 5, 42, 7), 345};
    ClockFiles files_;
    std::unique_ptr<TForm1> bar_;
};

TEST_F(ClockOnTheBar, TickShowsTheTimeOfTheChosenPlace) {
    bar_->Timer1Timer(bar_->Timer1);
    EXPECT_EQ(bar_->Qtime->Caption(), "11:27:07");
    EXPECT_EQ(bar_->Qtime->Hint(),
              ClockHintText("Local Time", LocaleShortDayName(2026, 12, 9), 2026, 12, 9));
    clock_.Utc = Civil(2026, 12, 31, 23, 30, 59);
    bar_->Timer1Timer(bar_->Timer1);
    EXPECT_EQ(bar_->Qtime->Caption(), "05:15:59");
    EXPECT_EQ(ZoneYear, 2027);
}

TEST_F(ClockOnTheBar, TimeChangeNoticeToTheBarReachesTheClock) {
    bar_->Timer1Timer(bar_->Timer1);
    ASSERT_EQ(ClockOffset, 345);
    clock_.LocalOffset = -210;
    SendMessageA(bar_->Handle(), WM_TIMECHANGE, 0, 0);
    EXPECT_EQ(ClockOffset, -210);
}

TEST_F(ClockOnTheBar, AlarmMarkFitsBesideTheTime) {
    ClockAlarmLink.AlarmsExist = [] { return true; };
    for (const CivilTime& t : {Civil(2026, 12, 9, 2, 18, 48), Civil(2026, 12, 9, 18, 28, 8)}) {
        clock_.Utc = t;
        bar_->Timer1Timer(bar_->Timer1);
        SCOPED_TRACE(bar_->Qtime->Caption());
        const PanelInk ink = AlarmMarkAndTime(ClockPanel, bar_->Qtime, "bar-panel");
        ASSERT_FALSE(IsRectEmpty(&ink.Text));
        ASSERT_FALSE(IsRectEmpty(&ink.Mark));
        EXPECT_FALSE(ink.Overlap()) << "time " << ink.Text.left << ".." << ink.Text.right << ", mark "
                                    << ink.Mark.left << ".." << ink.Mark.right;
    }
    KeepSnapshot(SnapWindow(bar_->Handle()), "bar");
}

// While a bar menu is open, resting on another button of the row opens that
// button's menu by a click at the cursor; nothing else does.
TEST_F(ClockOnTheBar, TickMovesAnOpenMenuToTheButtonUnderTheCursor) {
    HWND tip = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "tip", WS_POPUP, 600, 300, 60, 20, nullptr, nullptr,
                               nullptr, nullptr);
    TipHandle = tip;
    const int h = bar_->ClientHeight();
    auto place = [h](int p) { return POINT{kBarLeft + kGripWidth + p * h + h / 2, kBarTop + h / 2}; };
    struct Case {
        const char* what;
        int openMenuKind;
        int openMenuButton;
        POINT cursor;
        int clicks;
        bool tipHidden;
    } cases[] = {
        {"no menu open", 0, 2, place(3), 0, true},
        {"another button of the row", 1, 2, place(3), 1, false},
        {"the button whose menu is open", 1, 3, place(3), 0, false},
        {"the first button", 9, 2, place(0), 1, false},
        {"the last button of the row", 1, 2, place(12), 1, false},
        {"the browser button", 1, 2, place(13), 0, false},
        {"the grip", 1, 2, POINT{kBarLeft + 5, kBarTop + 5}, 0, false},
        {"the grip's right edge", 1, 2, POINT{kBarLeft + kGripWidth - 1, kBarTop + 5}, 0, false},
        {"below the bar", 1, 2, POINT{kBarLeft + 100, kBarTop + 200}, 0, false},
        {"the info tip", 1, 2, POINT{620, 310}, 0, true},
    };
    POINT before{};
    GetCursorPos(&before);
    HHOOK hook = SetWindowsHookExA(WH_MOUSE, SwallowClicks, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ShowWindow(tip, SW_SHOWNOACTIVATE);
        SetCursorPos(c.cursor.x, c.cursor.y);
        PumpUntil(
            [&] {
                POINT at{};
                GetCursorPos(&at);
                return at.x == c.cursor.x && at.y == c.cursor.y;
            },
            2000);
        PumpFor(50);
        pressesSeen = releasesSeen = 0;
        OpenMenuKind = c.openMenuKind;
        OpenMenuButton = c.openMenuButton;
        bar_->Timer1Timer(bar_->Timer1);
        PumpUntil([&] { return releasesSeen >= c.clicks && pressesSeen >= c.clicks; }, 1000);
        PumpFor(100);
        EXPECT_EQ(pressesSeen, c.clicks);
        EXPECT_EQ(releasesSeen, c.clicks);
        EXPECT_EQ(!IsWindowVisible(tip), c.tipHidden);
        EXPECT_EQ(OpenMenuKind, c.openMenuKind) << "the tick leaves the menu state to the menus";
    }
    UnhookWindowsHookEx(hook);
    DestroyWindow(tip);
    // The pointer is the display's: later tests find it where it was.
    SetCursorPos(before.x, before.y);
}

}  // namespace
