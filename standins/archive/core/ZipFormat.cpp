#include "standins/archive/core/ZipFormat.h"

#include <algorithm>
#include <vector>

namespace archivers {

namespace {

bool Fail(std::string& error, const char* why) {
    error = why;
    return false;
}

}  // namespace

bool ReadZipDirectory(RandomSource& file, ZipDirectory& directory, std::string& error) {
    directory = ZipDirectory();
    const std::uint64_t size = file.Size();
    if (size < kZipEndSize) return Fail(error, "not a ZIP archive");
    const std::size_t tailSize = static_cast<std::size_t>(std::min<std::uint64_t>(size, kZipMaxComment + kZipEndSize));
    std::vector<unsigned char> tail(tailSize);
    const std::uint64_t tailStart = size - tailSize;
    if (!file.ReadAt(tailStart, tail.data(), tailSize)) return Fail(error, "cannot read the archive");
    std::size_t end = tailSize;
    for (std::size_t i = tailSize - kZipEndSize + 1; i-- > 0;) {
        if (Le32(&tail[i]) == kZipEndSignature && i + kZipEndSize + Le16(&tail[i + 20]) <= tailSize) {
            end = i;
            break;
        }
    }
    if (end == tailSize) return Fail(error, "not a ZIP archive (no end record)");
    const unsigned char* e = &tail[end];
    const std::uint64_t endAt = tailStart + end;
    if (Le16(e + 4) != 0 || Le16(e + 6) != 0 || Le16(e + 8) != Le16(e + 10))
        return Fail(error, "archives on several disks are not supported");
    if (endAt >= kZip64LocatorSize) {
        unsigned char locator[4];
        if (file.ReadAt(endAt - kZip64LocatorSize, locator, 4) && Le32(locator) == kZip64LocatorSignature)
            return Fail(error, "Zip64 archives are not supported");
    }
    const std::size_t count = Le16(e + 10);
    const std::uint64_t directorySize = Le32(e + 12), directoryOffset = Le32(e + 16);
    if (directorySize > endAt) return Fail(error, "the directory is larger than the archive");
    const std::uint64_t directoryStart = endAt - directorySize;
    if (directoryStart < directoryOffset) return Fail(error, "the directory lies before its stated place");
    directory.prefix = directoryStart - directoryOffset;
    directory.directoryOffset = directoryStart;
    RangeSource in(file, directoryStart, directorySize);
    directory.entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        unsigned char c[kZipCentralSize];
        if (!ReadExactly(in, c, kZipCentralSize) || Le32(c) != kZipCentralSignature)
            return Fail(error, "the directory is damaged");
        ZipEntry entry;
        entry.versionMadeBy = Le16(c + 4);
        entry.versionNeeded = Le16(c + 6);
        entry.flags = Le16(c + 8);
        entry.method = Le16(c + 10);
        entry.dosTime = static_cast<std::uint32_t>(Le16(c + 14)) << 16 | Le16(c + 12);
        entry.crc = Le32(c + 16);
        entry.packedSize = Le32(c + 20);
        entry.size = Le32(c + 24);
        entry.externalAttributes = Le32(c + 38);
        entry.localOffset = Le32(c + 42) + directory.prefix;
        const std::size_t nameLength = Le16(c + 28), extraLength = Le16(c + 30), commentLength = Le16(c + 32);
        entry.name.resize(nameLength);
        std::vector<unsigned char> skip(extraLength + commentLength);
        if ((nameLength && !ReadExactly(in, &entry.name[0], nameLength)) ||
            (!skip.empty() && !ReadExactly(in, skip.data(), skip.size()))) {
            return Fail(error, "the directory is damaged");
        }
        if (entry.packedSize == kZip64Marker || entry.size == kZip64Marker || Le32(c + 42) == kZip64Marker)
            return Fail(error, "Zip64 members are not supported");
        directory.entries.push_back(std::move(entry));
    }
    return true;
}

bool ZipDataOffset(RandomSource& file, const ZipEntry& entry, std::uint64_t& offset, std::string& error) {
    unsigned char h[kZipLocalSize];
    if (!file.ReadAt(entry.localOffset, h, kZipLocalSize) || Le32(h) != kZipLocalSignature)
        return Fail(error, "a member's local header is missing");
    offset = entry.localOffset + kZipLocalSize + Le16(h + 26) + Le16(h + 28);
    if (offset > file.Size() || entry.packedSize > file.Size() - offset)
        return Fail(error, "a member's data runs past the end of the archive");
    return true;
}

bool ZipRecordEnd(RandomSource& file, const ZipEntry& entry, std::uint64_t& end, std::string& error) {
    std::uint64_t data = 0;
    if (!ZipDataOffset(file, entry, data, error)) return false;
    end = data + entry.packedSize;
    if (entry.flags & kZipDescriptor) {
        unsigned char d[4];
        if (!file.ReadAt(end, d, 4)) return Fail(error, "a member's data descriptor is missing");
        end += Le32(d) == kZipDescriptorSignature ? 16 : 12;
        if (end > file.Size()) return Fail(error, "a member's data descriptor is missing");
    }
    return true;
}

namespace {
// The fields a local and a central header share, from "version needed" to the
// (empty) extra field's length.
void PutSharedFields(std::string& h, const ZipEntry& entry) {
    PutLe16(h, entry.versionNeeded);
    PutLe16(h, entry.flags);
    PutLe16(h, entry.method);
    PutLe32(h, entry.dosTime);
    PutLe32(h, entry.crc);
    PutLe32(h, entry.packedSize);
    PutLe32(h, entry.size);
    PutLe16(h, static_cast<std::uint32_t>(entry.name.size()));
    PutLe16(h, 0);
}
}  // namespace

std::string ZipLocalHeader(const ZipEntry& entry) {
    std::string h;
    PutLe32(h, kZipLocalSignature);
    PutSharedFields(h, entry);
    return h + entry.name;
}

std::string ZipCentralHeader(const ZipEntry& entry, std::uint64_t offset) {
    std::string h;
    PutLe32(h, kZipCentralSignature);
    PutLe16(h, entry.versionMadeBy);
    PutSharedFields(h, entry);
    PutLe16(h, 0);  // comment
    PutLe16(h, 0);  // disk
    PutLe16(h, 0);  // internal attributes
    PutLe32(h, entry.externalAttributes);
    PutLe32(h, static_cast<std::uint32_t>(offset));
    return h + entry.name;
}

std::string ZipEndRecord(std::size_t count, std::uint64_t directorySize, std::uint64_t directoryOffset) {
    std::string e;
    PutLe32(e, kZipEndSignature);
    PutLe16(e, 0);
    PutLe16(e, 0);
    PutLe16(e, static_cast<std::uint32_t>(count));
    PutLe16(e, static_cast<std::uint32_t>(count));
    PutLe32(e, static_cast<std::uint32_t>(directorySize));
    PutLe32(e, static_cast<std::uint32_t>(directoryOffset));
    PutLe16(e, 0);
    return e;
}

}  // namespace archivers
