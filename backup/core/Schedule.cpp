#include "backup/core/Schedule.h"

#include <cstdlib>

namespace backup::schedule {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

namespace {
// Days since 1 January 1970 of a proleptic Gregorian date.
long long DaysFromCivil(int year, int month, int day) {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yoe = year - era * 400;
    const long long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

long long MinuteKey(const LocalMinute& t) {
    return (DaysFromCivil(t.year, t.month, t.day) * 24 + t.hour) * 60 + t.minute;
}
}  // namespace

int WeekdayOf(int year, int month, int day) {
    const long long days = DaysFromCivil(year, month, day);
    return static_cast<int>(((days % 7) + 11) % 7);  // 1 January 1970 was a Thursday
}

std::string ScheduleTimeText(int hour, int minute) { return "at " + TwoDigits(hour) + ":" + TwoDigits(minute); }

const char* OrdinalSuffix(int number) {
    switch (number) {
        case 1: return "st";
        case 2: return "nd";
        case 3: return "rd";
        default: return "th";
    }
}

std::string HourlyScheduleText(int minute) {
    return std::string("at ") + (minute >= 0 && minute < 10 ? " " : "") + std::to_string(minute) +
           OrdinalSuffix(minute) + " minute";
}

std::string WeeklyScheduleText(int hour, int minute, const std::string& weekdayName) {
    return ScheduleTimeText(hour, minute) + "," + weekdayName;
}

std::string MonthlyScheduleText(int hour, int minute, int day, bool lastDay) {
    if (lastDay) return ScheduleTimeText(hour, minute) + ",Lastday";
    return ScheduleTimeText(hour, minute) + "," + std::to_string(day) + OrdinalSuffix(day) + " date";
}

bool ScheduleMatches(int kind, const ScheduleValues& v, const LocalMinute& now) {
    if (v.minute < 0 || now.minute != v.minute) return false;
    switch (kind) {
        case kEveryHour: return true;
        case kEveryWeek: return now.hour == v.hour && (now.weekday == 0 ? 7 : now.weekday) == v.weekday;
        case kEveryDay: return now.hour == v.hour;
        case kEveryMonth:
            return now.hour == v.hour &&
                   (now.day == v.dayOfMonth || (v.lastDay == 1 && now.day == DaysInMonth(now.year, now.month)));
        default: return false;
    }
}

bool NextDue(int kind, const ScheduleValues& values, const LocalMinute& from, LocalMinute& due) {
    LocalMinute day = from;
    for (int step = 0; step < 8 * 366; ++step) {
        day.weekday = WeekdayOf(day.year, day.month, day.day);
        const bool today = step == 0;
        // Hourly: every hour of the day; otherwise only the schedule's hour.
        for (int hour = 0; hour < 24; ++hour) {
            if (kind != kEveryHour && hour != values.hour) continue;
            LocalMinute t = day;
            t.hour = hour;
            t.minute = values.minute;
            if (today && (hour < from.hour || (hour == from.hour && values.minute < from.minute))) continue;
            if (ScheduleMatches(kind, values, t)) {
                due = t;
                return true;
            }
        }
        if (++day.day > DaysInMonth(day.year, day.month)) {
            day.day = 1;
            if (++day.month > 12) {
                day.month = 1;
                ++day.year;
            }
        }
        day.hour = 0;
        day.minute = 0;
    }
    return false;
}

bool ScheduleGate::ShouldRun(int kind, const ScheduleValues& values, const LocalMinute& now, bool runActive) {
    if (runActive || !ScheduleMatches(kind, values, now)) return false;
    const long long key = MinuteKey(now);
    if (key == lastFired_) return false;
    lastFired_ = key;
    return true;
}

int SpinPosition(long answer, int low, int high, const std::string& buddyText) {
    if (((static_cast<unsigned long>(answer) >> 16) & 0xFFFF) == 0) return static_cast<short>(answer & 0xFFFF);
    return ProfileNumber(buddyText, low, high);
}

int ProfileNumber(const std::string& text, int low, int high) {
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return value < low ? low : value > high ? high : static_cast<int>(value);
}

int ProfileHour(const std::string& text) {
    return std::strtol(text.c_str(), nullptr, 10) == 100 ? 17 : ProfileNumber(text, 0, 23);
}

}  // namespace backup::schedule
