// The alarm store: up to 32 alarms in the sections of "Zonef.ini" beside the
// program that [Zone] leaves, read and written one key at a time. Row 1 is the
// newest alarm; rows stay packed. Every value may have been edited by hand, so
// counts, states and flags are read through the clamping parsers.
#pragma once
#include <array>
#include <map>
#include <string>
#include <vector>

#include "IniText.h"

constexpr int MaxAlarms = 32;
// Slot s of the sound, memo and state keys belongs to row s; slot 0 to none.
constexpr int AlarmSlotCount = MaxAlarms + 1;

enum AlarmState : int { asNone = 0, asOn = 1, asOff = 2, asDone = 3 };

// The Date column of a daily alarm.
extern const char EveryDayText[];  // "Every day"

// One alarm: the four texts the list shows and the three slot values.
struct TStoredAlarm {
    std::string Date;      // EveryDayText, or the date as AlarmDateText writes it
    std::string Time;      // as AlarmTimeText writes it
    std::string Location;  // name and zone, as CityZoneText writes it
    std::string Style;     // "T", "S" or "T/S"
    std::string SoundFile;
    std::string Memo;
    int State = asOn;
    bool Daily() const { return Date == EveryDayText; }
};
bool operator==(const TStoredAlarm& a, const TStoredAlarm& b);

// The daylight flag of row `row` of `count` alarms is keyed from the bottom,
// so inserting at the top never moves an older alarm's key.
inline int DaylightKey(int row, int count) { return count + 1 - row; }

// The alarms of rows 1..count, the count clamped to 0..MaxAlarms; a state that
// is no number reads as 0.
std::vector<TStoredAlarm> LoadAlarms(const TProfile& ini);
// Whether the store names at least one alarm.
bool AlarmsStored(const TProfile& ini);
// The list as it stands: every row, all 33 slots (those past the last row
// empty, state 0), the count, and the committed daylight flags of the rows
// copied from the working ones.
void SaveAlarms(TProfile& ini, const std::vector<TStoredAlarm>& alarms);

// Working ([ZoneMenuAlarmTempDaylight]) and committed ([ZoneMenuAlarmDaylight])
// daylight flags.
bool ReadAlarmDaylight(const TProfile& ini, bool working, int key);
void WriteWorkingDaylight(TProfile& ini, int key, bool value);
// The working flags after the alarm with `removedKey` of `count` left: the
// keys above it move down one, and the old top key ends clear, also when the
// removed alarm was the top one (else the next alarm added would inherit its
// flag).
void CompactDaylightFlags(TProfile& ini, int removedKey, int count);

// The state "3" the check writes after a one-time alarm fired.
void MarkAlarmDone(TProfile& ini, int row);
