// The real bar's launch buttons, with the test prefix's web and mail handlers
// pointed at the probe program (never at a browser), and the quick-folder
// button's options menu.
#include <gtest/gtest.h>

#include "tests/win/bar/BarFixture.h"

namespace {

class LaunchTest : public BarTest {
protected:
    LaunchTest()
        : http_(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", ""),
          mailto_(HKEY_CLASSES_ROOT, "mailto\\shell\\open\\command", "") {
        // The browser lies in a folder with a blank: its command must be quoted.
        CreateDirectoryA(dir_.File("web browser").c_str(), nullptr);
        browser_ = dir_.File("web browser\\browse.exe");
        mail_ = dir_.File("mailer.exe");
        CopyFileA(ProbePath().c_str(), browser_.c_str(), FALSE);
        CopyFileA(ProbePath().c_str(), mail_.c_str(), FALSE);
        SetRegString(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", "", "\"" + browser_ + "\" \"%1\"");
        SetRegString(HKEY_CLASSES_ROOT, "mailto\\shell\\open\\command", "", "\"" + mail_ + "\" %1");
        log_ = dir_.File("probe.log");
        SetEnvironmentVariableA("MIVORA_PROBE_LOG", log_.c_str());
    }
    ~LaunchTest() override { SetEnvironmentVariableA("MIVORA_PROBE_LOG", nullptr); }
    bool Logged(const std::string& line) {
        return WaitFor([&] { return ReadFileBytes(log_).find(line) != std::string::npos; }, 10000);
    }

    SavedRegValue http_, mailto_;
    std::string browser_, mail_, log_;
};

TEST_F(LaunchTest, ProgramButtonsStartTheDefaultBrowserAndMailProgram) {
    ASSERT_TRUE(bar_->Start());
    HWND ie = bar_->ButtonAt(302), mail = bar_->ButtonAt(324);
    ASSERT_TRUE(ie && mail);
    bar_->Click(ie);
    EXPECT_TRUE(Logged(browser_ + "\r\n")) << ReadFileBytes(log_);
    bar_->Click(mail);
    EXPECT_TRUE(Logged(mail_ + "\r\n")) << ReadFileBytes(log_);
    // Another mouse button on the mail program's button writes a new message.
    bar_->Click(mail, true);
    EXPECT_TRUE(Logged(mail_ + "\tmailto:")) << ReadFileBytes(log_);
}

// How many lines of the log start with `program`.
size_t Starts(const std::string& log, const std::string& program) {
    size_t n = 0;
    for (size_t at = 0; (at = log.find(program, at)) != std::string::npos; at += program.size())
        if (at == 0 || log[at - 1] == '\n') ++n;
    return n;
}

void DoubleClick(HWND control) {
    const LPARAM at = MAKELPARAM(5, 5);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(control, WM_LBUTTONUP, 0, at);
    PostMessageA(control, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(control, WM_LBUTTONUP, 0, at);
}

// A double click on a program button starts the program once, on the bar's
// own button as on a quick-start one.
TEST_F(LaunchTest, ADoubleClickStartsAProgramOnce) {
    const std::string tool = dir_.File("tools\\quick tool.exe");
    CreateDirectoryA(dir_.File("tools").c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(ProbePath().c_str(), tool.c_str(), FALSE));
    WriteIni("[Quick Start]\r\n" + tool + "=\r\n");
    ASSERT_TRUE(bar_->Start());
    HWND ie = bar_->ButtonAt(302), quick = bar_->ButtonAt(348);
    ASSERT_TRUE(ie && quick);
    DoubleClick(ie);
    ASSERT_TRUE(Logged(browser_ + "\r\n")) << ReadFileBytes(log_);
    DoubleClick(quick);
    ASSERT_TRUE(Logged(tool + "\r\n")) << ReadFileBytes(log_);
    // Time for a second start to show.
    PumpFor(2500);
    const std::string log = ReadFileBytes(log_);
    EXPECT_EQ(Starts(log, browser_), 1u) << log;
    EXPECT_EQ(Starts(log, tool), 1u) << log;
}

TEST_F(BarTest, QuickFolderOptionsToggleTheRecordingFlagsAndSaveThem) {
    ASSERT_TRUE(bar_->Start());
    HWND quickFolder = bar_->ButtonAt(54);
    ASSERT_NE(quickFolder, nullptr);
    struct Step {
        int downs;
        const char* key;
        const char* value;
    } steps[] = {
        {4, "RecNet", "0"},      // on by default
        {2, "RecRoot", "1"},     // off by default
        {4, "RecNet", "1"},
        {5, "RecSubDir", "0"},
        {3, "RecDesktop", "1"},
    };
    for (const Step& s : steps) {
        bar_->Click(quickFolder, true);
        HWND menu = WaitForMenu();
        ASSERT_NE(menu, nullptr) << s.key;
        ChooseMenuItem(menu, s.downs);
        EXPECT_TRUE(WaitFor([&] { return bar_->Ini("Record", s.key) == s.value; }, 5000))
            << s.key << " " << bar_->Ini("Record", s.key);
        WaitFor([&] { return FindMenuWindow(bar_->ThreadId()) == nullptr; }, 3000);
    }
}

TEST_F(BarTest, ExplorerButtonOpensTheDesktopMenu) {
    ASSERT_TRUE(bar_->Start());
    HWND menu = OpenMenuAt(98, 8000);
    ASSERT_NE(menu, nullptr);
    RECT r{}, bar = bar_->Rect();
    GetWindowRect(menu, &r);
    // Under the button.
    EXPECT_EQ(r.left, bar.left + 98);
    EXPECT_EQ(r.top, bar.top + 22);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitFor([&] { return FindMenuWindow(bar_->ThreadId()) == nullptr; }, 3000));
}

}  // namespace
