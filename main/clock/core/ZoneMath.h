// Calendar arithmetic of the world clock: the date and time at a zone from the
// UTC clock and the zone's offset, the machine's own offset from one reading
// of its clocks, and the Gregorian calendar both rest on.
#pragma once
#include <cstdint>

namespace worldclock {

// A broken-down date and time, field for field what the system clock reports.
struct CivilTime {
    int Year = 1601;
    int Month = 1;  // 1..12
    int Day = 1;    // 1..31
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};
bool operator==(const CivilTime& a, const CivilTime& b);
inline bool operator!=(const CivilTime& a, const CivilTime& b) { return !(a == b); }

// The Gregorian rule. Counting every fourth year would agree from 1901 to 2099
// and be wrong in 1900 and 2100.
bool IsLeapYear(int year);
// 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
// Within the range of the system clock's record (years 1601..30827).
bool IsValidCivilTime(const CivilTime& t);

// Days since 1970-01-01 (negative before it), for any date of the proleptic
// Gregorian calendar, and back.
long long DaysFromCivil(int year, int month, int day);
void CivilFromDays(long long days, int& year, int& month, int& day);
// 0 = Sunday .. 6 = Saturday, the system clock's numbering. Computed, because
// the weekday field of a record shifted to another zone is stale.
int DayOfWeek(int year, int month, int day);
// The short month names the clock-setting dialog shows, "Jan" first.
extern const char* const MonthNames[12];
// MonthNames[month - 1]; "" outside 1..12.
const char* MonthShortName(int month);

// File times: 100-nanosecond ticks since 1601-01-01 00:00 UTC.
constexpr std::uint64_t FileTimeTicksPerMinute = 600000000ULL;
CivilTime FileTimeToCivil(std::uint64_t ticks);
// False (ticks untouched) for a record that IsValidCivilTime refuses.
bool CivilToFileTime(const CivilTime& t, std::uint64_t& ticks);

// The machine's offset from one reading of the clock, taken as UTC and turned
// into local time by the system: comparing two separate readings of hours and
// minutes could straddle a minute, and folding them into +-12 hours would put
// zones further east than +12:00 (New Zealand in summer, Chatham, Kiribati) a
// day behind. Rounded to whole minutes and kept within MinZoneOffset..MaxZoneOffset.
int LocalOffsetFromFileTimes(std::uint64_t utcTicks, std::uint64_t localTicks);
// The same from two broken-down records of one instant; 0 when either record is
// not a valid date and time.
int LocalOffsetFromCivil(const CivilTime& utc, const CivilTime& local);

// The date and time at a zone: UTC plus the offset, carried by hand one step
// at a time (minute, hour, day, month, year), which is exact because the offset
// is first kept within one day. Seconds and milliseconds stay as they are. An
// invalid UTC record comes back unchanged.
CivilTime ZoneTimeFromUtc(const CivilTime& utc, int offsetMinutes);

}  // namespace worldclock
