// Times the split and join workers' engine on real files, for
// bench_splitjoin.sh:  splitjoin_bench split SOURCE DESTINATION PIECE_KB
//                      splitjoin_bench join FIRST_PIECE OUTPUT
// Prints "seconds <s> private_growth_kb <kb>": the engine's time and how much
// the process's private memory grew while it ran (its buffers).
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "JoinEngine.h"
#include "PieceSeries.h"
#include "SplitEngine.h"
#include "Text.h"
#include "Win32EngineFiles.h"

namespace {

class NoEvents : public EngineEvents {
public:
    bool StopRequested() override { return false; }
    void Percent(int) override {}
    void Item(std::uint64_t) override {}
};

SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakPagefileUsage;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: splitjoin_bench split SOURCE DEST KB | join FIRST_PIECE OUTPUT\n");
        return 2;
    }
    const std::string mode = argv[1];
    Win32EngineFiles files;
    NoEvents events;
    const SIZE_T before = PrivateBytes();
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    RunResult result;
    if (mode == "split" && argc >= 5) {
        const std::uint64_t pieceBytes = std::strtoull(argv[4], nullptr, 10) * 1024;
        result = RunSplit(files, SplitRequest{argv[2], argv[3], pieceBytes}, events, SystemLeadByte);
    } else if (mode == "join") {
        JoinRequest request;
        request.inputs = ListPieceSeries(argv[2], [](const std::string& p) {
            return GetFileAttributesA(p.c_str()) != INVALID_FILE_ATTRIBUTES;
        }, SystemLeadByte);
        request.output = argv[3];
        request.how = OutputOpen::CreateOrReplace;
        result = RunJoin(files, request, events);
    } else {
        return 2;
    }
    QueryPerformanceCounter(&end);
    if (result.status != RunStatus::Done) {
        std::fprintf(stderr, "failed: %s (%d)\n", result.path.c_str(), result.error);
        return 1;
    }
    const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    std::printf("seconds %.3f private_growth_kb %lu\n", seconds,
                static_cast<unsigned long>((PrivateBytes() - before) / 1024));
    return 0;
}
