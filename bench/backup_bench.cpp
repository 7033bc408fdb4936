// Times one backup of a folder tree under Wine, by the copy engine (no
// dialog) or by the plainest Win32 loop doing the same work: find, make the
// folder, CopyFileA each file, which is this platform's limit.
//   backup_bench engine SOURCE DEST [FILE_OPERATION]   (default 0)
//   backup_bench copyfile SOURCE DEST
// Prints "seconds S files N bytes B peak_kb K".
#include <windows.h>
#include "bench/BenchTiming.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "backup/core/CopyEngine.h"
#include "framework/win32/ScopedHandle.h"
#include "framework/dialogs/Text.h"
#include "dialogkit/Win32EngineFiles.h"

using namespace backup;

namespace {

class NoEvents : public CopyEvents {
public:
    bool StopRequested() override { return false; }
    void Percent(int) override {}
};

std::uint64_t files = 0, bytes = 0;

// Copies the tree below `source` into `target` (both with "\").
bool CopyFileLoop(const std::string& source, const std::string& target) {
    CreateDirectoryA(target.c_str(), nullptr);
    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstFileA((source + "*.*").c_str(), &data));
    if (!find) return false;
    bool ok = true;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ok = CopyFileLoop(source + name + "\\", target + name + "\\") && ok;
        } else {
            ok = CopyFileA((source + name).c_str(), (target + name).c_str(), FALSE) && ok;
            ++files;
            bytes += (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        }
    } while (FindNextFileA(find.Get(), &data));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: backup_bench engine|copyfile SOURCE DEST [FILE_OPERATION]\n");
        return 2;
    }
    const std::string mode = argv[1];
    std::string source = argv[2];
    if (source.back() != '\\') source += '\\';
    const double start = NowSeconds();
    bool ok = true;
    if (mode == "engine") {
        Win32EngineFiles fileSystem;
        NoEvents events;
        CopyRequest request{source, argv[3], true, argc > 4 ? std::atoi(argv[4]) : 0};
        const CopyOutcome outcome = RunCopy(fileSystem, request, events, SystemLeadByte);
        ok = outcome.status == CopyStatus::Done && outcome.failures.empty();
        files = outcome.copied;
    } else if (mode == "copyfile") {
        std::string target = argv[3];
        if (target.back() != '\\') target += '\\';
        const std::string name = source.substr(source.rfind('\\', source.size() - 2) + 1);
        ok = CopyFileLoop(source, target + name);
    } else {
        return 2;
    }
    const double seconds = NowSeconds() - start;
    if (!ok) {
        std::fprintf(stderr, "failed (%lu)\n", GetLastError());
        return 1;
    }
    std::printf("seconds %.3f files %llu peak_kb %lu\n", seconds, static_cast<unsigned long long>(files),
                static_cast<unsigned long>(PeakPrivateBytes() / 1024));
    return 0;
}
