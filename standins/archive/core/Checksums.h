// The checks and clocks the archive formats carry.
#pragma once
#include <cstddef>
#include <cstdint>

namespace archivers {

// LZH's CRC-16 (polynomial 0x8005 reflected, start 0), for headers and data.
std::uint16_t Crc16(std::uint16_t crc, const void* data, std::size_t size);
// ZIP's and gzip's CRC-32, start 0.
std::uint32_t Crc32(std::uint32_t crc, const void* data, std::size_t size);

// Windows file times count 100 ns ticks from 1601; Unix times seconds from 1970.
constexpr std::uint64_t kUnixEpochTicks = 116444736000000000ULL;
std::uint64_t TicksFromUnixTime(std::int64_t seconds);
// Before 1970 gives 0; whole seconds, rounded down.
std::int64_t UnixTimeFromTicks(std::uint64_t ticks);

// A DOS date and time (date in the high word) whose fields name a real
// moment: archives from elsewhere carry any 32 bits there.
bool ValidDosTime(std::uint32_t dosTime);

}  // namespace archivers
