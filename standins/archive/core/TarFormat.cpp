#include "standins/archive/core/TarFormat.h"

#include <cstring>

namespace archivers {

namespace {

// A limit for long-name records: a name cannot be longer anywhere.
constexpr std::uint64_t kMaxRecord = 1 << 20;

bool AllZero(const unsigned char* block) {
    for (std::size_t i = 0; i < kTarBlock; ++i)
        if (block[i]) return false;
    return true;
}

std::string Field(const unsigned char* block, std::size_t at, std::size_t length) {
    const char* p = reinterpret_cast<const char*>(block + at);
    return std::string(p, strnlen(p, length));
}

// An octal number padded with blanks or NULs, or a base-256 one (first byte 0x80).
bool Number(const unsigned char* block, std::size_t at, std::size_t length, std::uint64_t& value) {
    const unsigned char* p = block + at;
    value = 0;
    if (p[0] == 0x80) {
        for (std::size_t i = 1; i < length; ++i) {
            if (value >> 56) return false;
            value = value << 8 | p[i];
        }
        return true;
    }
    if (p[0] & 0x80) return false;
    std::size_t i = 0;
    while (i < length && (p[i] == ' ' || p[i] == 0)) ++i;
    for (; i < length && p[i] >= '0' && p[i] <= '7'; ++i) {
        if (value >> 60) return false;
        value = value << 3 | static_cast<unsigned>(p[i] - '0');
    }
    for (; i < length; ++i)
        if (p[i] != ' ' && p[i] != 0) return false;
    return true;
}

void PutOctal(unsigned char* block, std::size_t at, std::size_t length, std::uint64_t value) {
    // length - 1 digits and a NUL.
    for (std::size_t i = length - 1; i-- > 0; value >>= 3) block[at + i] = static_cast<unsigned char>('0' + (value & 7));
    block[at + length - 1] = 0;
}

unsigned Checksum(const unsigned char* block, bool signedBytes) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < kTarBlock; ++i) {
        const unsigned char b = i >= 148 && i < 156 ? ' ' : block[i];
        sum += signedBytes ? static_cast<unsigned>(static_cast<int>(static_cast<signed char>(b))) : b;
    }
    return sum;
}

// The "path" of pax records "<length> <key>=<value>\n"; "" when there is none.
std::string PaxPath(const std::string& records) {
    std::string path;
    std::size_t at = 0;
    while (at < records.size()) {
        const std::size_t space = records.find(' ', at);
        if (space == std::string::npos) break;
        std::size_t length = 0;
        for (std::size_t i = at; i < space; ++i) {
            if (records[i] < '0' || records[i] > '9' || length > records.size()) return path;
            length = length * 10 + static_cast<std::size_t>(records[i] - '0');
        }
        if (length <= space - at || at + length > records.size() || records[at + length - 1] != '\n') break;
        const std::string record = records.substr(space + 1, at + length - space - 2);
        if (record.compare(0, 5, "path=") == 0) path = record.substr(5);
        at += length;
    }
    return path;
}

}  // namespace

bool BuildTarHeader(const TarEntry& entry, unsigned char* block, std::string& error) {
    std::memset(block, 0, kTarBlock);
    if (entry.name.find('\0') != std::string::npos) {
        error = "a name with a NUL in it";
        return false;
    }
    std::string name = entry.name, prefix;
    if (name.size() > 100) {
        // Cut at a "/" so that both halves fit.
        std::size_t cut = std::string::npos;
        for (std::size_t at = name.find('/'); at != std::string::npos; at = name.find('/', at + 1)) {
            if (name.size() - at - 1 <= 100 && name.size() - at - 1 > 0) {
                cut = at;
                break;
            }
        }
        if (cut == std::string::npos || cut > 155) {
            error = "name too long for a tar header: " + entry.name;
            return false;
        }
        prefix = name.substr(0, cut);
        name = name.substr(cut + 1);
    }
    if (entry.size > kMaxTarSize) {
        error = "file too large for a tar header: " + entry.name;
        return false;
    }
    std::memcpy(block, name.data(), name.size());
    PutOctal(block, 100, 8, entry.mode & 07777);
    PutOctal(block, 108, 8, 0);
    PutOctal(block, 116, 8, 0);
    PutOctal(block, 124, 12, entry.size);
    PutOctal(block, 136, 12, entry.mtime > 0 ? static_cast<std::uint64_t>(entry.mtime) : 0);
    block[156] = static_cast<unsigned char>(entry.type);
    std::memcpy(block + 257, "ustar", 6);
    std::memcpy(block + 263, "00", 2);
    PutOctal(block, 329, 8, 0);
    PutOctal(block, 337, 8, 0);
    std::memcpy(block + 345, prefix.data(), prefix.size());
    PutOctal(block, 148, 7, Checksum(block, false));
    block[155] = ' ';
    return true;
}

bool TarReader::Skip(std::uint64_t n) {
    unsigned char scratch[1 << 14];
    while (n > 0) {
        const std::size_t want = n < sizeof scratch ? static_cast<std::size_t>(n) : sizeof scratch;
        if (!ReadExactly(in_, scratch, want)) return false;
        n -= want;
    }
    return true;
}

bool TarReader::ReadData(void* data, std::size_t size, std::size_t& got) {
    got = 0;
    if (size > left_) size = static_cast<std::size_t>(left_);
    if (size == 0) return true;
    if (!ReadExactly(in_, data, size)) return false;
    got = size;
    left_ -= size;
    return true;
}

bool TarReader::ReadRecord(const TarEntry& header, std::string& text, std::string& error) {
    if (header.size > kMaxRecord) {
        error = "a long-name record too long";
        return false;
    }
    text.resize(static_cast<std::size_t>(header.size));
    std::size_t got = 0;
    if (!ReadData(&text[0], text.size(), got) || got != text.size()) {
        error = "the archive ends inside a record";
        return false;
    }
    return true;
}

TarReader::Result TarReader::Next(TarEntry& entry, std::string& error) {
    if (!Skip(left_ + padding_)) {
        error = "the archive ends inside a member";
        return Result::Bad;
    }
    left_ = padding_ = 0;
    std::string longName;
    bool paxName = false;
    for (;;) {
        unsigned char block[kTarBlock];
        std::size_t got = 0;
        if (!in_.Read(block, kTarBlock, got)) {
            error = "cannot read the archive";
            return Result::Bad;
        }
        // No closing blocks: the archive simply ends.
        if (got == 0) return Result::End;
        if (got < kTarBlock && !ReadExactly(in_, block + got, kTarBlock - got)) {
            error = "the archive ends inside a header";
            return Result::Bad;
        }
        if (AllZero(block)) return Result::End;
        std::uint64_t stored = 0, size = 0, mtime = 0, mode = 0;
        if (!Number(block, 148, 8, stored) || (stored != Checksum(block, false) && stored != Checksum(block, true))) {
            error = "a header's checksum is wrong";
            return Result::Bad;
        }
        if (!Number(block, 124, 12, size) || !Number(block, 136, 12, mtime) || !Number(block, 100, 8, mode)) {
            error = "a header's numbers are damaged";
            return Result::Bad;
        }
        entry = TarEntry();
        entry.type = static_cast<char>(block[156]);
        entry.size = size;
        entry.mtime = static_cast<std::int64_t>(mtime & 0x7FFFFFFFFFFFFFFFULL);
        entry.mode = static_cast<std::uint32_t>(mode & 07777);
        entry.name = Field(block, 0, 100);
        if (std::memcmp(block + 257, "ustar\0", 6) == 0) {
            const std::string prefix = Field(block, 345, 155);
            if (!prefix.empty()) entry.name = prefix + "/" + entry.name;
        }
        left_ = size;
        padding_ = (kTarBlock - size % kTarBlock) % kTarBlock;
        if (entry.type == 'L' || entry.type == 'x') {
            std::string text;
            if (!ReadRecord(entry, text, error)) return Result::Bad;
            if (!Skip(padding_)) {
                error = "the archive ends inside a record";
                return Result::Bad;
            }
            padding_ = 0;
            std::string name = entry.type == 'L' ? std::string(text.c_str()) : PaxPath(text);
            if (!name.empty()) {
                longName = name;
                paxName = entry.type == 'x';
            }
            continue;
        }
        if (entry.type == 'K' || entry.type == 'g') {
            if (!Skip(left_ + padding_)) {
                error = "the archive ends inside a record";
                return Result::Bad;
            }
            left_ = padding_ = 0;
            continue;
        }
        if (!longName.empty()) {
            entry.name = longName;
            entry.utf8Name = paxName;
        }
        return Result::Entry;
    }
}

}  // namespace archivers
