// Times the split and join workers' engine on real files, for splitjoin.sh:
//   splitjoin_bench split SOURCE DESTINATION PIECE_KB
//   splitjoin_bench join FIRST_PIECE OUTPUT
// and the same work as the plainest Win32 loop (CreateFileA, ReadFile,
// WriteFile through a buffer of the engine's size, nothing else), the limit
// of a program on this platform:
//   splitjoin_bench plain-split ... | plain-join ...
// Prints "seconds <s> private_growth_kb <kb>": the time and how much the
// process's private memory grew while it ran (its buffers).
#include <windows.h>
#include "bench/BenchTiming.h"

#include <cstdio>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "splitjoin/core/JoinEngine.h"
#include "splitjoin/core/PieceNames.h"
#include "splitjoin/core/PieceSeries.h"
#include "splitjoin/core/SplitEngine.h"
#include "framework/dialogs/Text.h"
#include "dialogkit/Win32EngineFiles.h"

using namespace splitjoin;

namespace {

class NoEvents : public EngineEvents {
public:
    bool StopRequested() override { return false; }
    void Percent(int) override {}
    void Item(std::uint64_t) override {}
};

// The plain loop: one handle per file, no checks beyond the calls' results.
bool CopyBytes(HANDLE from, HANDLE to, std::vector<char>& buffer, std::uint64_t count, bool& ended) {
    ended = false;
    while (count > 0) {
        DWORD got = 0, put = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::uint64_t>(count, buffer.size()));
        if (!ReadFile(from, buffer.data(), want, &got, nullptr)) return false;
        if (got == 0) {
            ended = true;
            return true;
        }
        if (!WriteFile(to, buffer.data(), got, &put, nullptr) || put != got) return false;
        count -= got;
    }
    return true;
}

HANDLE OpenRead(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

HANDLE OpenWrite(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool PlainSplit(const std::string& source, const std::string& destination, std::uint64_t pieceBytes) {
    std::vector<char> buffer(kCopyBlockSize);
    HANDLE in = OpenRead(source);
    if (in == INVALID_HANDLE_VALUE) return false;
    const std::string prefix = PiecePrefix(destination, source, SystemLeadByte);
    bool ok = true, ended = false;
    for (std::uint64_t index = 1; ok && !ended; ++index) {
        HANDLE out = OpenWrite(PieceName(prefix, index));
        if (out == INVALID_HANDLE_VALUE) {
            ok = false;
            break;
        }
        ok = CopyBytes(in, out, buffer, pieceBytes, ended);
        ok = CloseHandle(out) && ok;
    }
    CloseHandle(in);
    return ok;
}

bool PlainJoin(const std::vector<std::string>& inputs, const std::string& output) {
    std::vector<char> buffer(kCopyBlockSize);
    HANDLE out = OpenWrite(output);
    if (out == INVALID_HANDLE_VALUE) return false;
    bool ok = true, ended = false;
    for (const std::string& input : inputs) {
        HANDLE in = OpenRead(input);
        if (in == INVALID_HANDLE_VALUE) {
            ok = false;
            break;
        }
        ok = CopyBytes(in, out, buffer, UINT64_MAX, ended);
        CloseHandle(in);
        if (!ok) break;
    }
    return CloseHandle(out) && ok;
}

std::vector<std::string> Series(const char* first) {
    return ListPieceSeries(first, [](const std::string& p) {
        return GetFileAttributesA(p.c_str()) != INVALID_FILE_ATTRIBUTES;
    }, SystemLeadByte);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: splitjoin_bench [plain-]split SOURCE DEST KB | [plain-]join FIRST_PIECE OUTPUT\n");
        return 2;
    }
    const std::string mode = argv[1];
    Win32EngineFiles files;
    NoEvents events;
    const SIZE_T before = PeakPrivateBytes();
    const double start = NowSeconds();
    RunResult result;
    if (mode == "split" && argc >= 5) {
        const std::uint64_t pieceBytes = std::strtoull(argv[4], nullptr, 10) * 1024;
        result = RunSplit(files, SplitRequest{argv[2], argv[3], pieceBytes}, events, SystemLeadByte);
    } else if (mode == "join") {
        JoinRequest request;
        request.inputs = Series(argv[2]);
        request.output = argv[3];
        request.how = OutputOpen::CreateOrReplace;
        result = RunJoin(files, request, events, SystemLeadByte);
    } else if (mode == "plain-split" && argc >= 5) {
        if (!PlainSplit(argv[2], argv[3], std::strtoull(argv[4], nullptr, 10) * 1024))
            result = RunResult{RunStatus::WriteFailed, argv[3], static_cast<int>(GetLastError()), 0};
    } else if (mode == "plain-join") {
        if (!PlainJoin(Series(argv[2]), argv[3]))
            result = RunResult{RunStatus::WriteFailed, argv[3], static_cast<int>(GetLastError()), 0};
    } else {
        return 2;
    }
    const double seconds = NowSeconds() - start;
    if (result.status != RunStatus::Done) {
        std::fprintf(stderr, "failed: %s (%d)\n", result.path.c_str(), result.error);
        return 1;
    }
    std::printf("seconds %.3f private_growth_kb %lu\n", seconds,
                static_cast<unsigned long>((PeakPrivateBytes() - before) / 1024));
    return 0;
}
