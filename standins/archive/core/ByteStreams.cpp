#include "standins/archive/core/ByteStreams.h"

#include <cstring>

namespace archivers {

bool ReadExactly(ByteSource& source, void* data, std::size_t size) {
    auto* p = static_cast<unsigned char*>(data);
    while (size > 0) {
        std::size_t got = 0;
        if (!source.Read(p, size, got) || got == 0) return false;
        p += got;
        size -= got;
    }
    return true;
}

bool MemorySource::Read(void* data, std::size_t size, std::size_t& got) {
    got = size < size_ - at_ ? size : size_ - at_;
    if (got) std::memcpy(data, data_ + at_, got);
    at_ += got;
    return true;
}

bool MemorySource::ReadAt(std::uint64_t offset, void* data, std::size_t size) {
    if (offset > size_ || size > size_ - offset) return false;
    if (size) std::memcpy(data, data_ + offset, size);
    return true;
}

RangeSource::RangeSource(RandomSource& file, std::uint64_t offset, std::uint64_t length)
    : file_(file), at_(offset), stop_(offset + length) {
    const std::uint64_t size = file.Size();
    if (stop_ > size || stop_ < offset) stop_ = size;
}

bool RangeSource::Read(void* data, std::size_t size, std::size_t& got) {
    got = 0;
    auto* out = static_cast<unsigned char*>(data);
    while (got < size) {
        if (next_ == end_) {
            const std::uint64_t left = stop_ > at_ ? stop_ - at_ : 0;
            if (left == 0) break;
            const std::size_t n = left < sizeof buffer_ ? static_cast<std::size_t>(left) : sizeof buffer_;
            if (!file_.ReadAt(at_, buffer_, n)) return false;
            at_ += n;
            next_ = 0;
            end_ = n;
        }
        const std::size_t take = size - got < end_ - next_ ? size - got : end_ - next_;
        std::memcpy(out + got, buffer_ + next_, take);
        next_ += take;
        got += take;
    }
    return true;
}

}  // namespace archivers
