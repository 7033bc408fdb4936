#include "main/bar/core/ZipEntries.h"

#include <cstring>
#include <vector>

#include "framework/core/ByteOrder.h"
#include "framework/core/ZipLayout.h"

namespace bar {

// Names are copied as bytes: in code page 932 as in any other. Trimming only
// removes bytes up to 0x20, which are never the trail byte of a double-byte
// character, so the last name is never cut in half.

namespace {

bool ReadExact(RandomAccessBytes& source, std::uint64_t offset, void* buffer, std::size_t count) {
    return count == 0 || source.ReadAt(offset, buffer, count) == count;
}

// The names gathered so far and whether the limit stopped the walk.
struct Listing {
    std::string text;
    int count = 0;
    bool full = false;

    void Add(const std::string& name, int maxCount) {
        text += name;
        text += "\r\n";
        if (++count >= maxCount) full = true;
    }
};

// Where the central directory lies, in actual file offsets.
struct CentralDirectory {
    std::uint64_t start = 0;
    std::uint64_t end = 0;
};

// Recognises the central directory that the end record at eocd describes.
// The directory is taken to end where the end record (or its Zip64 form)
// begins, which also holds for archives behind a prefix (the "PK00" marker
// or a self-extractor stub) whose stored offsets do not count it.
bool LocateCentralDirectory(RandomAccessBytes& source, std::uint64_t eocd, const unsigned char* record,
                            CentralDirectory& dir) {
    std::uint64_t size = Le32(record + 12);
    std::uint64_t offset = Le32(record + 16);
    std::uint64_t end = eocd;
    unsigned char locator[kZip64LocatorSize];
    bool zip64 = false;
    if (eocd >= kZip64LocatorSize && ReadExact(source, eocd - kZip64LocatorSize, locator, sizeof locator) &&
        Le32(locator) == kZip64LocatorSignature) {
        // The Zip64 end record is found where the locator says, or right in
        // front of the locator when a prefix shifted the archive.
        const std::uint64_t candidates[] = {
            Le64(locator + 8),
            eocd - kZip64LocatorSize >= kZip64EndSize
                ? eocd - kZip64LocatorSize - kZip64EndSize
                : ~std::uint64_t(0),
        };
        for (std::uint64_t at : candidates) {
            unsigned char z[kZip64EndSize];
            if (at < eocd && ReadExact(source, at, z, sizeof z) && Le32(z) == kZip64EndSignature) {
                size = Le64(z + 40);
                offset = Le64(z + 48);
                end = at;
                zip64 = true;
                break;
            }
        }
    }
    if (!zip64 &&
        (Le16(record + 10) == 0xFFFF || Le32(record + 12) == kZip64Marker || Le32(record + 16) == kZip64Marker))
        return false;
    if (size > end) return false;
    dir.end = end;
    dir.start = end - size;
    if (size == 0) return true;
    unsigned char signature[4];
    if (ReadExact(source, dir.start, signature, 4) && Le32(signature) == kZipCentralSignature) return true;
    // A directory followed by bytes the record does not count: trust the
    // stored offset instead.
    if (offset <= end - size && ReadExact(source, offset, signature, 4) && Le32(signature) == kZipCentralSignature) {
        dir.start = offset;
        dir.end = offset + size;
        return true;
    }
    return false;
}

// The end-of-central-directory record lies in the last 22 bytes plus the
// longest possible comment. Candidates are tried from the end, since a
// comment may itself contain the signature.
bool FindCentralDirectory(RandomAccessBytes& source, CentralDirectory& dir) {
    const std::uint64_t fileSize = source.Size();
    if (fileSize < kZipEndSize) return false;
    const std::uint64_t tailStart =
        fileSize > kZipEndSize + kZipMaxComment ? fileSize - kZipEndSize - kZipMaxComment : 0;
    std::vector<unsigned char> tail(static_cast<std::size_t>(fileSize - tailStart));
    if (!ReadExact(source, tailStart, tail.data(), tail.size())) return false;
    for (std::size_t i = tail.size() - kZipEndSize + 1; i-- > 0;) {
        if (Le32(&tail[i]) != kZipEndSignature) continue;
        if (i + kZipEndSize + Le16(&tail[i + 20]) > tail.size()) continue;
        if (LocateCentralDirectory(source, tailStart + i, &tail[i], dir)) return true;
    }
    return false;
}

// Lists the names of the central directory. False when the archive has none
// that can be found; the listing is then left as it was.
bool ListCentralDirectory(RandomAccessBytes& source, int maxCount, Listing& listing) {
    CentralDirectory dir;
    if (!FindCentralDirectory(source, dir)) return false;
    Listing central;
    std::uint64_t pos = dir.start;
    while (!central.full && pos < dir.end && dir.end - pos >= kZipCentralSize) {
        unsigned char h[kZipCentralSize];
        if (!ReadExact(source, pos, h, sizeof h) || Le32(h) != kZipCentralSignature) break;
        const std::uint16_t nameLength = Le16(h + 28);
        if (dir.end - pos - kZipCentralSize < nameLength) break;
        std::string name(nameLength, '\0');
        if (!ReadExact(source, pos + kZipCentralSize, &name[0], nameLength)) break;
        central.Add(name, maxCount);
        pos += kZipCentralSize + nameLength + Le16(h + 30) + Le16(h + 32);
    }
    listing = central;
    return true;
}

}  // namespace

std::size_t MemoryByteSource::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) {
    if (offset >= size_) return 0;
    const std::size_t available = size_ - static_cast<std::size_t>(offset);
    const std::size_t n = count < available ? count : available;
    if (n > 0) std::memcpy(buffer, data_ + offset, n);
    return n;
}

std::string ListZipEntries(RandomAccessBytes& source, int maxCount) {
    Listing listing;
    listing.full = maxCount < 1;
    const std::uint64_t fileSize = source.Size();
    std::uint64_t pos = 0;
    unsigned char marker[4];
    if (ReadExact(source, 0, marker, 4) && Le32(marker) == kZipSpanningMarker) pos = 4;
    // The walk steps from local header to local header, which reads only
    // the first entries of a large archive. All sums are 64-bit: a 32-bit
    // signed position would run backwards past 2 GiB and list the same
    // header again.
    while (!listing.full) {
        unsigned char h[kZipLocalSize];
        if (!ReadExact(source, pos, h, sizeof h) || Le32(h) != kZipLocalSignature) break;
        const std::uint16_t flags = Le16(h + 6);
        const std::uint32_t compressedSize = Le32(h + 18);
        const std::uint16_t nameLength = Le16(h + 26);
        std::string name(nameLength, '\0');
        if (!ReadExact(source, pos + kZipLocalSize, &name[0], nameLength)) break;
        listing.Add(name, maxCount);
        if (listing.full) break;
        // Streamed entries (a data descriptor after the data) and Zip64
        // entries do not give the compressed size here, so the next header's
        // place is unknown; only the central directory can say what follows.
        if ((flags & kZipDescriptor) || compressedSize == kZip64Marker) {
            ListCentralDirectory(source, maxCount, listing);
            break;
        }
        pos += kZipLocalSize + nameLength + Le16(h + 28) + std::uint64_t(compressedSize);
        if (pos > fileSize) break;
    }
    if (listing.full) return listing.text + "...";
    std::string& text = listing.text;
    std::size_t end = text.size();
    while (end > 0 && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
    text.erase(end);
    return text;
}

}  // namespace bar
