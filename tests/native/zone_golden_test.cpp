// Real zones from the IANA data (tests/data/clock/golden.tsv, made by
// make-golden.py beside it): the machine's offset read the way the clock reads
// it, and the local time the clock shows with that offset.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "main/clock/core/ZoneMath.h"
#include "main/clock/core/ZoneOffsets.h"

using namespace worldclock;

namespace {

struct GoldenRow {
    std::string zone;
    CivilTime utc;
    CivilTime local;
    int offset = 0;
    int daylight = 0;
    int weekday = 0;
};

bool ParseStamp(const std::string& text, CivilTime& t) {
    t = CivilTime{};
    return std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &t.Year, &t.Month, &t.Day, &t.Hour, &t.Minute,
                       &t.Second) == 6;
}

std::vector<GoldenRow> LoadGolden() {
    std::ifstream in(std::string(MIVORA_TEST_DATA) + "/clock/golden.tsv");
    std::vector<GoldenRow> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string utc, local, offset, daylight, weekday;
        GoldenRow r;
        if (!std::getline(fields, r.zone, '\t') || !std::getline(fields, utc, '\t') ||
            !std::getline(fields, local, '\t') || !std::getline(fields, offset, '\t') ||
            !std::getline(fields, daylight, '\t') || !std::getline(fields, weekday, '\t') ||
            !ParseStamp(utc, r.utc) || !ParseStamp(local, r.local)) {
            ADD_FAILURE() << "bad golden line: " << line;
            continue;
        }
        r.offset = std::stoi(offset);
        r.daylight = std::stoi(daylight);
        r.weekday = std::stoi(weekday);
        rows.push_back(r);
    }
    return rows;
}

TEST(ZoneGolden, TableCoversTheAwkwardZones) {
    const std::vector<GoldenRow> rows = LoadGolden();
    ASSERT_GE(rows.size(), 100u);
    bool chathamSummer = false, kiritimati = false, stJohnsSummer = false, kathmandu = false;
    for (const GoldenRow& r : rows) {
        chathamSummer |= r.zone == "Pacific/Chatham" && r.offset == 825;
        kiritimati |= r.zone == "Pacific/Kiritimati" && r.offset == 840;
        stJohnsSummer |= r.zone == "America/St_Johns" && r.offset == -150;
        kathmandu |= r.zone == "Asia/Kathmandu" && r.offset == 345;
    }
    EXPECT_TRUE(chathamSummer && kiritimati && stJohnsSummer && kathmandu);
}

TEST(ZoneGolden, MachineOffsetFromOneReading) {
    for (const GoldenRow& r : LoadGolden()) {
        SCOPED_TRACE(r.zone + " " + std::to_string(r.utc.Year) + "-" + std::to_string(r.utc.Month) + "-" +
                     std::to_string(r.utc.Day));
        std::uint64_t utcTicks = 0, localTicks = 0;
        ASSERT_TRUE(CivilToFileTime(r.utc, utcTicks));
        ASSERT_TRUE(CivilToFileTime(r.local, localTicks));
        EXPECT_EQ(LocalOffsetFromFileTimes(utcTicks, localTicks), r.offset);
        EXPECT_EQ(LocalOffsetFromCivil(r.utc, r.local), r.offset);
    }
}

TEST(ZoneGolden, ShownLocalTimeAndWeekday) {
    for (const GoldenRow& r : LoadGolden()) {
        SCOPED_TRACE(r.zone + " " + std::to_string(r.utc.Year) + "-" + std::to_string(r.utc.Month) + "-" +
                     std::to_string(r.utc.Day) + " " + std::to_string(r.utc.Hour));
        EXPECT_EQ(ZoneTimeFromUtc(r.utc, r.offset), r.local);
        EXPECT_EQ(DayOfWeek(r.local.Year, r.local.Month, r.local.Day), r.weekday);
    }
}

TEST(ZoneGolden, StoredStandardOffsetWithDaylightFlag) {
    // A location keeps its standard offset and a daylight flag; with the flag
    // set it must show what the zone shows in summer.
    for (const GoldenRow& r : LoadGolden()) {
        if (r.daylight != 0 && r.daylight != DaylightMinutes) continue;
        SCOPED_TRACE(r.zone);
        const int standard = r.offset - r.daylight;
        EXPECT_EQ(WithDaylight(standard, r.daylight != 0), r.offset);
        EXPECT_EQ(ZoneTimeFromUtc(r.utc, WithDaylight(standard, r.daylight != 0)), r.local);
        const bool listed = r.zone != "Pacific/Chatham" && r.zone != "Australia/Eucla" &&
                            r.zone != "Pacific/Kiritimati";
        EXPECT_EQ(ZoneIndexOfMinutes(standard) >= 0, listed) << standard;
        if (listed) EXPECT_EQ(ZoneOffsets[ZoneIndexOfMinutes(standard)], standard);
    }
}

}  // namespace
