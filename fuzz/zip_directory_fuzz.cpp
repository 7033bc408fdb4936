// The ZIP end record and central directory from arbitrary bytes: no crash,
// and every member's data found lies inside the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "standins/archive/core/ZipFormat.h"

using namespace archivers;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemorySource file(data, size);
    ZipDirectory directory;
    std::string error;
    if (!ReadZipDirectory(file, directory, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    if (directory.entries.size() > kZipMaxEntries || directory.prefix > size) std::abort();
    for (const ZipEntry& e : directory.entries) {
        std::uint64_t at = 0, end = 0;
        if (ZipDataOffset(file, e, at, error) && (at > size || e.packedSize > size - at)) std::abort();
        if (ZipRecordEnd(file, e, end, error) && end > size) std::abort();
    }
    return 0;
}
