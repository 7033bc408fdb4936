#include "standins/archive/core/LzhHeader.h"

#include <vector>

#include "standins/archive/core/Checksums.h"

namespace archivers {

namespace {

constexpr std::size_t kBaseSize = 22;       // up to and including the name length (levels 0, 1)
constexpr std::size_t kLevel2Base = 26;     // up to and including the first extension's size
constexpr std::size_t kMaxExtensions = 1 << 16;
constexpr unsigned char kFolderSeparator = 0xFF;
constexpr char kOsId = 'M';

enum Extension : unsigned char {
    kHeaderCrc = 0x00,
    kFileName = 0x01,
    kFolderName = 0x02,
    kAttribute = 0x40,
    kUnixTime = 0x54,
};

struct Names {
    std::string file, folder;
};

// The folder extension's names become "/"-separated, ending in "/".
std::string FolderFromExtension(const unsigned char* data, std::size_t size) {
    std::string folder;
    for (std::size_t i = 0; i < size; ++i)
        folder += data[i] == kFolderSeparator ? '/' : static_cast<char>(data[i]);
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

// One extension: its type byte and its data (without the next size).
void ApplyExtension(const unsigned char* e, std::size_t size, LzhHeader& h, Names& names) {
    const unsigned char* data = e + 1;
    const std::size_t n = size - 3;
    switch (e[0]) {
    case kFileName:
        names.file.assign(reinterpret_cast<const char*>(data), n);
        break;
    case kFolderName:
        names.folder = FolderFromExtension(data, n);
        break;
    case kAttribute:
        if (n >= 2) h.attribute = data[0];
        break;
    case kUnixTime:
        if (n >= 4) {
            h.unixTime = Le32(data);
            h.hasUnixTime = true;
        }
        break;
    default:
        break;
    }
}

void ComposeName(LzhHeader& h, const Names& names) {
    std::string file = names.file;
    if (h.method == "-lhd-") {
        h.name = names.folder;
        if (!file.empty()) h.name += file + "/";
        return;
    }
    h.name = names.folder + file;
}

bool Bad(std::string& error, const char* why) {
    error = why;
    return false;
}

bool ReadLevel01(ByteSource& in, LzhHeader& h, std::vector<unsigned char>& b, std::string& error) {
    const std::size_t total = static_cast<std::size_t>(b[0]) + 2;
    if (total < kBaseSize) return Bad(error, "a header too short");
    b.resize(total);
    if (!ReadExactly(in, b.data() + kBaseSize, total - kBaseSize)) return Bad(error, "the archive ends inside a header");
    unsigned sum = 0;
    for (std::size_t i = 2; i < total; ++i) sum += b[i];
    if ((sum & 0xFF) != b[1]) return Bad(error, "a header's checksum is wrong");
    const std::size_t nameLength = b[21];
    Names names;
    if (kBaseSize + nameLength > total) return Bad(error, "a name longer than its header");
    names.file.assign(reinterpret_cast<const char*>(&b[kBaseSize]), nameLength);
    h.dosTime = Le32(&b[15]);
    h.attribute = b[19];
    h.raw.assign(b.begin(), b.end());
    std::uint64_t skip = Le32(&b[7]);
    if (h.level == 0) {
        if (kBaseSize + nameLength + 2 > total) return Bad(error, "a header without a CRC");
        h.crc = Le16(&b[kBaseSize + nameLength]);
        h.packedSize = static_cast<std::uint32_t>(skip);
        ComposeName(h, names);
        return true;
    }
    if (kBaseSize + nameLength + 5 > total) return Bad(error, "a header too short for its name");
    h.crc = Le16(&b[kBaseSize + nameLength]);
    std::size_t next = Le16(&b[total - 2]);
    std::size_t extensions = 0;
    std::vector<unsigned char> e;
    while (next != 0) {
        if (next < 3) return Bad(error, "a damaged header extension");
        extensions += next;
        if (extensions > kMaxExtensions) return Bad(error, "header extensions too long");
        e.resize(next);
        if (!ReadExactly(in, e.data(), next)) return Bad(error, "the archive ends inside a header");
        h.raw.append(e.begin(), e.end());
        ApplyExtension(e.data(), next, h, names);
        next = Le16(&e[next - 2]);
    }
    // Level 1 counts its extensions into the size to skip.
    if (skip < extensions) return Bad(error, "a packed size smaller than the header extensions");
    h.packedSize = static_cast<std::uint32_t>(skip - extensions);
    ComposeName(h, names);
    return true;
}

bool ReadLevel2(ByteSource& in, LzhHeader& h, std::vector<unsigned char>& b, std::string& error) {
    const std::size_t total = Le16(b.data());
    if (total < kLevel2Base) return Bad(error, "a header too short");
    b.resize(total);
    if (!ReadExactly(in, b.data() + kBaseSize, total - kBaseSize)) return Bad(error, "the archive ends inside a header");
    h.packedSize = Le32(&b[7]);
    h.unixTime = Le32(&b[15]);
    h.hasUnixTime = true;
    h.crc = Le16(&b[21]);
    h.raw.assign(b.begin(), b.end());
    Names names;
    std::size_t at = kLevel2Base, next = Le16(&b[24]);
    std::size_t crcAt = 0;
    while (next != 0) {
        if (next < 3 || at + next > total) return Bad(error, "a damaged header extension");
        if (b[at] == kHeaderCrc && next >= 5) crcAt = at + 1;
        ApplyExtension(&b[at], next, h, names);
        at += next;
        next = Le16(&b[at - 2]);
    }
    if (crcAt) {
        const std::uint16_t stored = Le16(&b[crcAt]);
        b[crcAt] = b[crcAt + 1] = 0;
        if (Crc16(0, b.data(), total) != stored) return Bad(error, "a header's CRC is wrong");
    }
    ComposeName(h, names);
    return true;
}

// The names as the header stores them: the folder in its extension with
// 0xFF after each name, the file name apart.
void SplitName(const std::string& name, bool folderEntry, std::string& folder, std::string& file) {
    std::string path = name;
    if (!path.empty() && path.back() == '/') path.pop_back();
    std::string folderPath;
    file.clear();
    const std::size_t slash = path.rfind('/');
    if (folderEntry) {
        folderPath = path;
    } else if (slash == std::string::npos) {
        file = path;
    } else {
        folderPath = path.substr(0, slash);
        file = path.substr(slash + 1);
    }
    folder.clear();
    for (char c : folderPath) folder += c == '/' ? static_cast<char>(kFolderSeparator) : c;
    if (!folder.empty()) folder += static_cast<char>(kFolderSeparator);
}

// Extended headers as they are stored: each ends with the size of the one
// after it (0 after the last); the base header gives the first one's.
struct Extensions {
    std::string bytes;
    std::size_t firstSize = 0;

    void Add(unsigned char type, const std::string& data) {
        const std::size_t size = data.size() + 3;
        if (bytes.empty()) {
            firstSize = size;
        } else {
            bytes[bytes.size() - 2] = static_cast<char>(size & 0xFF);
            bytes[bytes.size() - 1] = static_cast<char>(size >> 8);
        }
        bytes += static_cast<char>(type);
        bytes += data;
        PutLe16(bytes, 0);
    }
};

}  // namespace

LzhRead ReadLzhHeader(ByteSource& in, LzhHeader& header, std::string& error) {
    header = LzhHeader();
    std::vector<unsigned char> b(kBaseSize);
    std::size_t got = 0;
    if (!in.Read(b.data(), 1, got)) {
        error = "cannot read the archive";
        return LzhRead::Bad;
    }
    if (got == 0 || b[0] == 0) return LzhRead::End;
    if (!ReadExactly(in, b.data() + 1, kBaseSize - 1)) {
        error = "the archive ends inside a header";
        return LzhRead::Bad;
    }
    header.method.assign(reinterpret_cast<const char*>(&b[2]), 5);
    if (header.method[0] != '-' || header.method[4] != '-') {
        error = "not an LZH header";
        return LzhRead::Bad;
    }
    header.originalSize = Le32(&b[11]);
    header.level = b[20];
    bool ok = false;
    if (header.level <= 1) {
        ok = ReadLevel01(in, header, b, error);
    } else if (header.level == 2) {
        ok = ReadLevel2(in, header, b, error);
    } else {
        error = "header level " + std::to_string(header.level) + " is not supported";
    }
    return ok ? LzhRead::Entry : LzhRead::Bad;
}

bool BuildLzhHeader(const LzhHeader& h, int level, std::string& bytes, std::string& error) {
    const bool folderEntry = h.method == "-lhd-";
    std::string folder, file;
    SplitName(h.name, folderEntry, folder, file);
    bytes.clear();
    if (level == 1) {
        // The header's size must fit in its first byte.
        const bool fileInBase = file.size() <= 200;
        Extensions extensions;
        if (!fileInBase) extensions.Add(kFileName, file);
        if (!folder.empty()) extensions.Add(kFolderName, folder);
        const std::size_t extensionTotal = extensions.bytes.size();
        if (extensionTotal > 0xFFFF || h.packedSize + static_cast<std::uint64_t>(extensionTotal) > 0xFFFFFFFFu) {
            error = "a name too long for the header";
            return false;
        }
        const std::string baseName = fileInBase ? file : std::string();
        bytes += '\0';
        bytes += '\0';
        bytes += h.method;
        PutLe32(bytes, static_cast<std::uint32_t>(h.packedSize + extensionTotal));
        PutLe32(bytes, h.originalSize);
        PutLe32(bytes, h.dosTime);
        bytes += static_cast<char>(h.attribute);
        bytes += '\1';
        bytes += static_cast<char>(baseName.size());
        bytes += baseName;
        PutLe16(bytes, h.crc);
        bytes += kOsId;
        PutLe16(bytes, static_cast<std::uint32_t>(extensions.firstSize));
        bytes[0] = static_cast<char>(bytes.size() - 2);
        unsigned sum = 0;
        for (std::size_t i = 2; i < bytes.size(); ++i) sum += static_cast<unsigned char>(bytes[i]);
        bytes[1] = static_cast<char>(sum & 0xFF);
        bytes += extensions.bytes;
        return true;
    }
    if (level != 2) {
        error = "only header levels 1 and 2 are written";
        return false;
    }
    Extensions extensions;
    extensions.Add(kHeaderCrc, std::string(2, '\0'));
    if (!file.empty()) extensions.Add(kFileName, file);
    if (!folder.empty()) extensions.Add(kFolderName, folder);
    std::string attribute;
    PutLe16(attribute, h.attribute);
    extensions.Add(kAttribute, attribute);
    std::size_t total = kLevel2Base + extensions.bytes.size();
    // A header's first byte must never be zero: that byte ends the archive.
    const bool pad = (total & 0xFF) == 0;
    if (pad) ++total;
    if (total > 0xFFFF) {
        error = "a name too long for the header";
        return false;
    }
    PutLe16(bytes, static_cast<std::uint32_t>(total));
    bytes += h.method;
    PutLe32(bytes, h.packedSize);
    PutLe32(bytes, h.originalSize);
    PutLe32(bytes, static_cast<std::uint32_t>(h.unixTime));
    bytes += '\x20';
    bytes += '\2';
    PutLe16(bytes, h.crc);
    bytes += kOsId;
    PutLe16(bytes, static_cast<std::uint32_t>(extensions.firstSize));
    bytes += extensions.bytes;
    if (pad) bytes += '\0';
    const std::uint16_t headerCrc = Crc16(0, bytes.data(), bytes.size());
    bytes[kLevel2Base + 1] = static_cast<char>(headerCrc & 0xFF);
    bytes[kLevel2Base + 2] = static_cast<char>(headerCrc >> 8);
    return true;
}

int LzhDictionaryBits(const std::string& method) {
    if (method == "-lh0-") return 0;
    if (method == "-lh5-") return 13;
    if (method == "-lh6-") return 15;
    if (method == "-lh7-") return 16;
    return -1;
}

std::optional<std::uint64_t> FindLzhStart(RandomSource& file, std::uint64_t from) {
    constexpr std::size_t kChunk = 1 << 16;
    std::vector<unsigned char> chunk(kChunk + 8);
    for (std::uint64_t base = from; base < file.Size(); base += kChunk) {
        const std::uint64_t left = file.Size() - base;
        const std::size_t n = left < chunk.size() ? static_cast<std::size_t>(left) : chunk.size();
        if (!file.ReadAt(base, chunk.data(), n)) return std::nullopt;
        for (std::size_t i = 0; i + 7 <= n && i < kChunk; ++i) {
            // "-lh?-" two bytes into the header.
            if (chunk[i + 2] != '-' || chunk[i + 3] != 'l' || chunk[i + 4] != 'h' || chunk[i + 6] != '-') continue;
            RangeSource at(file, base + i, file.Size() - (base + i));
            LzhHeader header;
            std::string error;
            if (ReadLzhHeader(at, header, error) == LzhRead::Entry) return base + i;
        }
    }
    return std::nullopt;
}

}  // namespace archivers
