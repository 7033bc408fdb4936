// Where the archivers' bytes come from and go to. Every member is streamed
// through these, so no file is ever held in memory whole; the Windows side
// reads and writes files, the tests and fuzzers memory.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/core/ByteOrder.h"

namespace archivers {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to `size` bytes into `data`; fewer only at the end. False on a read error.
    virtual bool Read(void* data, std::size_t size, std::size_t& got) = 0;
};

class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool Write(const void* data, std::size_t size) = 0;
};

// A file read at any position: the ZIP directory sits at the end.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Exactly `size` bytes at `offset`; false when they are not all there.
    virtual bool ReadAt(std::uint64_t offset, void* data, std::size_t size) = 0;
};

// Exactly `size` bytes, false when the source ends first.
bool ReadExactly(ByteSource& source, void* data, std::size_t size);

// Part of a random-access file read as a stream, through a buffer of its own.
class RangeSource : public ByteSource {
public:
    RangeSource(RandomSource& file, std::uint64_t offset, std::uint64_t length);
    bool Read(void* data, std::size_t size, std::size_t& got) override;
    std::uint64_t Position() const { return at_ - (end_ - next_); }

private:
    RandomSource& file_;
    std::uint64_t at_, stop_;
    unsigned char buffer_[1 << 14];
    std::size_t next_ = 0, end_ = 0;
};

class MemorySource : public ByteSource, public RandomSource {
public:
    MemorySource(const void* data, std::size_t size) : data_(static_cast<const unsigned char*>(data)), size_(size) {}
    explicit MemorySource(const std::string& bytes) : MemorySource(bytes.data(), bytes.size()) {}
    // It keeps no copy: a temporary would be gone before the first read.
    explicit MemorySource(std::string&&) = delete;
    bool Read(void* data, std::size_t size, std::size_t& got) override;
    std::uint64_t Size() const override { return size_; }
    bool ReadAt(std::uint64_t offset, void* data, std::size_t size) override;

private:
    const unsigned char* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

class MemorySink : public ByteSink {
public:
    bool Write(const void* data, std::size_t size) override {
        bytes.append(static_cast<const char*>(data), size);
        return true;
    }
    std::string bytes;
};

}  // namespace archivers
