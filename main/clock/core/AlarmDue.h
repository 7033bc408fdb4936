// When an alarm is due. Each check of the clock covers the span since the
// previous check, so a tick that comes late or not at all loses no alarm, and
// an alarm fires in exactly one span, however often the clock is read.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "main/clock/core/AlarmRules.h"
#include "main/clock/core/AlarmStore.h"
#include "framework/core/LeadBytes.h"
#include "main/clock/core/ZoneMath.h"

namespace worldclock {

// Milliseconds since 1970-01-01 00:00 UTC.
long long InstantOf(const CivilTime& utc);

// The moment an alarm is set for, at its location's time.
struct TAlarmMoment {
    bool Valid = false;  // a date and time that parse
    bool Daily = false;  // the date does not count
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};
TAlarmMoment AlarmMomentOf(const TStoredAlarm& alarm);

// The latest moment at or before `wall` (milliseconds of a zone's own clock
// since 1970-01-01 00:00 there) at which the alarm stands: the moment itself
// for a one-time alarm (which may lie after `wall`), that day's or else the day
// before's for a daily one.
long long MomentAtOrBefore(const TAlarmMoment& moment, long long wall);

// The state an alarm gets when it is set: a one-time alarm whose moment has
// passed is done; one that falls on this very millisecond is still on, and
// fires with the next check.
AlarmState AlarmOneTimeState(const TAlarmMoment& moment, int offsetMinutes, const CivilTime& nowUtc);

// A check catches up at most this far: a longer gap (the clock set forward,
// the machine asleep) is not made up.
constexpr long long MaxCatchUpMs = 60 * 1000;

// One alarm as the check reads it from the store.
struct TCheckedAlarm {
    int Row = 0;
    std::string Name;           // the location's name
    int StandardMinutes = 480;  // its [Zone] value
    bool Daylight = false;      // its committed daylight flag
    bool LocalTime = false;     // "Local Time": the machine's offset, as it is now
    TAlarmMoment Moment;
    TStoredAlarm Alarm;
};
// The alarms the check looks at: those that are on, with a date and time that
// parse. `zoneOf` gives a location's [Zone] value.
std::vector<TCheckedAlarm> CheckedAlarms(const std::vector<TStoredAlarm>& alarms,
                                         const std::function<int(const std::string& name)>& zoneOf,
                                         LeadBytePredicate isLead);
// "Local Time", in any letter case.
bool IsLocalTimeName(const std::string& name);

// The offset the alarm is due by.
int CheckedOffset(const TCheckedAlarm& alarm, int localOffset);

struct TDueAlarm {
    int Row = 0;
    TStoredAlarm Alarm;
    // The location's name, zone, and the alarm's date and time there.
    std::string NoticeText;
};

// The checks of the clock one after another. Each covers the span since the
// previous one, at each alarm's location by that location's own clock: from
// where it stood then, by the offset it had then, to where it stands now. A
// daylight change, the machine's or a location's flag, thus moves the clock on
// or back within one span, and
//  - a moment that a move forward skips fires at the end of the gap;
//  - an alarm fires at most once for each date of its location, also when a
//    move back shows its moment twice.
// The first check covers its own second; a clock set back covers nothing,
// and the alarms it moved back before fire again when reached.
class TCheckWindow {
public:
    // The alarms due at a check at `now`, top row first.
    std::vector<TDueAlarm> Due(const std::vector<TCheckedAlarm>& alarms, int localOffset, long long now);

private:
    // What an alarm left at the previous check. Alarms are told apart by
    // location, date and time (equal ones by their order), so reading the
    // store anew, after the list moved rows or changed a flag, loses nothing.
    struct TTrace {
        int Offset = 0;
        long long FiredDay = 0;
        bool Fired = false;
    };
    // Whether `alarm` falls due in the span (from, now] at its location's own
    // clock, which stands `offset` minutes from UTC now and stood as `trace`
    // kept it at the previous check; `day` gets the location's day of its
    // moment, and `trace` what this check leaves.
    static bool IsAlarmDue(const TCheckedAlarm& alarm, int offset, long long from, long long now, TTrace& trace,
                           long long& day);
    bool started_ = false;
    long long last_ = 0;
    std::map<std::string, TTrace> traces_;
};

}  // namespace worldclock
