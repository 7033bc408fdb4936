#include "main/bar/InfoTipText.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "framework/core/ByteOrder.h"
#include "framework/win32/ScopedHandle.h"
#include "main/bar/core/VersionInfo.h"

namespace bar {

ScopedFile OpenSharedRead(const std::string& path) {
    return ScopedFile(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileByteSource::FileByteSource(const ScopedFile& file) : file_(file) {
    DWORD high = 0;
    const DWORD low = GetFileSize(file_.Get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return;
    size_ = (std::uint64_t(high) << 32) | low;
}

std::size_t FileByteSource::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) {
    if (offset >= size_ || count == 0) return 0;
    LONG high = static_cast<LONG>(offset >> 32);
    SetLastError(NO_ERROR);
    const DWORD low = SetFilePointer(file_.Get(), static_cast<LONG>(offset & 0xFFFFFFFF), &high, FILE_BEGIN);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return 0;
    std::size_t done = 0;
    auto* bytes = static_cast<char*>(buffer);
    while (done < count) {
        const std::size_t chunk = count - done < 0x10000000 ? count - done : 0x10000000;
        DWORD got = 0;
        if (!ReadFile(file_.Get(), bytes + done, static_cast<DWORD>(chunk), &got, nullptr) || got == 0) break;
        done += got;
    }
    return done;
}

std::string ReadFileHead(const std::string& path, std::size_t maxBytes) {
    const ScopedFile file = OpenSharedRead(path);
    if (!file.Valid()) return std::string();
    FileByteSource source(file);
    std::string bytes(maxBytes, '\0');
    bytes.resize(source.ReadAt(0, &bytes[0], maxBytes));
    return bytes;
}

std::string GetVersionString(const std::string& path, const std::string& key) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return std::string();
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return std::string();
    // The lengths VerQueryValueA hands back come from the file: a translation
    // shorter than one pair is none, and a text is read only within its
    // length, whether or not a NUL ends it.
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length) || value == nullptr ||
        length < 4)
        return std::string();
    const auto* pair = static_cast<const unsigned char*>(value);
    VersionTranslation translation;
    translation.language = Le16(pair);
    translation.codePage = Le16(pair + 2);
    std::string subBlock = StringTablePath(translation, key);
    value = nullptr;
    length = 0;
    if (!VerQueryValueA(block.data(), &subBlock[0], &value, &length) || value == nullptr) return std::string();
    const auto* text = static_cast<const char*>(value);
    const auto* blockEnd = reinterpret_cast<const char*>(block.data() + block.size());
    if (text < reinterpret_cast<const char*>(block.data()) || text >= blockEnd) return std::string();
    std::size_t limit = length;
    if (limit > static_cast<std::size_t>(blockEnd - text)) limit = static_cast<std::size_t>(blockEnd - text);
    std::size_t n = 0;
    while (n < limit && text[n] != '\0') ++n;
    return std::string(text, n);
}

std::string ListZipEntries(const std::string& path, int maxCount) {
    const ScopedFile file = OpenSharedRead(path);
    if (!file.Valid()) return std::string();
    FileByteSource source(file);
    return ListZipEntries(source, maxCount);
}

}  // namespace bar
