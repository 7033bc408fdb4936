// Schedule arithmetic of scheduled backups: the texts the schedule dialogs
// build, whether a local minute is due, the next due minute, and the gate
// that lets each due minute start one run and never one over another.
#pragma once
#include <string>

// In a namespace of its own: the clock has calendar helpers of the same names.
namespace backup::schedule {

enum ScheduleKind { kEveryHour = 0, kEveryWeek = 1, kEveryDay = 2, kEveryMonth = 3 };

// -1: never set by a schedule dialog; such a schedule never fires.
struct ScheduleValues {
    int hour = 17;
    int minute = -1;
    int weekday = -1;  // 1 Monday .. 7 Sunday
    int dayOfMonth = -1;
    int lastDay = -1;  // 1: also the month's last day
};

struct LocalMinute {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0;
    int weekday = 6;  // 0 Sunday .. 6 Saturday
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// 0 Sunday .. 6 Saturday.
int WeekdayOf(int year, int month, int day);

// "at 08:05".
std::string ScheduleTimeText(int hour, int minute);
// "st", "nd", "rd" for exactly 1, 2 and 3; "th" otherwise.
const char* OrdinalSuffix(int number);
// "at  5th minute": always 14 characters, which is how a stored text is
// known to be an hourly one.
std::string HourlyScheduleText(int minute);
std::string WeeklyScheduleText(int hour, int minute, const std::string& weekdayName);
std::string MonthlyScheduleText(int hour, int minute, int day, bool lastDay);
constexpr std::size_t kHourlyTextLength = 14;

bool ScheduleMatches(int kind, const ScheduleValues& values, const LocalMinute& now);
// The first matching minute at or after `from`, within eight years; false
// when the schedule never fires.
bool NextDue(int kind, const ScheduleValues& values, const LocalMinute& from, LocalMinute& due);

// The once-a-minute check: starts a run when the minute is due, no run is
// going on, and this minute has not started one already (a timer message
// that arrives late, or twice within a minute, must not run it again).
class ScheduleGate {
public:
    bool ShouldRun(int kind, const ScheduleValues& values, const LocalMinute& now, bool runActive);

private:
    long long lastFired_ = -1;
};

// An up-down control's position as UDM_GETPOS answers it: the high word is
// an error flag when the buddy's text is out of range; then the nearest end.
int SpinPosition(long answer, int low, int high, const std::string& buddyText);
// A number from the registry profile, leniently read and clamped.
int ProfileNumber(const std::string& text, int low, int high);
// A stored hour: "100", what a dialog never confirmed stores, stands for 17.
int ProfileHour(const std::string& text);

}  // namespace backup::schedule
