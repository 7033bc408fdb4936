// Gzip and tar streams read through a source that hands out chunks of
// random sizes give what reading the whole buffer at once gives: the same
// members with the same data, stopping at the same place for the same
// reason. The first four bytes seed the chunk sizes; the rest is the
// stream, gzip when it starts with gzip's magic.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "standins/archive/core/TarFormat.h"
#include "standins/archive/core/ZlibStreams.h"

using namespace archivers;

namespace {

class ChunkedSource : public ByteSource {
public:
    ChunkedSource(const std::uint8_t* data, std::size_t size, std::uint32_t seed)
        : data_(data), left_(size), state_(seed) {}
    bool Read(void* out, std::size_t size, std::size_t& got) override {
        state_ = state_ * 1103515245u + 12345u;
        // Mostly one to three bytes, so that the boundaries inside the
        // stream fall between chunks; once in a while more than a tar block.
        const std::size_t most = 1 + ((state_ >> 16) & 63 ? (state_ >> 22) % 3 : (state_ >> 22) % 700);
        got = size < most ? size : most;
        if (got > left_) got = left_;
        if (got) std::memcpy(out, data_, got);
        data_ += got;
        left_ -= got;
        return true;
    }

private:
    const std::uint8_t* data_;
    std::size_t left_;
    std::uint32_t state_;
};

struct Outcome {
    std::string seen;       // every member's name, size and data
    std::string stop;       // why the reading stopped, when it failed
    std::string gzipError;  // the compressed stream's own failure
};

Outcome ReadAll(ByteSource& raw, bool gzipped) {
    GzipReader gzip(raw);
    ByteSource& in = gzipped ? static_cast<ByteSource&>(gzip) : raw;
    TarReader reader(in);
    Outcome o;
    for (int i = 0; i < 64 && o.stop.empty(); ++i) {
        TarEntry entry;
        const TarReader::Result next = reader.Next(entry, o.stop);
        if (next != TarReader::Result::Entry) break;
        o.seen += "\n" + entry.name + " " + std::to_string(entry.size) + ":";
        char buffer[1000];
        std::size_t got = 0;
        do {
            if (!reader.ReadData(buffer, sizeof buffer, got)) o.stop = "cut";
            o.seen.append(buffer, o.stop.empty() ? got : 0);
        } while (got > 0 && o.stop.empty());
    }
    // Read on to the last trailer, wherever the tar stopped, as tar32 does.
    if (gzipped && gzip.Error().empty() && !gzip.Drain() && o.stop.empty()) o.stop = "damaged";
    o.gzipError = gzip.Error();
    return o;
}

bool OnePrefixOfTheOther(const std::string& a, const std::string& b) {
    return a.compare(0, b.size(), b) == 0 || b.compare(0, a.size(), a) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    std::uint32_t seed = 0;
    std::memcpy(&seed, data, 4);
    data += 4;
    size -= 4;
    const bool gzipped = size >= 2 && data[0] == 0x1F && data[1] == 0x8B;
    MemorySource whole(data, size);
    ChunkedSource chunked(data, size, seed);
    const Outcome a = ReadAll(whole, gzipped), b = ReadAll(chunked, gzipped);
    // A damaged compressed stream shows in whichever read meets its damage
    // first, which depends on how much input was there: then the tar reader's
    // own words, and what came out before, may differ, but not the damage.
    if (a.gzipError != b.gzipError) std::abort();
    if (a.gzipError.empty() ? a.seen != b.seen || a.stop != b.stop : !OnePrefixOfTheOther(a.seen, b.seen)) std::abort();
    return 0;
}
