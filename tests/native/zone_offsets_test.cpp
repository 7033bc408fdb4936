// Zone list, offset texts and their parsing.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "main/clock/core/ZoneOffsets.h"

using namespace worldclock;

namespace {

struct ZoneEntry {
    int minutes;
    const char* caption;
};

// The zone lists' entries as the user sees them, written out by hand.
const ZoneEntry kZoneList[ZoneOffsetCount] = {
    {-720, "(GMT-12:00)"}, {-690, "(GMT-11:30)"}, {-660, "(GMT-11:00)"}, {-630, "(GMT-10:30)"},
    {-600, "(GMT-10:00)"}, {-570, "(GMT-09:30)"}, {-540, "(GMT-09:00)"}, {-510, "(GMT-08:30)"},
    {-480, "(GMT-08:00)"}, {-450, "(GMT-07:30)"}, {-420, "(GMT-07:00)"}, {-390, "(GMT-06:30)"},
    {-360, "(GMT-06:00)"}, {-330, "(GMT-05:30)"}, {-300, "(GMT-05:00)"}, {-270, "(GMT-04:30)"},
    {-240, "(GMT-04:00)"}, {-225, "(GMT-03:45)"}, {-210, "(GMT-03:30)"}, {-180, "(GMT-03:00)"},
    {-150, "(GMT-02:30)"}, {-120, "(GMT-02:00)"}, {-90, "(GMT-01:30)"},  {-60, "(GMT-01:00)"},
    {0, "(GMT00:00)"},     {60, "(GMT+01:00)"},   {90, "(GMT+01:30)"},   {120, "(GMT+02:00)"},
    {150, "(GMT+02:30)"},  {180, "(GMT+03:00)"},  {210, "(GMT+03:30)"},  {240, "(GMT+04:00)"},
    {270, "(GMT+04:30)"},  {300, "(GMT+05:00)"},  {330, "(GMT+05:30)"},  {345, "(GMT+05:45)"},
    {360, "(GMT+06:00)"},  {390, "(GMT+06:30)"},  {420, "(GMT+07:00)"},  {450, "(GMT+07:30)"},
    {480, "(GMT+08:00)"},  {510, "(GMT+08:30)"},  {540, "(GMT+09:00)"},  {570, "(GMT+09:30)"},
    {600, "(GMT+10:00)"},  {630, "(GMT+10:30)"},  {660, "(GMT+11:00)"},  {690, "(GMT+11:30)"},
    {720, "(GMT+12:00)"},
};

TEST(ZoneList, EveryEntryHasItsOffsetAndCaption) {
    for (int i = 0; i < ZoneOffsetCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ZoneOffsets[i], kZoneList[i].minutes);
        EXPECT_EQ(ZoneOffsetToText(ZoneOffsets[i]), kZoneList[i].caption);
        EXPECT_EQ(ZoneIndexOfMinutes(kZoneList[i].minutes), i);
        EXPECT_EQ(ZoneIndexOfCaption(kZoneList[i].caption), i);
    }
}

TEST(ZoneList, OffsetsOutsideTheListHaveNoEntry) {
    // East of +12:00, +12:00 with its daylight hour, and the quarter hours the
    // list lacks: the dialogs must treat these as "no zone selected".
    for (int minutes : {780, 825, 840, 765, 525, -569, 605, -1, 1, -1439, 1439, INT_MIN, INT_MAX})
        EXPECT_EQ(ZoneIndexOfMinutes(minutes), -1) << minutes;
    for (const char* caption : {"(GMT+13:00)", "(GMT+12:45)", "(GMT+14:00)", "GMT +08:00", "", "(GMT+08:00"})
        EXPECT_EQ(ZoneIndexOfCaption(caption), -1) << caption;
}

TEST(ZoneOffsetText, ThreeStyles) {
    struct Case {
        int minutes;
        const char* caption;
        const char* edit;
        const char* bracket;
    };
    const Case cases[] = {
        {345, "(GMT+05:45)", "GMT +05:45", "[GMT +05:45]"},
        {-330, "(GMT-05:30)", "GMT -05:30", "[GMT -05:30]"},
        {0, "(GMT00:00)", "GMT 00:00", "[GMT 00:00]"},
        {-90, "(GMT-01:30)", "GMT -01:30", "[GMT -01:30]"},
        {480, "(GMT+08:00)", "GMT +08:00", "[GMT +08:00]"},
        {-210, "(GMT-03:30)", "GMT -03:30", "[GMT -03:30]"},
        {540, "(GMT+09:00)", "GMT +09:00", "[GMT +09:00]"},
        {-225, "(GMT-03:45)", "GMT -03:45", "[GMT -03:45]"},
        // Minutes are not padded; no list entry has such a value.
        {605, "(GMT+10:5)", "GMT +10:5", "[GMT +10:5]"},
        {-1, "(GMT-00:1)", "GMT -00:1", "[GMT -00:1]"},
        {780, "(GMT+13:00)", "GMT +13:00", "[GMT +13:00]"},
        {1439, "(GMT+23:59)", "GMT +23:59", "[GMT +23:59]"},
        // Three-digit hours stay as they are.
        {6000, "(GMT+100:00)", "GMT +100:00", "[GMT +100:00]"},
        {INT_MIN, "(GMT-35791394:8)", "GMT -35791394:8", "[GMT -35791394:8]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.minutes);
        EXPECT_EQ(ZoneOffsetText(c.minutes, ZoneTextStyle::Caption), c.caption);
        EXPECT_EQ(ZoneOffsetText(c.minutes, ZoneTextStyle::Edit), c.edit);
        EXPECT_EQ(ZoneOffsetText(c.minutes, ZoneTextStyle::Bracket), c.bracket);
    }
}

TEST(ZoneOffsetText, EditBoxShowsTheMissingOffsetAsAMessage) {
    EXPECT_EQ(ZoneOffsetEditText(-1), "Error to get time zone");
    EXPECT_EQ(ZoneOffsetEditText(480), "GMT +08:00");
    EXPECT_EQ(ZoneOffsetEditText(0), "GMT 00:00");
    EXPECT_EQ(ZoneOffsetEditText(-2), "GMT -00:2");
}

TEST(ZoneOffsetText, EveryOffsetWithinADayRoundTripsInEveryStyle) {
    for (ZoneTextStyle style : {ZoneTextStyle::Caption, ZoneTextStyle::Edit, ZoneTextStyle::Bracket}) {
        for (int m = MinZoneOffset; m <= MaxZoneOffset; ++m) {
            int parsed = 99999;
            ASSERT_TRUE(ParseZoneOffsetText(ZoneOffsetText(m, style), style, parsed)) << m;
            ASSERT_EQ(parsed, m);
        }
    }
}

TEST(ZoneOffsetText, ParserRefusesEveryOtherSpelling) {
    struct Case {
        ZoneTextStyle style;
        const char* text;
    };
    const Case refused[] = {
        {ZoneTextStyle::Caption, ""},
        {ZoneTextStyle::Caption, "(GMT"},
        {ZoneTextStyle::Caption, "(GMT+00:00)"},   // zero has no sign
        {ZoneTextStyle::Caption, "(GMT-00:00)"},
        {ZoneTextStyle::Caption, "(GMT05:45)"},    // a sign is required otherwise
        {ZoneTextStyle::Caption, "(GMT+5:45)"},    // hours are padded
        {ZoneTextStyle::Caption, "(GMT+005:45)"},
        {ZoneTextStyle::Caption, "(GMT+10:05)"},   // minutes are not
        {ZoneTextStyle::Caption, "(GMT+05:0)"},
        {ZoneTextStyle::Caption, "(GMT+05:60)"},
        {ZoneTextStyle::Caption, "(GMT+24:00)"},   // beyond one day
        {ZoneTextStyle::Caption, "(GMT-24:00)"},
        {ZoneTextStyle::Caption, "(GMT+100:00)"},
        {ZoneTextStyle::Caption, "(GMT+05:45"},
        {ZoneTextStyle::Caption, "(GMT+05:45) "},
        {ZoneTextStyle::Caption, " (GMT+05:45)"},
        {ZoneTextStyle::Caption, "(gmt+05:45)"},
        {ZoneTextStyle::Caption, "(GMT+:45)"},
        {ZoneTextStyle::Caption, "(GMT+05:)"},
        {ZoneTextStyle::Caption, "(GMT+05-45)"},
        {ZoneTextStyle::Caption, "(GMT+05:45]"},
        {ZoneTextStyle::Caption, "GMT +05:45"},
        {ZoneTextStyle::Edit, "(GMT+05:45)"},
        {ZoneTextStyle::Edit, "GMT+05:45"},
        {ZoneTextStyle::Edit, "Error to get time zone"},
        {ZoneTextStyle::Bracket, "[GMT +05:45"},
        {ZoneTextStyle::Bracket, "GMT +05:45]"},
        {ZoneTextStyle::Bracket, "[GMT +05:45)"},
    };
    for (const Case& c : refused) {
        int minutes = 4242;
        EXPECT_FALSE(ParseZoneOffsetText(c.text, c.style, minutes)) << c.text;
        EXPECT_EQ(minutes, 4242) << "a refused text must leave the result alone: " << c.text;
    }
}

TEST(ZoneOffsets, ClampAndDaylight) {
    EXPECT_EQ(ClampZoneOffset(INT_MIN), MinZoneOffset);
    EXPECT_EQ(ClampZoneOffset(-1440), -1439);
    EXPECT_EQ(ClampZoneOffset(-1439), -1439);
    EXPECT_EQ(ClampZoneOffset(825), 825);
    EXPECT_EQ(ClampZoneOffset(1440), 1439);
    EXPECT_EQ(ClampZoneOffset(INT_MAX), MaxZoneOffset);
    EXPECT_EQ(WithDaylight(720, true), 780);
    EXPECT_EQ(WithDaylight(720, false), 720);
    EXPECT_EQ(WithDaylight(-210, true), -150);
}

}  // namespace
