// The info-tip text builders over files: the bar's tips and the info-tip
// shell extension call these. The byte-level work is in HtmlToText.h,
// VersionInfo.h and ZipEntries.h; this unit reads the files.
#pragma once
#include <cstddef>
#include <string>

#include "main/bar/core/HtmlToText.h"
#include "framework/win32/ScopedHandle.h"
#include "main/bar/core/ZipEntries.h"

namespace bar {

// Opened for reading by anyone's leave: a reader must not stop others writing.
ScopedFile OpenSharedRead(const std::string& path);

// Reads at positions of an open file. Seeks with a high double word, since
// SetFilePointerEx and offsets in ReadFile are not on Windows 95.
class FileByteSource : public RandomAccessBytes {
public:
    explicit FileByteSource(const ScopedFile& file);
    std::uint64_t Size() const override { return size_; }
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override;

private:
    const ScopedFile& file_;
    std::uint64_t size_ = 0;
};

// At most maxBytes from the start of a file; "" when it cannot be read.
std::string ReadFileHead(const std::string& path, std::size_t maxBytes);

// The string stored under key (such as "FileDescription") in the version
// resource of a program or library, for its first language and code page;
// "" when the file has no version resource or the table no such string.
std::string GetVersionString(const std::string& path, const std::string& key);

// Entry names of a ZIP file, one a line, at most maxCount of them and then
// "..."; "" when the file cannot be read or is no archive.
std::string ListZipEntries(const std::string& path, int maxCount);

}  // namespace bar
