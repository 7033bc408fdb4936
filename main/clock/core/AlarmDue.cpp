#include "main/clock/core/AlarmDue.h"

#include "main/clock/core/ClockRules.h"
#include "framework/core/StrUtils.h"
#include "main/clock/core/ZoneOffsets.h"

namespace worldclock {

namespace {
constexpr long long kMsPerSecond = 1000;
constexpr long long kMsPerMinute = 60 * kMsPerSecond;
constexpr long long kMsPerDay = 24 * 60 * kMsPerMinute;

long long FloorDiv(long long a, long long b) { return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0); }

long long TimeOfDayMs(const TAlarmMoment& m) { return ((m.Hour * 60LL + m.Minute) * 60 + m.Second) * kMsPerSecond; }
}  // namespace

long long InstantOf(const CivilTime& utc) {
    return DaysFromCivil(utc.Year, utc.Month, utc.Day) * kMsPerDay + utc.Hour * 3600 * kMsPerSecond +
           utc.Minute * kMsPerMinute + utc.Second * kMsPerSecond + utc.Millisecond;
}

TAlarmMoment AlarmMomentOf(const TStoredAlarm& alarm) {
    TAlarmMoment m;
    m.Daily = alarm.Daily();
    const bool date = m.Daily || ParseAlarmDate(alarm.Date, m.Year, m.Month, m.Day);
    m.Valid = date && ParseAlarmTime(alarm.Time, m.Hour, m.Minute, m.Second);
    return m;
}

long long MomentAtOrBefore(const TAlarmMoment& moment, long long wall) {
    long long days = 0;
    if (moment.Daily) {
        days = FloorDiv(wall, kMsPerDay);
        if (days * kMsPerDay + TimeOfDayMs(moment) > wall) --days;
    } else {
        days = DaysFromCivil(moment.Year, moment.Month, moment.Day);
    }
    return days * kMsPerDay + TimeOfDayMs(moment);
}

AlarmState AlarmOneTimeState(const TAlarmMoment& moment, int offsetMinutes, const CivilTime& nowUtc) {
    if (moment.Daily) return asOn;
    const long long wall = InstantOf(nowUtc) + offsetMinutes * kMsPerMinute;
    return MomentAtOrBefore(moment, wall) >= wall ? asOn : asDone;
}

bool TCheckWindow::IsAlarmDue(const TCheckedAlarm& alarm, int offset, long long from, long long now, TTrace& trace,
                              long long& day) {
    // The span at the location's own clock: a change of its offset since
    // the previous check moves the start on (a gap) or back.
    const long long start = from + trace.Offset * kMsPerMinute, end = now + offset * kMsPerMinute;
    const long long at = MomentAtOrBefore(alarm.Moment, end);
    day = FloorDiv(at, kMsPerDay);
    trace.Offset = offset;
    if (at <= start || at > end || (trace.Fired && trace.FiredDay == day)) return false;
    trace.Fired = true;
    trace.FiredDay = day;
    return true;
}

std::vector<TDueAlarm> TCheckWindow::Due(const std::vector<TCheckedAlarm>& alarms, int localOffset, long long now) {
    // The span (from, to] of instants this check covers.
    long long from = now;
    const bool setBack = started_ && now < last_;
    if (!started_)
        from = FloorDiv(now, kMsPerSecond) * kMsPerSecond - 1;
    else if (!setBack)
        from = now - last_ > MaxCatchUpMs ? now - MaxCatchUpMs : last_;
    started_ = true;
    last_ = now;

    std::map<std::string, TTrace> traces;
    std::map<std::string, int> equal;
    std::vector<TDueAlarm> due;
    for (const TCheckedAlarm& c : alarms) {
        std::string key = c.Name + '\n' + c.Alarm.Date + '\n' + c.Alarm.Time + '\n';
        key += IntToStr(equal[key]++);
        const int offset = CheckedOffset(c, localOffset);
        const auto known = traces_.find(key);
        TTrace trace = known != traces_.end() ? known->second : TTrace{offset, 0, false};
        if (setBack) trace.Fired = false;
        long long day = 0;
        if (IsAlarmDue(c, offset, from, now, trace, day)) {
            CivilTime date;
            CivilFromDays(day, date.Year, date.Month, date.Day);
            TDueAlarm d;
            d.Row = c.Row;
            d.Alarm = c.Alarm;
            d.NoticeText = AlarmNoticeText(c.Name, c.LocalTime ? localOffset : c.StandardMinutes, date.Year,
                                           date.Month, date.Day, c.Moment.Hour, c.Moment.Minute, c.Moment.Second);
            due.push_back(std::move(d));
        }
        traces[key] = trace;
    }
    traces_ = std::move(traces);
    return due;
}

bool IsLocalTimeName(const std::string& name) { return SameTextAscii(name, LocalTimeName); }

std::vector<TCheckedAlarm> CheckedAlarms(const std::vector<TStoredAlarm>& alarms,
                                         const std::function<int(const std::string& name)>& zoneOf,
                                         LeadBytePredicate isLead) {
    std::vector<TCheckedAlarm> out;
    const int count = static_cast<int>(alarms.size());
    for (int n = 1; n <= count; ++n) {
        const TStoredAlarm& a = alarms[static_cast<size_t>(n - 1)];
        if (a.State != asOn) continue;
        TCheckedAlarm c;
        c.Row = n;
        c.Moment = AlarmMomentOf(a);
        if (!c.Moment.Valid) continue;
        c.Name = ExtractCityName(a.Location, isLead);
        c.StandardMinutes = zoneOf(c.Name);
        c.Daylight = a.Daylight;
        c.LocalTime = IsLocalTimeName(c.Name);
        c.Alarm = a;
        out.push_back(std::move(c));
    }
    return out;
}

int CheckedOffset(const TCheckedAlarm& alarm, int localOffset) {
    return WithDaylight(alarm.LocalTime ? localOffset : alarm.StandardMinutes, alarm.Daylight);
}

}  // namespace worldclock
