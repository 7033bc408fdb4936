#include "ZlibStreams.h"

#include <zlib.h>

#include <vector>

#include "Checksums.h"

namespace {

constexpr std::size_t kChunk = 1 << 16;
constexpr int kRawWindow = -15;
constexpr int kGzipWindow = 15 + 16;

// Output space is handed out in chunks; zlib's counters are 32-bit.
uInt Chunk(std::uint64_t left) { return left < kChunk ? static_cast<uInt>(left) : static_cast<uInt>(kChunk); }

}  // namespace

bool InflateRaw(ByteSource& in, std::uint64_t packedSize, std::uint64_t size, ByteSink& out, std::uint32_t& crc,
                std::string& error) {
    z_stream z{};
    if (inflateInit2(&z, kRawWindow) != Z_OK) {
        error = "out of memory";
        return false;
    }
    std::vector<unsigned char> input(kChunk), output(kChunk);
    std::uint64_t inLeft = packedSize, produced = 0;
    crc = 0;
    int status = Z_OK;
    bool ok = true;
    while (ok && status != Z_STREAM_END) {
        if (z.avail_in == 0 && inLeft > 0) {
            std::size_t got = 0;
            if (!in.Read(input.data(), Chunk(inLeft), got) || got == 0) {
                error = "cannot read the packed data";
                ok = false;
                break;
            }
            inLeft -= got;
            z.next_in = input.data();
            z.avail_in = static_cast<uInt>(got);
        }
        z.next_out = output.data();
        z.avail_out = static_cast<uInt>(output.size());
        status = inflate(&z, Z_NO_FLUSH);
        const std::size_t made = output.size() - z.avail_out;
        if (status != Z_OK && status != Z_STREAM_END && !(status == Z_BUF_ERROR && made > 0)) {
            error = status == Z_DATA_ERROR ? "damaged packed data" : "the packed data ends early";
            ok = false;
        }
        if (made > 0) {
            if (produced + made > size) {
                error = "more data than the stated size";
                ok = false;
                break;
            }
            produced += made;
            crc = Crc32(crc, output.data(), made);
            if (!out.Write(output.data(), made)) {
                error = "cannot write the unpacked data";
                ok = false;
            }
        }
        if (ok && status != Z_STREAM_END && z.avail_in == 0 && inLeft == 0 && made == 0) {
            error = "the packed data ends early";
            ok = false;
        }
    }
    inflateEnd(&z);
    if (ok && produced != size) {
        error = "less data than the stated size";
        ok = false;
    }
    return ok;
}

bool DeflateRaw(ByteSource& in, ByteSink& out, int level, std::uint64_t limit, DeflateResult& result,
                std::string& error) {
    z_stream z{};
    if (deflateInit2(&z, level, Z_DEFLATED, kRawWindow, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        error = "out of memory";
        return false;
    }
    std::vector<unsigned char> input(kChunk * 4), output(kChunk * 4);
    result = DeflateResult();
    bool ok = true, end = false;
    while (ok && !result.exceeded) {
        if (z.avail_in == 0 && !end) {
            std::size_t got = 0;
            if (!in.Read(input.data(), input.size(), got)) {
                error = "cannot read the data to pack";
                ok = false;
                break;
            }
            end = got == 0;
            result.size += got;
            result.crc = Crc32(result.crc, input.data(), got);
            z.next_in = input.data();
            z.avail_in = static_cast<uInt>(got);
        }
        z.next_out = output.data();
        z.avail_out = static_cast<uInt>(output.size());
        const int status = deflate(&z, end ? Z_FINISH : Z_NO_FLUSH);
        const std::size_t made = output.size() - z.avail_out;
        result.packedSize += made;
        if (made && !out.Write(output.data(), made)) {
            error = "cannot write the packed data";
            ok = false;
        }
        result.exceeded = result.packedSize > limit;
        if (status == Z_STREAM_END) break;
    }
    deflateEnd(&z);
    return ok;
}

struct GzipReader::State {
    explicit State(ByteSource& source) : in(source), input(kChunk) {}
    ByteSource& in;
    std::vector<unsigned char> input;
    z_stream z{};
    bool started = false, finished = false;
};

GzipReader::GzipReader(ByteSource& in) : state_(new State(in)) {
    if (inflateInit2(&state_->z, kGzipWindow) != Z_OK) error_ = "out of memory";
    state_->started = error_.empty();
}

GzipReader::~GzipReader() {
    if (state_->started) inflateEnd(&state_->z);
}

bool GzipReader::Read(void* data, std::size_t size, std::size_t& got) {
    got = 0;
    if (!error_.empty()) return false;
    z_stream& z = state_->z;
    while (got < size && !state_->finished) {
        if (z.avail_in == 0) {
            std::size_t n = 0;
            if (!state_->in.Read(state_->input.data(), state_->input.size(), n)) {
                error_ = "cannot read the archive";
                return false;
            }
            if (n == 0) {
                error_ = "the compressed archive ends early";
                return false;
            }
            z.next_in = state_->input.data();
            z.avail_in = static_cast<uInt>(n);
        }
        z.next_out = static_cast<unsigned char*>(data) + got;
        z.avail_out = Chunk(size - got);
        const uInt before = z.avail_out;
        const int status = inflate(&z, Z_NO_FLUSH);
        got += before - z.avail_out;
        if (status == Z_STREAM_END) {
            // Another member may follow; anything else after the last one is ignored.
            if (z.avail_in == 0) {
                std::size_t n = 0;
                if (!state_->in.Read(state_->input.data(), state_->input.size(), n)) {
                    error_ = "cannot read the archive";
                    return false;
                }
                z.next_in = state_->input.data();
                z.avail_in = static_cast<uInt>(n);
            }
            if (z.avail_in >= 2 && z.next_in[0] == 0x1F && z.next_in[1] == 0x8B) {
                inflateReset(&z);
            } else {
                state_->finished = true;
            }
        } else if (status != Z_OK && status != Z_BUF_ERROR) {
            error_ = status == Z_DATA_ERROR ? std::string("damaged compressed data: ") + (z.msg ? z.msg : "")
                                            : "cannot decompress the archive";
            return false;
        }
    }
    return true;
}

bool GzipReader::Drain() {
    std::vector<unsigned char> scratch(kChunk);
    std::size_t got = 0;
    do {
        if (!Read(scratch.data(), scratch.size(), got)) return false;
    } while (got > 0);
    return true;
}

struct GzipWriter::State {
    explicit State(ByteSink& sink) : out(sink), output(kChunk * 4) {}
    ByteSink& out;
    std::vector<unsigned char> output;
    z_stream z{};
    bool started = false, failed = false;

    bool Run(const unsigned char* data, std::size_t size, int flush) {
        z.next_in = const_cast<unsigned char*>(data);
        z.avail_in = static_cast<uInt>(size);
        int status = Z_OK;
        do {
            z.next_out = output.data();
            z.avail_out = static_cast<uInt>(output.size());
            status = deflate(&z, flush);
            const std::size_t made = output.size() - z.avail_out;
            if (made && !out.Write(output.data(), made)) failed = true;
        } while (!failed && (z.avail_in > 0 || (flush == Z_FINISH && status != Z_STREAM_END)));
        return !failed;
    }
};

GzipWriter::GzipWriter(ByteSink& out, int level) : state_(new State(out)) {
    state_->started = deflateInit2(&state_->z, level, Z_DEFLATED, kGzipWindow, 8, Z_DEFAULT_STRATEGY) == Z_OK;
    state_->failed = !state_->started;
}

GzipWriter::~GzipWriter() {
    if (state_->started) deflateEnd(&state_->z);
}

bool GzipWriter::Write(const void* data, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    while (size > 0 && !state_->failed) {
        const std::size_t take = size < (1u << 30) ? size : (1u << 30);
        state_->Run(p, take, Z_NO_FLUSH);
        p += take;
        size -= take;
    }
    return !state_->failed;
}

bool GzipWriter::Finish() { return !state_->failed && state_->Run(nullptr, 0, Z_FINISH); }
