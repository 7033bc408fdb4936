#include "main/clock/core/ZoneMath.h"

#include "main/clock/core/ZoneOffsets.h"

namespace worldclock {

bool operator==(const CivilTime& a, const CivilTime& b) {
    return a.Year == b.Year && a.Month == b.Month && a.Day == b.Day && a.Hour == b.Hour &&
           a.Minute == b.Minute && a.Second == b.Second && a.Millisecond == b.Millisecond;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    switch (month) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12: return 31;
    case 4: case 6: case 9: case 11: return 30;
    case 2: return IsLeapYear(year) ? 29 : 28;
    default: return 0;
    }
}

bool IsValidCivilTime(const CivilTime& t) {
    return t.Year >= 1601 && t.Year <= 30827 && t.Month >= 1 && t.Month <= 12 && t.Day >= 1 &&
           t.Day <= DaysInMonth(t.Year, t.Month) && t.Hour >= 0 && t.Hour <= 23 &&
           t.Minute >= 0 && t.Minute <= 59 && t.Second >= 0 && t.Second <= 59 &&
           t.Millisecond >= 0 && t.Millisecond <= 999;
}

// Counting in 400-year eras with March as the first month puts the leap day at
// the end of each year, so no month table is needed.
long long DaysFromCivil(int year, int month, int day) {
    const long long y = static_cast<long long>(year) - (month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long mp = (static_cast<long long>(month) + 9) % 12;
    const long long doy = (153 * mp + 2) / 5 + day - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long days, int& year, int& month, int& day) {
    const long long z = days + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

int DayOfWeek(int year, int month, int day) {
    const long long w = (DaysFromCivil(year, month, day) + 4) % 7;  // 1970-01-01 was a Thursday
    return static_cast<int>(w < 0 ? w + 7 : w);
}

const char* const MonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

const char* MonthShortName(int month) { return month >= 1 && month <= 12 ? MonthNames[month - 1] : ""; }

namespace {
constexpr std::uint64_t TicksPerMillisecond = 10000;
constexpr std::uint64_t MillisecondsPerDay = 86400000;
constexpr long long FileTimeEpochDays = -134774;  // 1601-01-01 counted from 1970-01-01

// Milliseconds of the record since 1601-01-01; only for valid records, which
// keeps the sum far from overflowing.
std::uint64_t MillisecondsSince1601(const CivilTime& t) {
    const auto days = static_cast<std::uint64_t>(DaysFromCivil(t.Year, t.Month, t.Day) - FileTimeEpochDays);
    return days * MillisecondsPerDay +
           static_cast<std::uint64_t>(((t.Hour * 60 + t.Minute) * 60 + t.Second) * 1000 + t.Millisecond);
}

int RoundedClampedMinutes(std::uint64_t later, std::uint64_t earlier, std::uint64_t unitsPerMinute) {
    // Unsigned difference of the larger and the smaller, so no value of either
    // reading can overflow.
    const bool ahead = later >= earlier;
    const std::uint64_t diff = ahead ? later - earlier : earlier - later;
    const std::uint64_t minutes = diff / unitsPerMinute + (diff % unitsPerMinute >= unitsPerMinute / 2);
    const int bounded =
        minutes > static_cast<std::uint64_t>(MaxZoneOffset) ? MaxZoneOffset : static_cast<int>(minutes);
    return ahead ? bounded : -bounded;
}
}  // namespace

CivilTime FileTimeToCivil(std::uint64_t ticks) {
    const std::uint64_t ms = ticks / TicksPerMillisecond;
    const std::uint64_t dayMs = ms % MillisecondsPerDay;
    CivilTime t;
    const long long days = static_cast<long long>(ms / MillisecondsPerDay) + FileTimeEpochDays;
    CivilFromDays(days, t.Year, t.Month, t.Day);
    t.Hour = static_cast<int>(dayMs / 3600000);
    t.Minute = static_cast<int>(dayMs / 60000 % 60);
    t.Second = static_cast<int>(dayMs / 1000 % 60);
    t.Millisecond = static_cast<int>(dayMs % 1000);
    return t;
}

bool CivilToFileTime(const CivilTime& t, std::uint64_t& ticks) {
    if (!IsValidCivilTime(t)) return false;
    ticks = MillisecondsSince1601(t) * TicksPerMillisecond;
    return true;
}

int LocalOffsetFromFileTimes(std::uint64_t utcTicks, std::uint64_t localTicks) {
    return RoundedClampedMinutes(localTicks, utcTicks, FileTimeTicksPerMinute);
}

int LocalOffsetFromCivil(const CivilTime& utc, const CivilTime& local) {
    if (!IsValidCivilTime(utc) || !IsValidCivilTime(local)) return 0;
    return RoundedClampedMinutes(MillisecondsSince1601(local), MillisecondsSince1601(utc), 60000);
}

CivilTime ZoneTimeFromUtc(const CivilTime& utc, int offsetMinutes) {
    if (!IsValidCivilTime(utc)) return utc;
    const int offset = ClampZoneOffset(offsetMinutes);
    CivilTime z = utc;
    // Truncating division: -330 is -5 hours and -30 minutes.
    z.Hour += offset / 60;
    z.Minute += offset % 60;
    if (z.Minute >= 60) {
        z.Minute -= 60;
        ++z.Hour;
    } else if (z.Minute < 0) {
        z.Minute += 60;
        --z.Hour;
    }
    if (z.Hour > 23) {
        z.Hour -= 24;
        ++z.Day;
    } else if (z.Hour < 0) {
        z.Hour += 24;
        --z.Day;
    }
    if (z.Day > DaysInMonth(z.Year, z.Month)) {
        z.Day = 1;
        if (++z.Month > 12) {
            z.Month = 1;
            ++z.Year;
        }
    } else if (z.Day < 1) {
        if (--z.Month < 1) {
            z.Month = 12;
            --z.Year;
        }
        z.Day = DaysInMonth(z.Year, z.Month);
    }
    return z;
}

}  // namespace worldclock
