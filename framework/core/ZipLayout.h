// The records of a ZIP archive, for its readers and its writer: a local
// header before each member's data, a central directory after them all, and
// an end record (with Zip64 forms of it) closing the file. Fields are
// little-endian (ByteOrder.h).
#pragma once
#include <cstddef>
#include <cstdint>

constexpr std::uint32_t kZipLocalSignature = 0x04034B50;       // "PK\3\4"
constexpr std::uint32_t kZipCentralSignature = 0x02014B50;     // "PK\1\2"
constexpr std::uint32_t kZipEndSignature = 0x06054B50;         // "PK\5\6"
constexpr std::uint32_t kZip64EndSignature = 0x06064B50;       // "PK\6\6"
constexpr std::uint32_t kZip64LocatorSignature = 0x07064B50;   // "PK\6\7"
constexpr std::uint32_t kZipDescriptorSignature = 0x08074B50;  // "PK\7\8"
// In front of an archive that was written to be spanned over several disks.
constexpr std::uint32_t kZipSpanningMarker = 0x30304B50;       // "PK00"

constexpr std::size_t kZipLocalSize = 30;
constexpr std::size_t kZipCentralSize = 46;
constexpr std::size_t kZipEndSize = 22;
constexpr std::size_t kZip64EndSize = 56;
constexpr std::size_t kZip64LocatorSize = 20;
// The end record's comment, which stands between it and the file's end.
constexpr std::size_t kZipMaxComment = 0xFFFF;

// General-purpose flags.
constexpr std::uint16_t kZipEncrypted = 0x0001;
constexpr std::uint16_t kZipDescriptor = 0x0008;  // sizes and CRC follow the data
constexpr std::uint16_t kZipUtf8 = 0x0800;
// Methods.
constexpr std::uint16_t kZipStored = 0;
constexpr std::uint16_t kZipDeflated = 8;

// A 32-bit size or offset of this value stands in a Zip64 record instead.
constexpr std::uint32_t kZip64Marker = 0xFFFFFFFF;
// Without Zip64 records, counts and offsets stop here.
constexpr std::uint64_t kZipMaxOffset = 0xFFFFFFFEull;
constexpr std::size_t kZipMaxEntries = 0xFFFF;
