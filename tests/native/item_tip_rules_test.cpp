// The tip beside an open bar menu: its text and its place.
#include <gtest/gtest.h>

#include "main/bar/core/ItemTipRules.h"

using namespace bar;

namespace {

TEST(ItemTipRules, FileTipParts) {
    const std::string sep = "\r\n----------------\r\n";
    ASSERT_EQ(std::string(kTipSeparator), sep);
    struct Case {
        const char* name;
        FileTipParts parts;
        std::string tip;
    } cases[] = {
        {"size cut to whole KB", {"C:\\a.txt", "Text Document", true, 2047, "1/2/2026 10:11:12", {"hello"}},
         "C:\\a.txt\r\nText Document, 1 KB, 1/2/2026 10:11:12" + sep + "hello"},
        {"unreadable file: no size", {"C:\\b.zip", "ZIP", false, 0, "", {"x.txt\r\n..."}},
         "C:\\b.zip\r\nZIP" + sep + "x.txt\r\n..."},
        {"empty extras skipped", {"C:\\c.exe", "Application", true, 5ull << 31, "d", {"", "Tool"}},
         "C:\\c.exe\r\nApplication, 10485760 KB, d" + sep + "Tool"},
    };
    for (const Case& c : cases) EXPECT_EQ(ComposeFileTip(c.parts), c.tip) << c.name;
    EXPECT_EQ(FolderTip("C:\\Data"), "C:\\Data" + sep + "Double-click to open folder");
}

TEST(ItemTipRules, MidnightShowsTheDateAlone) {
    EXPECT_EQ(TipDateText("1/2/2026", "00:00:00", true), "1/2/2026");
    EXPECT_EQ(TipDateText("1/2/2026", "10:00:00", false), "1/2/2026 10:00:00");
}

TEST(ItemTipRules, PlacementBesideTheCursorOrTopLeft) {
    struct Case {
        int y, height;
        int left, top;
    } cases[] = {
        {100, 50, 130, 115},
        {949, 50, 130, 964},  // one pixel to spare
        {950, 50, 0, 0},      // reaches the bottom: the laid-out rectangle
    };
    for (const Case& c : cases) {
        const TipRect r = PlaceTipNearCursor(100, c.y, 200, c.height, 1000);
        EXPECT_EQ(r.left, c.left) << c.y;
        EXPECT_EQ(r.top, c.top) << c.y;
        EXPECT_EQ(r.width, 200);
        EXPECT_EQ(r.height, c.height);
    }
}

}  // namespace
