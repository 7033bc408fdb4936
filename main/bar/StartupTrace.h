// Where the bar's start-up spends its time and memory: a line at each step,
// compiled in only when the build is configured with MIVORA_STARTUP_TRACE=ON
// (off by default; the shipped program has none of it). Each line gives the
// milliseconds since the process was created, so the loading of libraries
// before the entry point counts too, and the working set at that moment:
//   startup <ms> <KB> <step>
// on the standard error, where Wine's own log (WINEDEBUG=+loaddll) goes.
#pragma once

#ifdef MIVORA_STARTUP_TRACE
#include <windows.h>
#include <psapi.h>

#include <cstdio>

inline void StartupStep(const char* step) {
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    // Looked up in kernel32, so the trace loads no library the bar would not.
    using MemoryInfoFn = BOOL(WINAPI*)(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD);
    static const auto memoryInfo = reinterpret_cast<MemoryInfoFn>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "K32GetProcessMemoryInfo"));
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (memoryInfo) memoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    char line[256];
    const int n = snprintf(line, sizeof line, "startup %8.1f %7lu %s\n", (ticks(now) - ticks(created)) / 1e4,
                           static_cast<unsigned long>(memory.WorkingSetSize / 1024), step);
    if (n <= 0) return;
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, static_cast<DWORD>(n < static_cast<int>(sizeof line) ? n : sizeof line - 1),
              &written, nullptr);
}
#define STARTUP_STEP(step) StartupStep(step)
#else
#define STARTUP_STEP(step) ((void)0)
#endif
