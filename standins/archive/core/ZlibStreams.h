// Deflate, inflate and gzip framing from zlib, over the archivers' streams.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "ByteStreams.h"

// Inflates raw deflate data: reads at most `packedSize` bytes of `in` and
// must make exactly `size` bytes, whose CRC-32 it gives back.
bool InflateRaw(ByteSource& in, std::uint64_t packedSize, std::uint64_t size, ByteSink& out, std::uint32_t& crc,
                std::string& error);

struct DeflateResult {
    std::uint64_t size = 0;
    std::uint64_t packedSize = 0;
    std::uint32_t crc = 0;
    bool exceeded = false;  // more than the limit came out: store the data instead
};

// Deflates all of `in` raw at `level` (1-9), stopping once the output passes `limit`.
bool DeflateRaw(ByteSource& in, ByteSink& out, int level, std::uint64_t limit, DeflateResult& result,
                std::string& error);

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

// Writes gzip: one member at `level`. Finish() completes it.
class GzipWriter : public ByteSink {
public:
    GzipWriter(ByteSink& out, int level);
    ~GzipWriter() override;
    bool Write(const void* data, std::size_t size) override;
    bool Finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};
