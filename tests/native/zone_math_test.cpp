// Calendar arithmetic of the clock against the C++20 calendar of <chrono>,
// which shares no code with it.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdint>
#include <random>
#include <set>
#include <vector>

#include "main/clock/core/ZoneMath.h"
#include "main/clock/core/ZoneOffsets.h"

using namespace worldclock;

namespace {

using namespace std::chrono;

CivilTime OracleCivil(sys_time<milliseconds> tp) {
    const auto dp = floor<days>(tp);
    const year_month_day ymd{dp};
    const hh_mm_ss<milliseconds> hms{tp - dp};
    CivilTime t;
    t.Year = static_cast<int>(ymd.year());
    t.Month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    t.Day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    t.Hour = static_cast<int>(hms.hours().count());
    t.Minute = static_cast<int>(hms.minutes().count());
    t.Second = static_cast<int>(hms.seconds().count());
    t.Millisecond = static_cast<int>(hms.subseconds().count());
    return t;
}

sys_time<milliseconds> At(int y, unsigned mo, unsigned d, int h = 0, int mi = 0, int s = 0) {
    return sys_days{year{y} / month{mo} / day{d}} + hours{h} + minutes{mi} + seconds{s};
}

::testing::AssertionResult SameTime(const CivilTime& got, const CivilTime& want) {
    if (got == want) return ::testing::AssertionSuccess();
    auto show = [](const CivilTime& t) {
        char buf[64];
        snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.Year, t.Month, t.Day, t.Hour,
                 t.Minute, t.Second, t.Millisecond);
        return std::string(buf);
    };
    return ::testing::AssertionFailure() << "got " << show(got) << ", want " << show(want);
}

// Every list entry, the same with its daylight hour, both ends of the range
// the clock accepts, and a few odd ones.
std::vector<int> OffsetsUnderTest() {
    std::set<int> all{MinZoneOffset, MaxZoneOffset, -1, 1, 825, 765, 840, 525, -1380, 1380};
    for (int m : ZoneOffsets) {
        all.insert(m);
        all.insert(m + DaylightMinutes);
        all.insert(m - DaylightMinutes);
    }
    return {all.begin(), all.end()};
}

TEST(ZoneCalendar, LeapRuleAndMonthLengthsAreGregorian) {
    for (int y = -1000; y <= 3000; ++y) {
        ASSERT_EQ(IsLeapYear(y), year{y}.is_leap()) << y;
        for (unsigned m = 1; m <= 12; ++m)
            ASSERT_EQ(DaysInMonth(y, static_cast<int>(m)),
                      static_cast<int>(static_cast<unsigned>((year{y} / month{m} / last).day())))
                << y << "-" << m;
    }
    // The years where counting every fourth year goes wrong.
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_EQ(DaysInMonth(2024, 0), 0);
    EXPECT_EQ(DaysInMonth(2024, 13), 0);
    EXPECT_EQ(DaysInMonth(2024, INT_MIN), 0);
}

TEST(ZoneCalendar, DayNumbersAndWeekdays) {
    std::mt19937_64 rng(20260101);
    std::uniform_int_distribution<long long> dayDist(-250000, 3000000);
    std::vector<long long> samples{0, -1, 59, 60, -134774, 47482, 10956, 10957};
    for (int i = 0; i < 20000; ++i) samples.push_back(dayDist(rng));
    for (long long n : samples) {
        const sys_days sd{days{n}};
        const year_month_day ymd{sd};
        const int y = static_cast<int>(ymd.year());
        const int m = static_cast<int>(static_cast<unsigned>(ymd.month()));
        const int d = static_cast<int>(static_cast<unsigned>(ymd.day()));
        ASSERT_EQ(DaysFromCivil(y, m, d), n);
        int y2 = 0, m2 = 0, d2 = 0;
        CivilFromDays(n, y2, m2, d2);
        ASSERT_EQ(y2, y);
        ASSERT_EQ(m2, m);
        ASSERT_EQ(d2, d);
        ASSERT_EQ(DayOfWeek(y, m, d), static_cast<int>(weekday{sd}.c_encoding())) << n;
    }
}

TEST(ZoneCalendar, MonthNames) {
    const char* names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int m = 1; m <= 12; ++m) EXPECT_STREQ(MonthShortName(m), names[m - 1]);
    EXPECT_STREQ(MonthShortName(0), "");
    EXPECT_STREQ(MonthShortName(13), "");
}

TEST(ZoneCalendar, FileTimesConvertBothWays) {
    const sys_days epoch1601{year{1601} / 1 / 1};
    std::mt19937_64 rng(1601);
    // Up to the year 9999.
    std::uniform_int_distribution<std::uint64_t> tickDist(0, 2650467743990000000ULL);
    std::vector<std::uint64_t> samples{0, 1, 9999, 10000, 116444736000000000ULL, 2650467743999999999ULL};
    for (int i = 0; i < 20000; ++i) samples.push_back(tickDist(rng));
    for (std::uint64_t ticks : samples) {
        const auto tp = floor<milliseconds>(epoch1601 + duration<std::int64_t, std::ratio<1, 10000000>>(
                                                            static_cast<std::int64_t>(ticks)));
        const CivilTime t = FileTimeToCivil(ticks);
        ASSERT_TRUE(SameTime(t, OracleCivil(tp))) << ticks;
        std::uint64_t back = 0;
        ASSERT_TRUE(CivilToFileTime(t, back));
        ASSERT_EQ(back, ticks - ticks % 10000);
    }
    // Records the system clock cannot hold are refused, and the result untouched.
    std::uint64_t untouched = 77;
    for (CivilTime bad : {CivilTime{1600, 12, 31, 23, 59, 59, 999}, CivilTime{2023, 2, 29, 0, 0, 0, 0},
                          CivilTime{2024, 13, 1, 0, 0, 0, 0}, CivilTime{2024, 1, 1, 24, 0, 0, 0},
                          CivilTime{2024, 1, 1, 0, 60, 0, 0}, CivilTime{2024, 1, 1, 0, 0, 60, 0},
                          CivilTime{2024, 1, 1, 0, 0, 0, 1000}, CivilTime{30828, 1, 1, 0, 0, 0, 0},
                          CivilTime{INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN}}) {
        EXPECT_FALSE(IsValidCivilTime(bad));
        EXPECT_FALSE(CivilToFileTime(bad, untouched));
    }
    EXPECT_EQ(untouched, 77u);
}

TEST(ZoneTime, RandomInstantsAtEveryOffsetMatchTheCalendar) {
    std::mt19937_64 rng(19012099);
    const auto first = At(1901, 1, 1);
    const auto last = At(2099, 12, 31, 23, 59, 59) + milliseconds{999};
    std::uniform_int_distribution<long long> msDist(0, (last - first).count());
    const std::vector<int> offsets = OffsetsUnderTest();
    for (int i = 0; i < 3000; ++i) {
        const auto utc = first + milliseconds{msDist(rng)};
        const CivilTime utcFields = OracleCivil(utc);
        for (int offset : offsets)
            ASSERT_TRUE(SameTime(ZoneTimeFromUtc(utcFields, offset), OracleCivil(utc + minutes{offset})))
                << "offset " << offset;
    }
}

TEST(ZoneTime, MonthAndYearEndsAndLeapDaysMatchTheCalendar) {
    // 1900 and 2100 are the common years an every-fourth-year rule gets wrong; 1904,
    // 2000 and 2096 are leap years; the others ordinary years at the edges of
    // the range the clock is used in.
    const std::vector<int> offsets = OffsetsUnderTest();
    for (int y : {1900, 1901, 1904, 1999, 2000, 2023, 2024, 2096, 2099, 2100}) {
        for (unsigned m = 1; m <= 12; ++m) {
            const unsigned lastDay = static_cast<unsigned>((year{y} / month{m} / last).day());
            for (const auto utc : {At(y, m, 1), At(y, m, 1, 0, 59, 59), At(y, m, 1, 23, 59, 59),
                                   At(y, m, lastDay), At(y, m, lastDay, 0, 1), At(y, m, lastDay, 23),
                                   At(y, m, lastDay, 23, 59, 59)}) {
                const CivilTime utcFields = OracleCivil(utc);
                for (int offset : offsets)
                    ASSERT_TRUE(SameTime(ZoneTimeFromUtc(utcFields, offset),
                                         OracleCivil(utc + minutes{offset})))
                        << y << "-" << m << " offset " << offset;
            }
        }
    }
}

TEST(ZoneTime, CarriesByHand) {
    struct Case {
        CivilTime utc;
        int offset;
        CivilTime zone;
    };
    const Case cases[] = {
        {{2025, 12, 31, 23, 30, 0, 0}, 60, {2026, 1, 1, 0, 30, 0, 0}},
        {{2026, 1, 1, 0, 15, 0, 0}, -30, {2025, 12, 31, 23, 45, 0, 0}},
        {{2026, 8, 1, 0, 15, 0, 0}, -60, {2026, 7, 31, 23, 15, 0, 0}},
        {{2024, 3, 1, 0, 10, 0, 0}, -60, {2024, 2, 29, 23, 10, 0, 0}},
        {{2023, 3, 1, 0, 10, 0, 0}, -60, {2023, 2, 28, 23, 10, 0, 0}},
        {{2100, 3, 1, 0, 10, 0, 0}, -60, {2100, 2, 28, 23, 10, 0, 0}},
        {{2000, 3, 1, 0, 10, 0, 0}, -60, {2000, 2, 29, 23, 10, 0, 0}},
        {{2024, 2, 28, 23, 0, 0, 0}, 60, {2024, 2, 29, 0, 0, 0, 0}},
        {{2023, 2, 28, 23, 0, 0, 0}, 60, {2023, 3, 1, 0, 0, 0, 0}},
        {{1900, 2, 28, 23, 0, 0, 0}, 60, {1900, 3, 1, 0, 0, 0, 0}},
        {{2100, 2, 28, 23, 0, 0, 0}, 60, {2100, 3, 1, 0, 0, 0, 0}},
        // Truncating division: -330 is five hours and thirty minutes back.
        {{2026, 5, 10, 3, 10, 0, 0}, -330, {2026, 5, 9, 21, 40, 0, 0}},
        {{2026, 1, 1, 0, 10, 0, 0}, -270, {2025, 12, 31, 19, 40, 0, 0}},
        {{2026, 6, 30, 23, 20, 0, 0}, 345, {2026, 7, 1, 5, 5, 0, 0}},
        {{2026, 6, 1, 2, 30, 0, 0}, -225, {2026, 5, 31, 22, 45, 0, 0}},
        // Seconds and milliseconds ride along unchanged.
        {{2026, 12, 31, 10, 15, 42, 123}, 825, {2027, 1, 1, 0, 0, 42, 123}},
        {{2026, 12, 31, 10, 15, 42, 123}, 840, {2027, 1, 1, 0, 15, 42, 123}},
        {{2026, 1, 1, 11, 59, 59, 999}, -720, {2025, 12, 31, 23, 59, 59, 999}},
        // Values beyond one day are held at its edge rather than giving a
        // date that does not exist.
        {{2026, 12, 31, 12, 0, 0, 0}, 5000, {2027, 1, 1, 11, 59, 0, 0}},
        {{2026, 1, 1, 12, 0, 0, 0}, INT_MIN, {2025, 12, 31, 12, 1, 0, 0}},
        {{2026, 1, 1, 12, 0, 0, 0}, INT_MAX, {2026, 1, 2, 11, 59, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offset);
        EXPECT_TRUE(SameTime(ZoneTimeFromUtc(c.utc, c.offset), c.zone));
    }
}

TEST(ZoneTime, InvalidUtcRecordComesBackUnchanged) {
    for (CivilTime bad : {CivilTime{2023, 2, 29, 23, 0, 0, 0}, CivilTime{2024, 0, 1, 0, 0, 0, 0},
                          CivilTime{INT_MAX, 12, 31, 23, 59, 59, 999}, CivilTime{2024, 1, 1, -1, 0, 0, 0}})
        EXPECT_TRUE(SameTime(ZoneTimeFromUtc(bad, 720), bad));
}

TEST(LocalOffset, FromOneReading) {
    struct Case {
        CivilTime utc;
        CivilTime local;
        int expected;
    };
    const Case cases[] = {
        {{2026, 3, 5, 4, 40, 0, 0}, {2026, 3, 5, 10, 10, 0, 0}, 330},
        {{2026, 3, 4, 23, 0, 0, 0}, {2026, 3, 5, 0, 30, 0, 0}, 90},
        {{2026, 3, 5, 0, 30, 0, 0}, {2026, 3, 4, 23, 0, 0, 0}, -90},
        {{2026, 3, 5, 12, 0, 0, 0}, {2026, 3, 5, 12, 0, 0, 0}, 0},
        {{2026, 3, 5, 18, 20, 0, 0}, {2026, 3, 6, 0, 5, 0, 0}, 345},
        // Further east than +12:00: a fold into +-12 hours would give -660,
        // -615 and -600, a day behind.
        {{2026, 1, 10, 0, 0, 0, 0}, {2026, 1, 10, 13, 0, 0, 0}, 780},
        {{2026, 1, 10, 20, 0, 0, 0}, {2026, 1, 11, 9, 45, 0, 0}, 825},
        {{2025, 12, 31, 10, 0, 0, 0}, {2026, 1, 1, 0, 0, 0, 0}, 840},
        {{2026, 1, 10, 12, 0, 0, 0}, {2026, 1, 10, 0, 0, 0, 0}, -720},
        {{2024, 2, 28, 20, 0, 0, 0}, {2024, 2, 29, 10, 0, 0, 0}, 840},
        // Readings that straddle a minute still give the whole-minute offset.
        {{2026, 3, 5, 10, 59, 59, 990}, {2026, 3, 5, 16, 45, 0, 10}, 345},
        {{2026, 3, 5, 11, 0, 0, 10}, {2026, 3, 5, 16, 44, 59, 990}, 345},
        // More than a day apart: held at the edge.
        {{2026, 3, 5, 0, 0, 0, 0}, {2026, 3, 7, 0, 0, 0, 0}, MaxZoneOffset},
        {{2026, 3, 7, 0, 0, 0, 0}, {2026, 3, 5, 0, 0, 0, 0}, MinZoneOffset},
        // A record that is no date gives UTC.
        {{2026, 2, 30, 0, 0, 0, 0}, {2026, 3, 5, 0, 0, 0, 0}, 0},
        {{2026, 3, 5, 0, 0, 0, 0}, {2026, 3, 5, 25, 0, 0, 0}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(LocalOffsetFromCivil(c.utc, c.local), c.expected);
        std::uint64_t utcTicks = 0, localTicks = 0;
        if (CivilToFileTime(c.utc, utcTicks) && CivilToFileTime(c.local, localTicks))
            EXPECT_EQ(LocalOffsetFromFileTimes(utcTicks, localTicks), c.expected);
    }
}

TEST(LocalOffset, FileTimeExtremesAndRounding) {
    const std::uint64_t t = 133000000000000000ULL;
    const std::uint64_t minute = FileTimeTicksPerMinute;
    EXPECT_EQ(LocalOffsetFromFileTimes(0, UINT64_MAX), MaxZoneOffset);
    EXPECT_EQ(LocalOffsetFromFileTimes(UINT64_MAX, 0), MinZoneOffset);
    EXPECT_EQ(LocalOffsetFromFileTimes(UINT64_MAX, UINT64_MAX), 0);
    EXPECT_EQ(LocalOffsetFromFileTimes(t, t + 1439 * minute), 1439);
    EXPECT_EQ(LocalOffsetFromFileTimes(t, t + 1440 * minute), 1439);
    EXPECT_EQ(LocalOffsetFromFileTimes(t + 1439 * minute, t), -1439);
    EXPECT_EQ(LocalOffsetFromFileTimes(t, t + 330 * minute + minute / 2 - 1), 330);
    EXPECT_EQ(LocalOffsetFromFileTimes(t, t + 330 * minute + minute / 2), 331);
    EXPECT_EQ(LocalOffsetFromFileTimes(t + 330 * minute + minute / 2 - 1, t), -330);
    EXPECT_EQ(LocalOffsetFromFileTimes(t, t - 210 * minute), -210);
}

}  // namespace
