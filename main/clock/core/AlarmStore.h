// The alarm store: up to 32 alarms in the sections of "Zonef.ini" beside the
// program that [Zone] leaves, read and written one key at a time. Row 1 is the
// newest alarm; rows stay packed. Every value may have been edited by hand, so
// counts, states and flags are read through the clamping parsers.
#pragma once
#include <array>
#include <map>
#include <string>
#include <vector>

#include "framework/core/IniText.h"

namespace worldclock {

constexpr int MaxAlarms = 32;
// Slot s of the sound, memo and state keys belongs to row s; slot 0 to none.
constexpr int AlarmSlotCount = MaxAlarms + 1;

enum AlarmState : int { asNone = 0, asOn = 1, asOff = 2, asDone = 3 };

// The Date column of a daily alarm.
extern const char EveryDayText[];  // "Every day"

// One alarm: the four texts the list shows, the three slot values and its
// daylight flag.
struct TStoredAlarm {
    std::string Date;      // EveryDayText, or the date as AlarmDateText writes it
    std::string Time;      // as AlarmTimeText writes it
    std::string Location;  // name and zone, as CityZoneText writes it
    std::string Style;     // "T", "S" or "T/S"
    std::string SoundFile;
    std::string Memo;
    int State = asOn;
    // Its location keeps daylight-saving time: an hour is added to its offset.
    bool Daylight = false;
    bool Daily() const { return Date == EveryDayText; }
};
bool operator==(const TStoredAlarm& a, const TStoredAlarm& b);

// The daylight flag of row `row` of `count` alarms is keyed from the bottom,
// so inserting at the top never moves an older alarm's key.
inline int DaylightKey(int row, int count) { return count + 1 - row; }

// What the store holds beside the alarms a list shows, as it was read: the
// slots and daily marks of the rows up to 32 that hold none of them. Saving
// writes these back unchanged, so a count out of range ("-3" shows no alarm)
// loses nothing at the next save.
struct TSpareRows {
    std::array<std::string, AlarmSlotCount> SoundFile, Memo, State, DaySetting;
    TSpareRows() { State.fill("0"); }
};

// The alarms of rows 1..count with their committed daylight flags, the count
// clamped to 0..MaxAlarms; a state that is no number reads as 0. `spare`, when
// given, gets what the other rows hold.
std::vector<TStoredAlarm> LoadAlarms(const TProfile& ini, TSpareRows* spare = nullptr);
// Whether the store names at least one alarm.
bool AlarmsStored(const TProfile& ini);
// The list as it stands: every row, all 33 slots (those past the last row from
// `spare`), the count, and the daylight flags of the rows, working and
// committed alike (a list keeps its flags with its alarms until it is saved, so
// a visit closed without saving changes nothing). A row past 32 is never
// touched, nor the daily mark of a row `spare` holds.
void SaveAlarms(TProfile& ini, const std::vector<TStoredAlarm>& alarms, const TSpareRows& spare);

// The state "3" the check writes after a one-time alarm fired.
void MarkAlarmDone(TProfile& ini, int row);

}  // namespace worldclock
