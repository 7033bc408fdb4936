// Deflate, inflate and gzip framing from zlib, over the archivers' streams.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "standins/archive/core/ByteStreams.h"

namespace archivers {

struct DeflateResult {
    std::uint64_t size = 0;
    std::uint64_t packedSize = 0;
    std::uint32_t crc = 0;
    bool exceeded = false;  // more than the limit came out: store the data instead
};

// Raw deflate for ZIP members. Each keeps its zlib state and buffers from one
// member to the next, as a fresh state for every small file costs more than
// packing it. Data not made smaller by its first kNoiseProbe bytes is taken
// for already compressed: the rest goes into deflate's stored blocks, which
// costs a few bytes in 64 KiB instead of a search for matches that are not there.
constexpr std::uint64_t kNoiseProbe = 256 << 10;
class RawDeflater {
public:
    explicit RawDeflater(int level);
    ~RawDeflater();
    // Deflates all of `in`, stopping once the output passes `limit`.
    bool Deflate(ByteSource& in, ByteSink& out, std::uint64_t limit, DeflateResult& result, std::string& error);

private:
    struct State;
    std::unique_ptr<State> state_;
    int level_;
};

class RawInflater {
public:
    RawInflater();
    ~RawInflater();
    // Reads at most `packedSize` bytes of `in` and must make exactly `size`
    // bytes, whose CRC-32 it gives back.
    bool Inflate(ByteSource& in, std::uint64_t packedSize, std::uint64_t size, ByteSink& out, std::uint32_t& crc,
                 std::string& error);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The data of a gzip file, member after member; the trailers' CRCs and
// lengths are checked as they pass. Reading fails with `Error()` set.
class GzipReader : public ByteSource {
public:
    explicit GzipReader(ByteSource& in);
    ~GzipReader() override;
    bool Read(void* data, std::size_t size, std::size_t& got) override;
    // Reads on to the end, so that the last trailer is checked too.
    bool Drain();
    const std::string& Error() const { return error_; }

private:
    struct State;
    std::unique_ptr<State> state_;
    std::string error_;
};

// Writes gzip: one member at `level`. Finish() completes it. Each file put
// in is announced with NextFile(), so that already compressed files are told
// apart one by one, as in RawDeflater.
class GzipWriter : public ByteSink {
public:
    GzipWriter(ByteSink& out, int level);
    ~GzipWriter() override;
    bool Write(const void* data, std::size_t size) override;
    void NextFile();
    bool Finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace archivers
