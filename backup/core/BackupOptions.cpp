#include "backup/core/BackupOptions.h"

#include <cstdint>
#include <cstdio>

#include "framework/core/ByteOrder.h"
#include "framework/core/FilePtr.h"
#include "framework/core/FileReplace.h"

namespace backup {

namespace {

void AppendInt(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

bool ReadInt(const std::string& bytes, std::size_t& pos, int size, std::uint32_t& value) {
    if (bytes.size() - pos < static_cast<std::size_t>(size)) return false;
    const char* p = bytes.data() + pos;
    value = size == 1 ? static_cast<unsigned char>(*p) : size == 2 ? Le16(p) : Le32(p);
    pos += size;
    return true;
}

bool ReadInt32(const std::string& bytes, std::size_t& pos, int low, int high, int& value) {
    std::uint32_t raw = 0;
    if (!ReadInt(bytes, pos, 4, raw)) return false;
    value = static_cast<std::int32_t>(raw);
    return value >= low && value <= high;
}

// -1 stands for a schedule value no dialog has set yet.
bool ReadUnset(const std::string& bytes, std::size_t& pos, int low, int high, int& value) {
    return ReadInt32(bytes, pos, -1, high, value) && (value == -1 || value >= low);
}

}  // namespace

void AppendCountedString(std::string& out, const std::string& text) {
    const std::size_t n = text.size();
    if (n < 0xFF) {
        AppendInt(out, static_cast<std::uint32_t>(n), 1);
    } else if (n < 0xFFFE) {
        AppendInt(out, 0xFF, 1);
        AppendInt(out, static_cast<std::uint32_t>(n), 2);
    } else {
        AppendInt(out, 0xFF, 1);
        AppendInt(out, 0xFFFF, 2);
        AppendInt(out, static_cast<std::uint32_t>(n), 4);
    }
    out += text;
}

bool ReadCountedString(const std::string& bytes, std::size_t& pos, std::size_t cap, std::string& text) {
    std::uint32_t length = 0;
    if (!ReadInt(bytes, pos, 1, length)) return false;
    if (length == 0xFF) {
        if (!ReadInt(bytes, pos, 2, length) || length == 0xFFFE) return false;
        if (length == 0xFFFF && !ReadInt(bytes, pos, 4, length)) return false;
    }
    if (length > cap || length > bytes.size() - pos) return false;
    text.assign(bytes, pos, length);
    pos += length;
    return true;
}

std::string EncodeOptions(const BackupOptions& o) {
    std::string out;
    const auto put = [&out](int v) { AppendInt(out, static_cast<std::uint32_t>(v), 4); };
    put(o.includeSubfolder);
    put(o.skipIdentical);
    put(o.compareMode);
    AppendCountedString(out, o.destPath);
    put(o.extMode);
    AppendCountedString(out, o.extList);
    AppendCountedString(out, o.sourcePath);
    put(o.fileOperation);
    put(o.runMode);
    put(o.scheduleKind);
    AppendCountedString(out, o.scheduleText);
    for (int v : {o.scheduleHour, o.scheduleMinute, o.scheduleWeekday, o.scheduleDayOfMonth, o.scheduleLastDay}) put(v);
    return out;
}

bool DecodeOptions(const std::string& bytes, BackupOptions& options) {
    BackupOptions o;
    std::size_t pos = 0;
    const bool ok =
        ReadInt32(bytes, pos, 0, 1, o.includeSubfolder) && ReadInt32(bytes, pos, 0, 1, o.skipIdentical) &&
        ReadInt32(bytes, pos, -1, 1, o.compareMode) && ReadCountedString(bytes, pos, kMaxOptionPath, o.destPath) &&
        ReadInt32(bytes, pos, 0, 2, o.extMode) && ReadCountedString(bytes, pos, kMaxOptionText, o.extList) &&
        ReadCountedString(bytes, pos, kMaxOptionPath, o.sourcePath) && ReadInt32(bytes, pos, 0, 2, o.fileOperation) &&
        ReadInt32(bytes, pos, 0, 1, o.runMode) && ReadInt32(bytes, pos, 0, 3, o.scheduleKind) &&
        ReadCountedString(bytes, pos, kMaxOptionText, o.scheduleText) && ReadInt32(bytes, pos, 0, 23, o.scheduleHour) &&
        ReadUnset(bytes, pos, 0, 59, o.scheduleMinute) && ReadUnset(bytes, pos, 1, 7, o.scheduleWeekday) &&
        ReadUnset(bytes, pos, 1, 31, o.scheduleDayOfMonth) && ReadUnset(bytes, pos, 0, 1, o.scheduleLastDay) &&
        pos == bytes.size();
    if (ok) options = o;
    return ok;
}

bool LoadOptionsFile(const std::string& path, BackupOptions& options) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    // Larger than any valid record: anything longer is refused unread.
    constexpr std::size_t kLimit = 16 * 4 + 4 * (7 + kMaxOptionText);
    std::string bytes(kLimit + 1, '\0');
    const std::size_t got = std::fread(&bytes[0], 1, bytes.size(), file.get());
    if (std::ferror(file.get()) || got > kLimit) return false;
    bytes.resize(got);
    return DecodeOptions(bytes, options);
}

bool SaveOptionsFile(const std::string& path, const BackupOptions& options) {
    const std::string bytes = EncodeOptions(options);
    return WriteFileReplacing(path, [&bytes](std::FILE* file) {
               return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
           }) == RewriteResult::Written;
}

}  // namespace backup
