#include "ClockSource.h"

#include <windows.h>

namespace {
TClockSource& Source() {
    static TClockSource source;
    return source;
}

std::uint64_t Ticks(const FILETIME& ft) {
    return (static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}
}  // namespace

TClockSource SetClockSource(TClockSource source) {
    TClockSource previous = std::move(Source());
    Source() = std::move(source);
    return previous;
}

TClockReading SystemClockReading() {
    FILETIME utc{}, local{};
    GetSystemTimeAsFileTime(&utc);
    TClockReading r;
    r.Utc = FileTimeToCivil(Ticks(utc));
    // Both calls exist on every system from Windows 95 and NT on.
    if (FileTimeToLocalFileTime(&utc, &local)) r.LocalOffset = LocalOffsetFromFileTimes(Ticks(utc), Ticks(local));
    return r;
}

TClockReading ReadClock() { return Source() ? Source()() : SystemClockReading(); }

int GetLocalZoneMinutes() { return ReadClock().LocalOffset; }
