// The first entry names of a ZIP archive, for info tips.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace bar {

// Random-access reads over the bytes of a file (an archive, the known-program
// records): an open file on Windows, memory in tests and fuzzing.
class RandomAccessBytes {
public:
    virtual ~RandomAccessBytes() = default;
    virtual std::uint64_t Size() const = 0;
    // Copies up to count bytes from offset into buffer and returns how many
    // were copied: fewer only at the end of the data or on a read error.
    virtual std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) = 0;
};

// A source over bytes the caller keeps alive.
class MemoryByteSource : public RandomAccessBytes {
public:
    MemoryByteSource(const void* data, std::size_t size)
        : data_(static_cast<const unsigned char*>(data)), size_(size) {}
    std::uint64_t Size() const override { return size_; }
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override;

private:
    const unsigned char* data_;
    std::size_t size_;
};

// Entry names, one a line (CR LF between them). When maxCount names have
// been listed, "..." follows the last line break, also when the archive
// holds exactly that many (a maximum below 1 gives just "..."); otherwise
// the trailing line break is trimmed. Names come from the local headers;
// once an entry's local header gives no usable size (a data descriptor
// follows its data, or a Zip64 size), the whole list comes from the central
// directory. A source that is not an archive gives "".
std::string ListZipEntries(RandomAccessBytes& source, int maxCount);

}  // namespace bar
