// LZH member headers, levels 0 to 2 read and 1 and 2 written, each followed
// by the member's data; a zero byte ends the archive. Level 0 and 1 carry a
// DOS time and a byte checksum, level 2 a Unix time and a CRC-16 of the
// header. Folders travel in an extension with 0xFF between their names.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "standins/archive/core/ByteStreams.h"

namespace archivers {

struct LzhHeader {
    std::string method = "-lh5-";  // "-lh0-" stored, "-lhd-" a folder
    std::uint32_t packedSize = 0;
    std::uint32_t originalSize = 0;
    std::uint32_t dosTime = 0;     // local time; written at level 1
    std::int64_t unixTime = 0;     // written at level 2
    bool hasUnixTime = false;
    std::uint8_t attribute = 0x20;
    std::uint16_t crc = 0;         // of the original data
    int level = 2;
    // "/" or "\" between folders; a folder's own entry ends in "/".
    std::string name;
    std::string raw;               // the header's bytes as read, extensions included
};

enum class LzhRead { Entry, End, Bad };

// The next header of `in`; End at the closing zero byte or the end of the
// data, Bad (with a reason) for anything that is not a sound header.
LzhRead ReadLzhHeader(ByteSource& in, LzhHeader& header, std::string& error);

// The header's bytes at level 1 or 2; false when the name cannot be held.
bool BuildLzhHeader(const LzhHeader& header, int level, std::string& bytes, std::string& error);

// Dictionary bits of a method: 0 for -lh0-, 13, 15 or 16 for -lh5-, -lh6-
// and -lh7-; -1 for any other (folders included).
int LzhDictionaryBits(const std::string& method);

// Where the first header lies at or after `from`: a self-extractor carries
// its archive behind its own program. Each candidate is read as a header.
std::optional<std::uint64_t> FindLzhStart(RandomSource& file, std::uint64_t from);

}  // namespace archivers
