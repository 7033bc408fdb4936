// The alarm check: once a second, from the clock panel's tick while the alarm
// list is closed, every alarm that fell due since the last check shows its
// notice and plays its sound, and a one-time alarm is marked done.
#pragma once
#include <functional>
#include <string>

#include "main/clock/ClockIni.h"

namespace worldclock {

// Plays a wave file while the notice is up; tests record the path instead.
extern std::function<void(const std::string& path)> AlarmPlaySound;

void CheckAlarms();
// The sections of the store as the file holds them, a section a call: a key a
// call would take some three hundred calls, and under Wine each reads the
// file again.
TIniText ReadStoreSections(const TClockIni& ini);
// Whether the store holds at least one alarm (the clock panel's alarm mark).
bool AlarmsExist();
// The store was written: the next check reads it again.
void AlarmStoreChanged();
// Forgets the span of the last check, so the next one covers only its own
// second, as after a start of the program.
void ResetAlarmCheck();

// The clock's hand-over to the alarms: the mark, the check, the clock menu's
// "Alarm... ".
void ConnectAlarms();

}  // namespace worldclock
