// The software search's reader of "qapp.idx" and "qapp.dat": the first 108
// bytes are the index, the rest the records, whose first byte (the filler) also
// gives the length of the looked-up name that follows it, so names match
// records, read whole and through a window of them alike. Sanitizers catch
// any read outside them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "main/bar/core/KnownPrograms.h"

using namespace bar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const size_t indexSize = bytes.size() < kKnownIndexSize ? bytes.size() : kKnownIndexSize;
    const std::string index = bytes.substr(0, indexSize);
    const std::string rest = bytes.substr(indexSize);
    const size_t n = rest.empty() ? 0 : static_cast<unsigned char>(rest[0]) % 32;
    const std::string name = rest.empty() ? std::string() : rest.substr(1, n);
    MemoryByteSource records(rest.data(), rest.size());
    const std::vector<KnownProgram> found = LookupKnownProgram(index, records, name);
    for (const KnownProgram& p : found) {
        if (p.name.empty() || !SectionForDigit(p.digit) || p.name.size() > kMaxKnownRecord) __builtin_trap();
    }
    // Read through a window whose span the input picks, the same programs.
    KnownRecordWindow window(records, 1 + n * 37);
    std::string a, b;
    for (const KnownProgram& p : found) a += p.digit + p.name + '\0';
    for (const KnownProgram& p : LookupKnownProgram(index, window, name)) b += p.digit + p.name + '\0';
    if (a != b) __builtin_trap();
    return 0;
}
