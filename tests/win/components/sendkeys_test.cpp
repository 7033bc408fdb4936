#include <gtest/gtest.h>

#include <string>

#include "tests/win/support/TestSupport.h"
#include "main/components/sndkey32.h"

using namespace components;

namespace {

// A focused edit control in a top-level window of this thread.
class EditWindow {
public:
    EditWindow() {
        frame_ = CreateWindowExA(0, "STATIC", "keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 100, nullptr,
                                 nullptr, nullptr, nullptr);
        edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 5, 5, 250, 24, frame_, nullptr,
                                nullptr, nullptr);
        SetForegroundWindow(frame_);
        SetFocus(edit_);
        PumpFor(200);
    }
    ~EditWindow() { DestroyWindow(frame_); }
    std::string Text() const {
        char buf[256] = {};
        GetWindowTextA(edit_, buf, sizeof buf);
        return buf;
    }
    HWND edit_ = nullptr, frame_ = nullptr;
};

}  // namespace

TEST(SendKeys, ScriptTypesIntoTheFocusedWindowWithShiftAndCursorKeys) {
    EditWindow w;
    ASSERT_EQ(GetFocus(), w.edit_) << "the test window did not get the focus";
    EXPECT_TRUE(SendKeys("ab+c{LEFT}d", true));
    PumpUntil([&] { return w.Text().size() >= 4; }, 2000);
    EXPECT_EQ(w.Text(), "abdC");
    // No modifier is left down for the user.
    EXPECT_EQ(GetAsyncKeyState(VK_SHIFT) & 0x8000, 0);
}

TEST(SendKeys, NullAndEmptyScriptsSendNothing) {
    EXPECT_FALSE(SendKeys(nullptr, false));
    EXPECT_FALSE(SendKeys("", false));
}
