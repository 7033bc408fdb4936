// Runs Brimo.exe on one file for brimo.sh and watches it:
//   brimo_bench BRIMO FILE TEMP_FOLDER
// Prints "seconds <s> peak_kb <kb>": the time from start to end, and the
// largest working set the process reached. The figure is read while the
// process runs, since Wine has none for a process that has ended.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    SetEnvironmentVariableA("TEMP", argv[3]);
    SetEnvironmentVariableA("TMP", argv[3]);
    std::string line = std::string("\"") + argv[1] + "\" \"" + argv[2] + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
    SIZE_T peak = 0;
    do {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(pi.hProcess, &counters, sizeof counters) && counters.PeakWorkingSetSize > peak)
            peak = counters.PeakWorkingSetSize;
    } while (WaitForSingleObject(pi.hProcess, 20) == WAIT_TIMEOUT);
    QueryPerformanceCounter(&end);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    std::printf("seconds %.3f peak_kb %lu\n", double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart),
                static_cast<unsigned long>(peak / 1024));
    return static_cast<int>(code);
}
