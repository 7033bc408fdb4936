#include "standins/archive/core/Checksums.h"

#include <zlib.h>

namespace archivers {

namespace {

struct Crc16Table {
    std::uint16_t entry[256];
    Crc16Table() {
        for (unsigned i = 0; i < 256; ++i) {
            unsigned c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ 0xA001u : c >> 1;
            entry[i] = static_cast<std::uint16_t>(c);
        }
    }
};

}  // namespace

std::uint16_t Crc16(std::uint16_t crc, const void* data, std::size_t size) {
    static const Crc16Table table;
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) crc = static_cast<std::uint16_t>(table.entry[(crc ^ p[i]) & 0xFF] ^ (crc >> 8));
    return crc;
}

std::uint32_t Crc32(std::uint32_t crc, const void* data, std::size_t size) {
    const auto* p = static_cast<const Bytef*>(data);
    // zlib takes at most a uInt at a time.
    while (size > 0) {
        const uInt chunk = size > 0x40000000u ? 0x40000000u : static_cast<uInt>(size);
        crc = static_cast<std::uint32_t>(crc32(crc, p, chunk));
        p += chunk;
        size -= chunk;
    }
    return crc;
}

std::uint64_t TicksFromUnixTime(std::int64_t seconds) {
    if (seconds < 0) return kUnixEpochTicks;
    return kUnixEpochTicks + static_cast<std::uint64_t>(seconds) * 10000000ULL;
}

std::int64_t UnixTimeFromTicks(std::uint64_t ticks) {
    if (ticks < kUnixEpochTicks) return 0;
    return static_cast<std::int64_t>((ticks - kUnixEpochTicks) / 10000000ULL);
}

bool ValidDosTime(std::uint32_t dosTime) {
    const unsigned date = dosTime >> 16, time = dosTime & 0xFFFF;
    const unsigned day = date & 31, month = (date >> 5) & 15;
    const unsigned second2 = time & 31, minute = (time >> 5) & 63, hour = time >> 11;
    return day >= 1 && month >= 1 && month <= 12 && second2 < 30 && minute < 60 && hour < 24;
}

}  // namespace archivers
