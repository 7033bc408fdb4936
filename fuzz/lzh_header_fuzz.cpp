// LZH headers from arbitrary bytes, read one after another as an archive
// would be: no crash, a header never claims more bytes than it took, and
// each header found rebuilds into one that reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "standins/archive/core/LzhHeader.h"

using namespace archivers;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemorySource in(data, size);
    for (int i = 0; i < 64; ++i) {
        LzhHeader h;
        std::string error;
        const LzhRead read = ReadLzhHeader(in, h, error);
        if (read == LzhRead::Bad && error.empty()) std::abort();
        if (read != LzhRead::Entry) break;
        if (h.raw.size() > size || h.method.size() != 5) std::abort();
        std::string rebuilt;
        if (h.level == 2 && h.name.find('\\') == std::string::npos && h.name.find('\xFF') == std::string::npos &&
            BuildLzhHeader(h, 2, rebuilt, error)) {
            MemorySource again(rebuilt);
            LzhHeader back;
            if (ReadLzhHeader(again, back, error) != LzhRead::Entry || back.packedSize != h.packedSize ||
                back.crc != h.crc)
                std::abort();
        }
        std::uint8_t skip[256];
        std::size_t got = 0;
        in.Read(skip, h.packedSize < sizeof skip ? h.packedSize : sizeof skip, got);
    }
    MemorySource file(data, size);
    const auto start = FindLzhStart(file, 0);
    if (start && *start >= size) std::abort();
    return 0;
}
