// Tar archives from arbitrary bytes: every member is read to its end; no
// crash, and no member hands out more data than its header states.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "standins/archive/core/TarFormat.h"

using namespace archivers;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemorySource in(data, size);
    TarReader reader(in);
    for (int i = 0; i < 256; ++i) {
        TarEntry entry;
        std::string error;
        const TarReader::Result next = reader.Next(entry, error);
        if (next == TarReader::Result::Bad && error.empty()) std::abort();
        if (next != TarReader::Result::Entry) break;
        std::uint64_t total = 0;
        char buffer[4096];
        std::size_t got = 0;
        while (reader.ReadData(buffer, sizeof buffer, got) && got > 0) total += got;
        if (total > entry.size) std::abort();
        unsigned char block[kTarBlock];
        if (BuildTarHeader(entry, block, error)) {
            MemorySource again(block, kTarBlock);
            TarReader back(again);
            TarEntry read;
            if (back.Next(read, error) != TarReader::Result::Entry || read.name != entry.name || read.size != entry.size)
                std::abort();
        }
    }
    return 0;
}
