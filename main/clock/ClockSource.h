// Where the world clock reads the time: one reading gives the UTC time and the
// machine's own offset together. Every read of the clock goes through here, so
// tests can put the clock at any instant and the machine in any zone.
#pragma once
#include <windows.h>

#include <functional>

#include "main/clock/core/ZoneMath.h"

namespace worldclock {

struct TClockReading {
    CivilTime Utc;
    // Minutes east of UTC of the machine's local time, daylight saving
    // included as far as the machine's clock includes it; -1439..1439.
    int LocalOffset = 0;
};

using TClockSource = std::function<TClockReading()>;

// Replaces the source; an empty one restores the system clock. Returns the
// source it replaces.
TClockSource SetClockSource(TClockSource source);
TClockReading ReadClock();
// The system clock: the UTC time as a file time, turned into local time by the
// system, both from the one reading.
TClockReading SystemClockReading();

// The machine's current offset from UTC in minutes.
int GetLocalZoneMinutes();

// The system's record of `t`, its weekday included.
SYSTEMTIME SystemTimeOf(const CivilTime& t);

}  // namespace worldclock
