#include "main/clock/ClockSource.h"

#include <windows.h>

namespace worldclock {

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

SYSTEMTIME SystemTimeOf(const CivilTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.Year);
    st.wMonth = static_cast<WORD>(t.Month);
    st.wDay = static_cast<WORD>(t.Day);
    st.wDayOfWeek = static_cast<WORD>(DayOfWeek(t.Year, t.Month, t.Day));
    st.wHour = static_cast<WORD>(t.Hour);
    st.wMinute = static_cast<WORD>(t.Minute);
    st.wSecond = static_cast<WORD>(t.Second);
    st.wMilliseconds = static_cast<WORD>(t.Millisecond);
    return st;
}

}  // namespace worldclock
