// Little-endian fields, as every file format the suite reads or writes
// stores them (ZIP, LZH, tar's binary parts, version resources, its own
// records). Readers take a pointer to at least that many bytes.
#pragma once
#include <cstdint>
#include <string>

inline std::uint16_t Le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
inline std::uint32_t Le32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
inline std::uint64_t Le64(const unsigned char* p) { return Le32(p) | static_cast<std::uint64_t>(Le32(p + 4)) << 32; }

// The same over the bytes of a string.
inline std::uint16_t Le16(const char* p) { return Le16(reinterpret_cast<const unsigned char*>(p)); }
inline std::uint32_t Le32(const char* p) { return Le32(reinterpret_cast<const unsigned char*>(p)); }

inline void PutLe16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
inline void PutLe32(std::string& out, std::uint32_t v) {
    PutLe16(out, v & 0xFFFF);
    PutLe16(out, v >> 16);
}
