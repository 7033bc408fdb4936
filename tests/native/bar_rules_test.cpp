// Start-up, window and launch-button rules of the bar.
#include <gtest/gtest.h>

#include "main/bar/core/BarRules.h"

using namespace bar;

namespace {

TEST(BarRules, RootDirKeepsOnlyARootsBackslash) {
    struct Case {
        const char* exe;
        const char* root;
    } cases[] = {
        {"C:\\Program Files\\Mivora\\Mivora.exe", "C:\\Program Files\\Mivora"},
        {"C:\\Mivora.exe", "C:\\"},
        {"D:\\x\\Mivora.exe", "D:\\x"},
        {"\\\\server\\share\\Mivora.exe", "\\\\server\\share"},
        {"Mivora.exe", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(RootDirFromExe(c.exe), c.root) << c.exe;
}

TEST(BarRules, RegistrationQuotesEachPathWhole) {
    const auto cmds = RegistrationCommands("C:\\Program Files\\Mivora\\", "C:\\Temp Files\\MivoraInst1.reg");
    ASSERT_EQ(cmds.size(), 4u);
    EXPECT_EQ(cmds[0], "regedit /s \"C:\\Temp Files\\MivoraInst1.reg\"");
    EXPECT_EQ(cmds[1], "regsvr32 /s \"C:\\Program Files\\Mivora\\Norquil.dll\"");
    EXPECT_EQ(cmds[2], "regsvr32 /s \"C:\\Program Files\\Mivora\\Kestiv.dll\"");
    EXPECT_EQ(cmds[3], "regsvr32 /s \"C:\\Program Files\\Mivora\\Tavlin.dll\"");
}

namespace {
bool Cp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool NoLead(unsigned char) { return false; }

const char kShippedScript[] =
    "REGEDIT4\r\n\r\n"
    "[HKEY_CLASSES_ROOT\\CLSID\\{18D67740-19C0-11D3-9F2F-0040052ECF0B}\\InprocServer32]\r\n"
    "@=\"C:\\\\Program Files\\\\Mivora\\\\Norquil.dll\"\r\n"
    "\"Other\"=\"C:\\\\Program Files\\\\Mivora2\\\\x.dll\"\r\n"
    "\"Inner\"=\"D:\\\\C:\\\\Program Files\\\\Mivora\\\\y.dll\"\r\n";
}  // namespace

// The script beside the program names the folder it was built for; imported
// as it is, the context menu would work in that folder only.
TEST(BarRules, RegistryScriptNamesTheFolderTheProgramRunsFrom) {
    const struct {
        const char* folder;
        LeadByteTest lead;
        const char* server;  // the default value as the script must spell it
    } cases[] = {
        {"D:\\Tools\\Mivora\\", NoLead, "D:\\\\Tools\\\\Mivora\\\\Norquil.dll"},
        {"E:\\", NoLead, "E:\\\\Norquil.dll"},
        {"C:\\Program Files\\Mivora\\", NoLead, "C:\\\\Program Files\\\\Mivora\\\\Norquil.dll"},
        // "\x83\x5C" and "\x95\x5C" are each one character whose second byte is 0x5C.
        {"C:\\\x83\x5C\x95\x5C\\", Cp932Lead, "C:\\\\\x83\x5C\x95\x5C\\\\Norquil.dll"},
        {"C:\\a\x83\x5C\\", Cp932Lead, "C:\\\\a\x83\x5C\\\\Norquil.dll"},
        // Read as single bytes, the same folder has three backslashes.
        {"C:\\a\x83\x5C\\", NoLead, "C:\\\\a\x83\\\\\\\\Norquil.dll"},
    };
    for (const auto& c : cases) {
        const std::string script = RegScriptForFolder(kShippedScript, "C:\\Program Files\\Mivora", c.folder, c.lead);
        std::string expected = kShippedScript;
        const std::string shipped = "C:\\\\Program Files\\\\Mivora\\\\Norquil.dll";
        expected.replace(expected.find(shipped), shipped.size(), c.server);
        EXPECT_EQ(script, expected) << c.folder;
    }
    // A script someone pointed at another folder is imported as it is.
    EXPECT_EQ(RegScriptForFolder(kShippedScript, "C:\\Mivora", "D:\\x\\", NoLead), kShippedScript);
}

TEST(BarRules, RegistryScriptStringsEscapeBackslashesAndQuotes) {
    const struct {
        const char* text;
        LeadByteTest lead;
        const char* spelled;
    } cases[] = {
        {"", NoLead, ""},
        {"a\"b\\c", NoLead, "a\\\"b\\\\c"},
        {"\x95\x5C\\", Cp932Lead, "\x95\x5C\\\\"},
        {"\x95\x5C\\", NoLead, "\x95\\\\\\\\"},
        {"x\x95", Cp932Lead, "x\x95"},  // a lead byte at the very end stays one byte
    };
    for (const auto& c : cases) EXPECT_EQ(RegScriptString(c.text, c.lead), c.spelled) << c.text;
}

TEST(BarRules, MailClientFixUpAndHints) {
    EXPECT_EQ(FixMailClientPath("%ProgramFiles%\\Outlook Express\\msimn.exe", "D:\\WINNT"),
              "D:\\PROGRAM FILES\\OUTLOOK EXPRESS\\MSIMN.EXE");
    // A missing registry value must not be touched (nor read past its end).
    EXPECT_EQ(FixMailClientPath("", "C:\\WINDOWS"), "");
    EXPECT_EQ(FixMailClientPath("C:\\mail\\x.exe", "C:\\WINDOWS"), "C:\\mail\\x.exe");
    EXPECT_TRUE(IsOutlookExpress("C:\\PROGRAM FILES\\OUTLOOK EXPRESS\\MSIMN.EXE"));
    EXPECT_FALSE(IsOutlookExpress("C:\\msimn.exe.bak"));
    EXPECT_TRUE(IsInternetExplorer("C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE"));
    EXPECT_FALSE(IsInternetExplorer("C:\\other\\browser.exe"));
    EXPECT_FALSE(IsInternetExplorer(""));
}

TEST(BarRules, CommandPathsWithBlanksAreQuoted) {
    const char* const cases[][2] = {
        {"C:\\Program Files\\B\\b.exe", "\"C:\\Program Files\\B\\b.exe\""},
        {"C:\\B\\b.exe", "C:\\B\\b.exe"},
        {"\"C:\\A B\\b.exe\"", "\"C:\\A B\\b.exe\""},  // quoted already
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(QuoteCommandPath(c[0]), c[1]) << c[0];
}

TEST(BarRules, SplashSitsAboveTheMiddleTruncatingTowardZero) {
    EXPECT_EQ(SplashOrigin(1280, 1024).x, 476);
    EXPECT_EQ(SplashOrigin(1280, 1024).y, 371);
    EXPECT_EQ(SplashOrigin(800, 600).y, 159);
    // Narrower than the picture: (-1) div 2 is 0, not -1.
    EXPECT_EQ(SplashOrigin(327, 100).x, 0);
    EXPECT_EQ(SplashOrigin(327, 100).y, -91);
}

TEST(BarRules, MoveClampAppliesRightLeftBottomInOrder) {
    struct Case {
        int left, top, cw, ch, sw, sh, wantLeft, wantTop;
    } cases[] = {
        {300, 1, 406, 22, 1280, 1024, 300, 1},     // on screen
        {1000, 5, 406, 22, 1280, 1024, 874, 5},    // right edge pulled in
        {-50, 5, 406, 22, 1280, 1024, 0, 5},       // left edge
        {100, 1010, 406, 22, 1280, 1024, 100, 1002},  // bottom edge
        {100, 5, 900, 22, 800, 600, 0, 5},         // wider than the screen: right rule, then left
        {100, -7, 406, 22, 1280, 1024, 100, -7},   // a negative top is the collapse's business
    };
    for (const Case& c : cases) {
        const BarPoint p = ClampAfterMove(c.left, c.top, c.cw, c.ch, c.sw, c.sh);
        EXPECT_EQ(p.x, c.wantLeft) << c.left << "," << c.top;
        EXPECT_EQ(p.y, c.wantTop) << c.left << "," << c.top;
    }
}

TEST(BarRules, CollapseTimerUsesTheBarsBounds) {
    // Bar at 300,0 size 406x22.
    EXPECT_FALSE(ShouldCollapse(0, 310, 10, 300, 0, 406, 22));
    EXPECT_TRUE(ShouldCollapse(0, 310, 30, 300, 0, 406, 22));
    // Read as a rectangle from (Left,Top) to (Width,Height) the cursor at x 310
    // would lie outside; as bounds it is inside.
    EXPECT_FALSE(ShouldCollapse(0, 705, 1, 300, 0, 406, 22));
    EXPECT_TRUE(ShouldCollapse(0, 706, 1, 300, 0, 406, 22));
    // An open bar menu keeps the bar whatever the cursor does.
    EXPECT_FALSE(ShouldCollapse(3, 10, 500, 300, 0, 406, 22));
}

TEST(BarRules, MenuSwitchingPlaces) {
    // Bar left 300, grip 10, height 22: QFile's place is 2.
    EXPECT_EQ(ButtonPlaceAt(300 + 10 + 2 * 22 + 5, 300, 10, 22), 2);
    EXPECT_EQ(ButtonPlaceAt(300 + 10, 300, 10, 22), 0);
    // Over the grip: no place, so no click that would start a drag.
    EXPECT_EQ(ButtonPlaceAt(300 + 5, 300, 10, 22), -1);
    EXPECT_EQ(ButtonPlaceAt(300 + 9, 300, 10, 22), -1);
    EXPECT_EQ(ButtonPlaceAt(299, 300, 10, 22), -1);
    EXPECT_FALSE(ShouldSwitchMenu(-1, 2));
    EXPECT_TRUE(ShouldSwitchMenu(0, 2));
    EXPECT_TRUE(ShouldSwitchMenu(3, 2));
    EXPECT_FALSE(ShouldSwitchMenu(2, 2));
    EXPECT_TRUE(ShouldSwitchMenu(12, 4));
    EXPECT_FALSE(ShouldSwitchMenu(13, 4));   // Qie and beyond are never clicked
    EXPECT_EQ(ButtonPlaceAt(0, 0, 10, 0), -1);
}

TEST(BarRules, WindowsVersionCodes) {
    struct Case {
        unsigned platform, major, minor, build;
        const char* csd;
        int code;
    } cases[] = {
        {0, 3, 10, 0, "", 1},
        {1, 4, 0, 950, "", 2},
        {1, 4, 0, 0x040003B6, "", 3},  // the whole build field counts
        {1, 4, 10, 1998, "", 4},
        {1, 4, 10, 0x040A08AE, " A ", 5},
        {1, 4, 90, 3000, "", 0},
        {2, 3, 51, 1057, "", 6},
        {2, 4, 0, 1381, "Service Pack 6", 7},
        {2, 4, 0, 1381, "Service Pack 3", 8},
        {2, 4, 0, 1381, "Service Pack 4", 9},
        {2, 4, 0, 1381, "", 7},
        {2, 5, 0, 2195, "Service Pack 4", 10},
        {2, 5, 1, 2600, "", 10},
        {2, 6, 1, 7601, "Service Pack 1", 0},
        {3, 5, 0, 0, "", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WinVersionCodeFor(c.platform, c.major, c.minor, c.build, c.csd), c.code)
            << c.platform << " " << c.major << "." << c.minor << " " << c.csd;
}

TEST(BarRules, IniBooleansAreAnyNonZero) {
    EXPECT_FALSE(IniBoolValue(0));
    EXPECT_TRUE(IniBoolValue(1));
    EXPECT_TRUE(IniBoolValue(-1));
    EXPECT_TRUE(IniBoolValue(7));
}

}  // namespace
