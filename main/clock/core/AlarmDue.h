// When an alarm is due. Each check of the clock covers the span since the
// previous check, so a tick that comes late or not at all loses no alarm, and
// an alarm fires in exactly one span, however often the clock is read.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "AlarmRules.h"
#include "AlarmStore.h"
#include "LeadBytes.h"
#include "ZoneMath.h"

// Milliseconds since 1970-01-01 00:00 UTC.
long long InstantOf(const CivilTime& utc);

// The moment an alarm is set for, at its location's time.
struct TAlarmMoment {
    bool Valid = false;  // a date and time that parse
    bool Daily = false;  // the date does not count
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};
TAlarmMoment AlarmMomentOf(const TStoredAlarm& alarm);

// The latest instant at or before `now` at which a zone of `offsetMinutes`
// shows the moment: the moment itself for a one-time alarm (which may lie
// after `now`), today's or else yesterday's occurrence for a daily one.
// `zoneDate` gets that occurrence's date at the zone.
long long OccurrenceAtOrBefore(const TAlarmMoment& moment, int offsetMinutes, long long now, CivilTime& zoneDate);

// The state an alarm gets when it is set: a one-time alarm whose moment has
// passed is done; one that falls on this very millisecond is still on, and
// fires with the next check.
AlarmState AlarmOneTimeState(const TAlarmMoment& moment, int offsetMinutes, const CivilTime& nowUtc);

// The span (From, To] of instants one check covers.
struct TCheckSpan {
    long long From = 0, To = 0;
    bool Holds(long long instant) const { return instant > From && instant <= To; }
};

// A check catches up at most this far: a longer gap (the clock set forward,
// the machine asleep) is not made up.
constexpr long long MaxCatchUpMs = 60 * 1000;

class TCheckWindow {
public:
    // The span of a check at `now`, which becomes the start of the next one.
    // The first check covers the current second; a clock set back covers
    // nothing, and the alarms it moved back before fire again when reached.
    TCheckSpan Next(long long now);

private:
    bool started_ = false;
    long long last_ = 0;
};

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
// parse. `zoneOf` gives a location's [Zone] value, `daylightOf` the committed
// daylight flag of a key.
std::vector<TCheckedAlarm> CheckedAlarms(const std::vector<TStoredAlarm>& alarms,
                                         const std::function<int(const std::string& name)>& zoneOf,
                                         const std::function<bool(int key)>& daylightOf, LeadBytePredicate isLead);
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
// The alarms due within `span`, top row first.
std::vector<TDueAlarm> DueAlarms(const std::vector<TCheckedAlarm>& alarms, int localOffset, const TCheckSpan& span);
