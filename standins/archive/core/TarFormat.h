// POSIX ustar archives: 512-byte headers, each followed by its member's data
// padded to 512 bytes; two zero blocks end the archive. Written as plain
// ustar (a name of up to 100 bytes after a prefix of up to 155); read also
// with the long names that GNU tar and pax put in records of their own.
#pragma once
#include <cstdint>
#include <string>

#include "standins/archive/core/ByteStreams.h"

namespace archivers {

constexpr std::size_t kTarBlock = 512;
// The largest size that 11 octal digits hold.
constexpr std::uint64_t kMaxTarSize = 077777777777ULL;

struct TarEntry {
    std::string name;          // "/" between folders; a folder ends in "/"
    char type = '0';           // '0' file, '5' folder; links and devices are read, never written
    std::uint64_t size = 0;
    std::int64_t mtime = 0;    // Unix time
    std::uint32_t mode = 0644;
    bool utf8Name = false;     // the name came from a pax record, which is UTF-8
};

// The header a member is written with; false when its name or size does not fit.
bool BuildTarHeader(const TarEntry& entry, unsigned char* block, std::string& error);

// Reads members one after another. The data of the member last read comes
// through ReadData; whatever of it is left unread is skipped by the next Next.
class TarReader {
public:
    explicit TarReader(ByteSource& in) : in_(in) {}
    enum class Result { Entry, End, Bad };
    Result Next(TarEntry& entry, std::string& error);
    // Up to `size` bytes of the member's data; got 0 at its end.
    bool ReadData(void* data, std::size_t size, std::size_t& got);
    std::uint64_t DataLeft() const { return left_; }

private:
    bool Skip(std::uint64_t n);
    bool ReadRecord(const TarEntry& header, std::string& text, std::string& error);
    ByteSource& in_;
    std::uint64_t left_ = 0;      // data of the current member not yet read
    std::uint64_t padding_ = 0;   // then the padding to the next block
};

}  // namespace archivers
