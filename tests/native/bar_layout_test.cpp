// The bar's row geometry, keeping it on screen, the collapsed strip and the
// quick-start entries.
#include <gtest/gtest.h>

#include <set>

#include "main/bar/core/BarLayout.h"

using namespace bar;

namespace {

TEST(BarLayout, ButtonPlacesByTag) {
    const std::pair<int, int> places[] = {{0, 10},   {1, 32},   {2, 54},   {5, 120},  {6, 144},
                                          {8, 188},  {9, 212},  {12, 278}, {1000, 22014}};
    for (const auto& [tag, left] : places) EXPECT_EQ(ButtonLeft(tag), left) << tag;
}

TEST(BarLayout, EmptyStripRow) {
    const BarRow row = ComputeBarRow(0);
    EXPECT_EQ(row.browserLeft, 302);
    EXPECT_EQ(row.mailLeft, 324);
    EXPECT_TRUE(row.quickStartLefts.empty());
    EXPECT_EQ(row.clockLeft, 348);
    EXPECT_EQ(row.clientWidth, 406);
    EXPECT_EQ(row.bevel2Left, 143);
    EXPECT_EQ(row.bevel3Left, 210);
    EXPECT_EQ(row.bevel4Left, 345);
    EXPECT_FALSE(row.bevel4InRow);
    EXPECT_EQ(row.bevelHeight, 16);
}

TEST(BarLayout, FullStripRow) {
    const BarRow row = ComputeBarRow(5);
    EXPECT_EQ(row.quickStartLefts, (std::vector<int>{348, 370, 392, 414, 436}));
    EXPECT_EQ(row.clockLeft, 458);
    EXPECT_EQ(row.clientWidth, 516);
    EXPECT_TRUE(row.bevel4InRow);
    EXPECT_EQ(ComputeBarRow(9).clientWidth, 516);  // never more than five
    EXPECT_EQ(ComputeBarRow(2).clientWidth, 450);
}

TEST(BarLayout, KeepOnScreen) {
    struct Case {
        int left, top, width, height, sw, sh, wantLeft, wantTop;
        bool collapse;
    } cases[] = {
        {300, 1, 406, 22, 1280, 1024, 300, 1, false},
        {5000, 1, 406, 22, 1280, 1024, 874, 1, false},   // flush with the right edge
        {-10, 1, 406, 22, 1280, 1024, 0, 1, false},
        {300, 0, 406, 22, 1280, 1024, 300, 0, true},     // docked at the top
        {300, -30, 406, 22, 1280, 1024, 300, -30, true},
        {300, 2000, 406, 22, 1280, 1024, 300, 1002, false},
        {300, 1, 406, 22, 400, 30, 0, 1, false},         // wider than the screen
    };
    for (const Case& c : cases) {
        const BarPlacement p = KeepBarOnScreen(c.left, c.top, c.width, c.height, c.sw, c.sh);
        EXPECT_EQ(p.left, c.wantLeft) << c.left << "," << c.top;
        EXPECT_EQ(p.top, c.wantTop) << c.left << "," << c.top;
        EXPECT_EQ(p.collapse, c.collapse) << c.left << "," << c.top;
    }
}

TEST(BarLayout, CollapseStretchesOnlyAt800) {
    const CollapsedBar at800 = CollapseGeometry(800);
    EXPECT_TRUE(at800.stretch);
    EXPECT_EQ(at800.left, 0);
    EXPECT_EQ(at800.width, 800);
    EXPECT_EQ(at800.clockLeft, 742);
    EXPECT_FALSE(CollapseGeometry(1024).stretch);
    EXPECT_FALSE(CollapseGeometry(799).stretch);
}

TEST(BarLayout, QuickStartKeepsExistingInOrderAtMostFive) {
    const std::set<std::string> existing = {"a", "c", "d", "e", "f", "g"};
    auto exists = [&](const std::string& p) { return existing.count(p) > 0; };
    EXPECT_EQ(NormalizeQuickStart({"a", "b", "c", "d", "e", "f", "g"}, exists),
              (std::vector<std::string>{"a", "c", "d", "e", "f"}));
    EXPECT_EQ(NormalizeQuickStart({"b", "x"}, exists), std::vector<std::string>{});
    // A deleted program leaves its place to the next one.
    EXPECT_EQ(NormalizeQuickStart({"c", "b", "d"}, exists), (std::vector<std::string>{"c", "d"}));
}

}  // namespace
