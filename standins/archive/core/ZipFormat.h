// ZIP archives: a local header before each member's data, a central
// directory after them all and an end record closing the file. The end
// record is found within the comment's reach of the end, and everything is
// located from it, so bytes in front of the archive (a self-extractor's
// program) are allowed for: the offsets are corrected by their length.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "standins/archive/core/ByteStreams.h"
#include "framework/core/ZipLayout.h"

namespace archivers {

struct ZipEntry {
    std::string name;            // "/" between folders; a folder ends in "/"
    std::uint16_t versionMadeBy = 20;
    std::uint16_t versionNeeded = 20;
    std::uint16_t flags = 0;
    std::uint16_t method = kZipDeflated;
    std::uint32_t dosTime = 0;   // local time, date in the high word
    std::uint32_t crc = 0;
    std::uint32_t packedSize = 0;
    std::uint32_t size = 0;
    std::uint32_t externalAttributes = 0;
    std::uint64_t localOffset = 0;  // of its local header in the file, prefix included
};

struct ZipDirectory {
    std::vector<ZipEntry> entries;
    std::uint64_t prefix = 0;        // bytes in front of the archive
    std::uint64_t directoryOffset = 0;
};

bool ReadZipDirectory(RandomSource& file, ZipDirectory& directory, std::string& error);
// Where the member's data starts, checked against its local header and the file's end.
bool ZipDataOffset(RandomSource& file, const ZipEntry& entry, std::uint64_t& offset, std::string& error);
// Where its local record ends: header, data and any data descriptor.
bool ZipRecordEnd(RandomSource& file, const ZipEntry& entry, std::uint64_t& end, std::string& error);

std::string ZipLocalHeader(const ZipEntry& entry);
// The central directory's record; `offset` as it is to be written.
std::string ZipCentralHeader(const ZipEntry& entry, std::uint64_t offset);
std::string ZipEndRecord(std::size_t count, std::uint64_t directorySize, std::uint64_t directoryOffset);

}  // namespace archivers
