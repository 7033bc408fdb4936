#include "AlarmDue.h"

#include "ClockRules.h"
#include "StrUtils.h"
#include "ZoneOffsets.h"

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

long long OccurrenceAtOrBefore(const TAlarmMoment& moment, int offsetMinutes, long long now, CivilTime& zoneDate) {
    const long long offset = offsetMinutes * kMsPerMinute;
    long long days = 0;
    if (moment.Daily) {
        const long long zoneNow = now + offset;
        days = FloorDiv(zoneNow, kMsPerDay);
        if (days * kMsPerDay + TimeOfDayMs(moment) > zoneNow) --days;
    } else {
        days = DaysFromCivil(moment.Year, moment.Month, moment.Day);
    }
    zoneDate = CivilTime{};
    CivilFromDays(days, zoneDate.Year, zoneDate.Month, zoneDate.Day);
    return days * kMsPerDay + TimeOfDayMs(moment) - offset;
}

AlarmState AlarmOneTimeState(const TAlarmMoment& moment, int offsetMinutes, const CivilTime& nowUtc) {
    if (moment.Daily) return asOn;
    const long long now = InstantOf(nowUtc);
    CivilTime date;
    return OccurrenceAtOrBefore(moment, offsetMinutes, now, date) >= now ? asOn : asDone;
}

TCheckSpan TCheckWindow::Next(long long now) {
    TCheckSpan span{now, now};
    if (!started_)
        span.From = FloorDiv(now, kMsPerSecond) * kMsPerSecond - 1;
    else if (now >= last_)
        span.From = now - last_ > MaxCatchUpMs ? now - MaxCatchUpMs : last_;
    started_ = true;
    last_ = now;
    return span;
}

bool IsLocalTimeName(const std::string& name) { return SameTextAscii(name, LocalTimeName); }

std::vector<TCheckedAlarm> CheckedAlarms(const std::vector<TStoredAlarm>& alarms,
                                         const std::function<int(const std::string& name)>& zoneOf,
                                         const std::function<bool(int key)>& daylightOf, LeadBytePredicate isLead) {
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
        c.Daylight = daylightOf(DaylightKey(n, count));
        c.LocalTime = IsLocalTimeName(c.Name);
        c.Alarm = a;
        out.push_back(std::move(c));
    }
    return out;
}

int CheckedOffset(const TCheckedAlarm& alarm, int localOffset) {
    return WithDaylight(alarm.LocalTime ? localOffset : alarm.StandardMinutes, alarm.Daylight);
}

std::vector<TDueAlarm> DueAlarms(const std::vector<TCheckedAlarm>& alarms, int localOffset, const TCheckSpan& span) {
    std::vector<TDueAlarm> due;
    for (const TCheckedAlarm& c : alarms) {
        CivilTime date;
        if (!span.Holds(OccurrenceAtOrBefore(c.Moment, CheckedOffset(c, localOffset), span.To, date))) continue;
        TDueAlarm d;
        d.Row = c.Row;
        d.Alarm = c.Alarm;
        d.NoticeText = AlarmNoticeText(c.Name, c.LocalTime ? localOffset : c.StandardMinutes, date.Year, date.Month,
                                       date.Day, c.Moment.Hour, c.Moment.Minute, c.Moment.Second);
        due.push_back(std::move(d));
    }
    return due;
}
