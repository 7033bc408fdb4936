// The clock menu's index rules, the stored-choice checks, the panel's texts and
// the clock's move when a location is removed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "main/clock/core/ClockRules.h"

using namespace worldclock;

namespace {

// The clock menu as a list of captions, built the way the panel builds it.
std::vector<std::string> MenuOf(const std::vector<std::string>& locations) {
    std::vector<std::string> menu{LocalTimeName, "-"};
    if (!locations.empty()) {
        menu.insert(menu.end(), locations.begin(), locations.end());
        menu.push_back("-");
    }
    menu.push_back("Setting...");
    menu.push_back("Alarm... ");
    return menu;
}

std::vector<std::string> Locations(int n) {
    std::vector<std::string> names;
    for (int i = 1; i <= n; ++i) names.push_back("City" + std::to_string(i));
    return names;
}

TEST(ClockMenu, LocationItemsAreExactlyTheNamedOnes) {
    for (int n : {0, 1, 2, 23, 30}) {
        const std::vector<std::string> menu = MenuOf(Locations(n));
        const int count = static_cast<int>(menu.size());
        for (int index = -1; index <= count; ++index) {
            SCOPED_TRACE(testing::Message() << "n=" << n << " index=" << index);
            const bool named = index >= 0 && index < count && menu[static_cast<size_t>(index)].rfind("City", 0) == 0;
            EXPECT_EQ(IsLocationMenuIndex(index, count), named);
            if (named) EXPECT_EQ(menu[static_cast<size_t>(index)], "City" + std::to_string(PositionOfMenuIndex(index)));
        }
        for (int position = 1; position <= n; ++position)
            EXPECT_EQ(menu[static_cast<size_t>(MenuIndexOfPosition(position))], "City" + std::to_string(position));
    }
}

TEST(ClockMenu, StoredChoiceMustNameLocalTimeOrALocation) {
    struct Case {
        int stored, locations, expected;
    } cases[] = {
        {0, 0, 0},   {1, 0, 0},   {2, 0, 0},  {2, 1, 2},   {3, 1, 0},  {1, 3, 0},  // the separator
        {4, 3, 4},   {5, 3, 0},   {-1, 3, 0}, {24, 23, 24}, {25, 23, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stored << " of " << c.locations);
        EXPECT_EQ(ValidClockItemIndex(c.stored, c.locations), c.expected);
    }
}

TEST(ClockMenu, StoredCountMustAgreeWithTheNames) {
    EXPECT_TRUE(ZoneMenuCountAgrees(2, 2));
    EXPECT_TRUE(ZoneMenuCountAgrees(30, 30));  // a hand-edited file with more than 23
    EXPECT_FALSE(ZoneMenuCountAgrees(0, 0));
    EXPECT_FALSE(ZoneMenuCountAgrees(3, 2));   // a name lost, or two names in one key
    EXPECT_FALSE(ZoneMenuCountAgrees(1, 2));
    EXPECT_FALSE(ZoneMenuCountAgrees(-2, 2));
}

TEST(ClockTexts, PanelHintPreviewAndQuestion) {
    EXPECT_EQ(ClockPanelText(0, 0, 0), "00:00:00");
    EXPECT_EQ(ClockPanelText(9, 5, 7), "09:05:07");
    EXPECT_EQ(ClockPanelText(23, 59, 59), "23:59:59");
    EXPECT_EQ(ClockHintText("Local Time", "Wed", 2026, 12, 9), "Local Time, Wed 2026-12-09");
    EXPECT_EQ(ClockHintText("Kathmandu", "Fri", 2027, 1, 1), "Kathmandu, Fri 2027-01-01");
    EXPECT_EQ(ClockHintText("", "Sun", 1999, 10, 31), ", Sun 1999-10-31");
    EXPECT_EQ(LocationTimeText(2026, 12, 8, "12:00:00"), "Dec,8 2026  12:00:00");
    EXPECT_EQ(LocationTimeText(2027, 1, 31, "7:05:09 PM"), "Jan,31 2027  7:05:09 PM");
    EXPECT_EQ(RemoveLocationQuestion("Paris"), "Paris will be removed,\r\nAre you sure ?");
}

// The mark stays inside the panel and clear of the time for every width the
// time can take in some font, full size while there is room for it.
TEST(ClockTexts, AlarmMarkBesideTheTime) {
    for (const int innerWidth : {56, 40, 100}) {
        for (const int innerHeight : {20, 8}) {
            for (int textWidth = 0; textWidth <= innerWidth + 5; ++textWidth) {
                SCOPED_TRACE(testing::Message() << innerWidth << "x" << innerHeight << " text " << textWidth);
                const AlarmMarkPlace p = PlaceAlarmMark(1, 1, innerWidth, innerHeight, textWidth);
                const int room = innerWidth - textWidth - (textWidth > 0 ? 1 : 0);
                const int fits = std::min({AlarmMarkSize, room, innerHeight});
                EXPECT_EQ(p.Size, std::max(fits, MinAlarmMarkSize));
                EXPECT_LE(p.Left + p.Size, 1 + innerWidth) << "beyond the right edge";
                EXPECT_GE(p.Left, 1);
                if (p.Size <= innerHeight) {
                    // Centred up and down, to within a pixel.
                    EXPECT_GE(p.Top, 1);
                    EXPECT_LE(std::abs((p.Top - 1) - (1 + innerHeight - p.Top - p.Size)), 1);
                }
                if (room >= MinAlarmMarkSize) {
                    // Clear of the time, with a pixel between them when there is any text.
                    EXPECT_GE(p.Left, 1 + textWidth + (textWidth > 0 ? 1 : 0));
                    // Centred in the room right of the time, to within a pixel.
                    const int before = p.Left - (1 + innerWidth - room);
                    const int after = 1 + innerWidth - p.Left - p.Size;
                    EXPECT_LE(std::abs(before - after), 1);
                } else {
                    EXPECT_EQ(p.Left + p.Size, 1 + innerWidth) << "no room: at the right edge";
                }
            }
        }
    }
    // The bar's panel (58 x 22, one-pixel bevel): a narrow font leaves room for
    // the whole mark near where it always stood; Wine's wide stand-in font
    // (the time 50 pixels wide) leaves five pixels.
    const AlarmMarkPlace narrow = PlaceAlarmMark(1, 1, 56, 20, 40);
    EXPECT_EQ(narrow.Size, 10);
    EXPECT_EQ(narrow.Left, 44);
    EXPECT_EQ(narrow.Top, 6);
    const AlarmMarkPlace wide = PlaceAlarmMark(1, 1, 56, 20, 50);
    EXPECT_EQ(wide.Size, 5);
    EXPECT_EQ(wide.Left, 52);
}

// After a removal the clock must show, at the index of the menu as the list
// will be committed, the place it showed before, or the removed place's
// successor (its predecessor when it was last).
TEST(ClockRemoval, ClockIndexFollowsThePlaceShown) {
    for (int n = 1; n <= 23; ++n) {
        const std::vector<std::string> list = [&] {
            std::vector<std::string> l{LocalTimeName};
            for (const auto& name : Locations(n)) l.push_back(name);
            return l;
        }();
        const int count = static_cast<int>(list.size());
        for (int position = 1; position < count; ++position) {
            for (int shownIndex = 0; shownIndex <= n + 1; ++shownIndex) {
                if (shownIndex == 1) continue;  // the separator is never shown
                SCOPED_TRACE(testing::Message() << "n=" << n << " remove=" << position << " shown=" << shownIndex);
                const std::string shownName = shownIndex == 0 ? list[0] : list[static_cast<size_t>(shownIndex - 1)];
                const bool shown = shownIndex == position + 1;
                const ClockRemoval r = RemoveClockEntry(position, count, shownIndex, shown);

                std::vector<std::string> after = list;
                after.erase(after.begin() + position);
                const int expectedCurrent = position < static_cast<int>(after.size()) ? position : position - 1;
                EXPECT_EQ(r.Current, expectedCurrent);
                const std::string place = shown ? after[static_cast<size_t>(expectedCurrent)] : shownName;
                const std::vector<std::string> menu =
                    MenuOf(std::vector<std::string>(after.begin() + 1, after.end()));
                ASSERT_GE(r.ClockItemIndex, 0);
                ASSERT_LT(r.ClockItemIndex, static_cast<int>(menu.size()));
                EXPECT_EQ(menu[static_cast<size_t>(r.ClockItemIndex)], place);
            }
        }
    }
}

}  // namespace
