// The bar's own dialogs in the real program: the options that survive a
// restart, the system report with this machine's facts, and the about box.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/win/bar/BarFixture.h"
#include "tests/win/support/MenuDriver.h"

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct WantedChild {
    const char *cls, *text;
    int nth;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND w, LPARAM lp) {
    auto* want = reinterpret_cast<WantedChild*>(lp);
    char cls[64] = {}, text[128] = {};
    GetClassNameA(w, cls, sizeof cls);
    GetWindowTextA(w, text, sizeof text);
    if (lstrcmpiA(cls, want->cls) != 0 || (want->text && lstrcmpA(text, want->text) != 0)) return TRUE;
    if (want->nth-- > 0) return TRUE;
    want->found = w;
    return FALSE;
}

// The descendant window of a class (and text, when given), in creation order.
HWND Descendant(HWND parent, const char* cls, const char* text = nullptr, int nth = 0) {
    WantedChild want{cls, text, nth, nullptr};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&want));
    return want.found;
}

std::string TextOf(HWND w) {
    std::string text(static_cast<size_t>(SendMessageA(w, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    text.resize(static_cast<size_t>(SendMessageA(w, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]))));
    return text;
}

class DialogTest : public BarTest {
protected:
    // Opens a bar menu by `control` and picks an item with the arrow keys.
    void Choose(HWND control, UINT key, int presses) {
        bar_->Click(control);
        HWND menu = WaitForMenu();
        ASSERT_NE(menu, nullptr);
        for (int i = 0; i < presses; ++i) {
            PostMessageA(menu, WM_KEYDOWN, key, 0);
            PumpFor(50);
        }
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    }
    // The tray menu opens on the grip's picture: Hide, Option, Help, About, Exit.
    void ChooseTrayItem(int downs) { Choose(bar_->Children("TImage").at(0), VK_DOWN, downs); }
    HWND WaitWindow(const char* caption) {
        HWND w = nullptr;
        WaitFor([&] { return (w = FindWindowA(nullptr, caption)) != nullptr && IsWindowVisible(w); }, 8000);
        return w;
    }
    static bool Checked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    SavedRegValue run_{HKEY_LOCAL_MACHINE, kRunKey, "Mivora"};
};

TEST_F(DialogTest, OptionsChangedInTheDialogSurviveARestart) {
    WriteIni("[ToolBar]\r\nTexture=4\r\n");
    ASSERT_TRUE(bar_->Start());
    ChooseTrayItem(2);
    HWND dialog = WaitWindow("Options");
    ASSERT_NE(dialog, nullptr);
    SendMessageA(Descendant(dialog, "BUTTON", "Simple color:"), BM_CLICK, 0, 0);
    SendMessageA(Descendant(dialog, "BUTTON", "Run on start up"), BM_CLICK, 0, 0);
    SendMessageA(Descendant(dialog, "EDIT", nullptr, 0), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("20"));
    PostMessageA(Descendant(dialog, "BUTTON", "OK"), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }, 5000));
    EXPECT_EQ(bar_->Ini("ToolBar", "BackUseImage"), "0");
    EXPECT_EQ(bar_->Ini("ToolBar", "Texture"), "4");
    EXPECT_EQ(bar_->Ini("Quick App", "MaxRecentApps"), "20");
    EXPECT_NE(GetRegString(HKEY_LOCAL_MACHINE, kRunKey, "Mivora").find("Mivora.exe"), std::string::npos);
    EXPECT_EQ(bar_->Close(), 0u);

    ASSERT_TRUE(bar_->Start());
    ChooseTrayItem(2);
    dialog = WaitWindow("Options");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(Checked(Descendant(dialog, "BUTTON", "Simple color:")));
    EXPECT_FALSE(Checked(Descendant(dialog, "BUTTON", "Texture image:")));
    EXPECT_TRUE(Checked(Descendant(dialog, "BUTTON", "Run on start up")));
    EXPECT_EQ(TextOf(Descendant(dialog, "EDIT", nullptr, 0)), "20");
    EXPECT_EQ(TextOf(Descendant(dialog, "COMBOBOX")), "Wood");
    PostMessageA(Descendant(dialog, "BUTTON", "Cancel"), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }, 5000));
    EXPECT_EQ(bar_->Close(), 0u);
}

TEST_F(DialogTest, TheSystemReportShowsThisMachinesFacts) {
    ASSERT_TRUE(bar_->Start());
    Choose(bar_->ButtonAt(144), VK_UP, 1);  // the doctor's last item, "System info..."
    HWND dialog = WaitWindow("System infomation");
    ASSERT_NE(dialog, nullptr);
    const std::string report = TextOf(Descendant(dialog, "EDIT"));
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof computer;
    GetComputerNameA(computer, &size);
    ULARGE_INTEGER avail{}, total{}, free{};
    GetDiskFreeSpaceExA("C:\\", &avail, &total, &free);
    HDC screen = GetDC(nullptr);
    const std::string resolution =
        std::to_string(GetDeviceCaps(screen, HORZRES)) + "x" + std::to_string(GetDeviceCaps(screen, VERTRES));
    const std::string depth = std::to_string(GetDeviceCaps(screen, BITSPIXEL));
    ReleaseDC(nullptr, screen);
    for (const std::string& line : {
             "Network computer name:   " + std::string(computer),
             "Drive C:                 " + std::to_string(total.QuadPart / 1048576) + " MB",
             "Screen resolution:       " + resolution,
             "Bits per pixel:          " + depth,
         })
        EXPECT_NE(report.find(line + "\r\n"), std::string::npos) << line << "\n" << report;
    EXPECT_EQ(report.find("Midi device:"), std::string::npos) << "no MIDI output here";
    EXPECT_EQ(report.find("Drive D:"), std::string::npos) << "no drive D here";
    PostMessageA(Descendant(dialog, "BUTTON", "OK"), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }, 5000));
    EXPECT_EQ(bar_->Close(), 0u);
}

TEST_F(DialogTest, TheAboutBoxHasNoCaptionAndAClickClosesIt) {
    ASSERT_TRUE(bar_->Start());
    ChooseTrayItem(4);
    HWND box = WaitWindow("About Mivora");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindowLongA(box, GWL_STYLE) & WS_CAPTION, 0);
    RECT window{}, client{};
    GetWindowRect(box, &window);
    GetClientRect(box, &client);
    // Laid out in 340 by 128, with no band left where the caption was.
    EXPECT_EQ(client.right, 340);
    EXPECT_EQ(client.bottom, 128);
    EXPECT_EQ(window.bottom - window.top - client.bottom, window.right - window.left - client.right);
    EXPECT_NE(Descendant(box, "TLabel", "Mivora 1.0"), nullptr);
    bar_->Click(box);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(box); }, 5000));
    EXPECT_EQ(bar_->Close(), 0u);
}

}  // namespace
