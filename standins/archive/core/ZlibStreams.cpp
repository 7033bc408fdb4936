#include "standins/archive/core/ZlibStreams.h"

#include <zlib.h>

#include <cstring>
#include <vector>

#include "standins/archive/core/Checksums.h"

namespace archivers {

namespace {

constexpr std::size_t kChunk = 1 << 16;
constexpr int kRawWindow = -15;
constexpr int kGzipWindow = 15 + 16;

// Output space is handed out in chunks; zlib's counters are 32-bit.
uInt Chunk(std::uint64_t left) { return left < kChunk ? static_cast<uInt>(left) : static_cast<uInt>(kChunk); }

// A deflate stream with its own 64-bit counts (zlib's are 32-bit on Windows)
// and the test for already compressed files.
struct Deflating {
    z_stream z{};
    bool ready = false;
    std::vector<unsigned char> output = std::vector<unsigned char>(kChunk * 4);
    std::uint64_t in = 0, out = 0;          // since the stream began
    std::uint64_t fileIn = 0, fileOut = 0;  // where the current file began
    bool probed = false;
    int level = 6;

    // Runs deflate over all of z's input with `flush`, handing every byte
    // made to `sink`: for Z_FINISH up to the stream's end, otherwise until
    // the input is taken and (for a flush) everything is out.
    bool Pump(int flush, ByteSink& sink) {
        for (;;) {
            z.next_out = output.data();
            z.avail_out = static_cast<uInt>(output.size());
            const uInt before = z.avail_in;
            const int status = deflate(&z, flush);
            in += before - z.avail_in;
            const std::size_t made = output.size() - z.avail_out;
            out += made;
            if (made && !sink.Write(output.data(), made)) return false;
            if (status == Z_STREAM_END) return true;
            if (status != Z_OK && !(status == Z_BUF_ERROR && flush != Z_FINISH)) return false;
            // Space left over: deflate has taken all it could and flushed what was asked.
            if (z.avail_in == 0 && z.avail_out != 0 && flush != Z_FINISH) return true;
        }
    }

    // Changes the level after a flush; whatever zlib still makes is handed on.
    bool SetLevel(int newLevel, ByteSink& sink) {
        if (!Pump(Z_BLOCK, sink)) return false;
        z.next_out = output.data();
        z.avail_out = static_cast<uInt>(output.size());
        const bool ok = deflateParams(&z, newLevel, Z_DEFAULT_STRATEGY) == Z_OK;
        const std::size_t made = output.size() - z.avail_out;
        out += made;
        return ok && (made == 0 || sink.Write(output.data(), made));
    }

    // Once the current file's first kNoiseProbe bytes are in: flushed out so
    // that their size shows, and if they came out hardly smaller (0.5%),
    // the rest of the file goes into stored blocks.
    bool Probe(ByteSink& sink) {
        if (probed || in - fileIn < kNoiseProbe) return true;
        probed = true;
        if (!Pump(Z_BLOCK, sink)) return false;
        if ((out - fileOut) * 200 < (in - fileIn) * 199) return true;
        return SetLevel(0, sink);
    }

    // A new file starts: back to the chosen level, measured afresh.
    bool NextFile(ByteSink& sink) {
        if (probed && !SetLevel(level, sink)) return false;
        fileIn = in;
        fileOut = out;
        probed = false;
        return true;
    }
};

}  // namespace

struct RawInflater::State {
    z_stream z{};
    bool ready = false;
    std::vector<unsigned char> input = std::vector<unsigned char>(kChunk * 4), output = std::vector<unsigned char>(kChunk * 4);
};

RawInflater::RawInflater() : state_(new State) { state_->ready = inflateInit2(&state_->z, kRawWindow) == Z_OK; }

RawInflater::~RawInflater() {
    if (state_->ready) inflateEnd(&state_->z);
}

bool RawInflater::Inflate(ByteSource& in, std::uint64_t packedSize, std::uint64_t size, ByteSink& out,
                          std::uint32_t& crc, std::string& error) {
    z_stream& z = state_->z;
    if (!state_->ready || inflateReset(&z) != Z_OK) {
        error = "out of memory";
        return false;
    }
    std::vector<unsigned char>& input = state_->input;
    std::vector<unsigned char>& output = state_->output;
    z.avail_in = 0;
    std::uint64_t inLeft = packedSize, produced = 0;
    crc = 0;
    int status = Z_OK;
    while (status != Z_STREAM_END) {
        if (z.avail_in == 0 && inLeft > 0) {
            std::size_t got = 0;
            if (!in.Read(input.data(), inLeft < input.size() ? static_cast<std::size_t>(inLeft) : input.size(), got) ||
                got == 0) {
                error = "cannot read the packed data";
                return false;
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
            return false;
        }
        if (made > size - produced) {
            error = "more data than the stated size";
            return false;
        }
        produced += made;
        crc = Crc32(crc, output.data(), made);
        if (made && !out.Write(output.data(), made)) {
            error = "cannot write the unpacked data";
            return false;
        }
        if (status != Z_STREAM_END && z.avail_in == 0 && inLeft == 0 && made == 0) {
            error = "the packed data ends early";
            return false;
        }
    }
    if (produced != size) {
        error = "less data than the stated size";
        return false;
    }
    return true;
}

struct RawDeflater::State : Deflating {
    std::vector<unsigned char> input = std::vector<unsigned char>(kChunk * 4);
};

RawDeflater::RawDeflater(int level) : state_(new State), level_(level) {
    state_->level = level;
    state_->ready = deflateInit2(&state_->z, level, Z_DEFLATED, kRawWindow, 8, Z_DEFAULT_STRATEGY) == Z_OK;
}

RawDeflater::~RawDeflater() {
    if (state_->ready) deflateEnd(&state_->z);
}

bool RawDeflater::Deflate(ByteSource& in, ByteSink& out, std::uint64_t limit, DeflateResult& result,
                          std::string& error) {
    State& d = *state_;
    if (!d.ready || deflateReset(&d.z) != Z_OK || deflateParams(&d.z, level_, Z_DEFAULT_STRATEGY) != Z_OK) {
        error = "out of memory";
        return false;
    }
    d.in = d.out = d.fileIn = d.fileOut = 0;
    d.probed = false;
    result = DeflateResult();
    for (;;) {
        std::size_t got = 0;
        if (!in.Read(d.input.data(), d.input.size(), got)) {
            error = "cannot read the data to pack";
            return false;
        }
        result.size += got;
        result.crc = Crc32(result.crc, d.input.data(), got);
        d.z.next_in = d.input.data();
        d.z.avail_in = static_cast<uInt>(got);
        if (!d.Pump(got ? Z_NO_FLUSH : Z_FINISH, out) || !d.Probe(out)) {
            error = "cannot write the packed data";
            return false;
        }
        result.packedSize = d.out;
        result.exceeded = result.packedSize > limit;
        if (got == 0 || result.exceeded) return true;
    }
}

struct GzipReader::State {
    explicit State(ByteSource& source) : in(source), input(kChunk) {}
    ByteSource& in;
    std::vector<unsigned char> input;
    z_stream z{};
    bool started = false, finished = false;

    // Keeps the bytes not yet taken and reads on behind them until `want`
    // are there or the stream ends; false on a read error.
    bool Buffer(uInt want) {
        if (z.avail_in >= want) return true;
        if (z.avail_in) std::memmove(input.data(), z.next_in, z.avail_in);
        z.next_in = input.data();
        while (z.avail_in < want) {
            std::size_t n = 0;
            if (!in.Read(input.data() + z.avail_in, input.size() - z.avail_in, n)) return false;
            if (n == 0) break;
            z.avail_in += static_cast<uInt>(n);
        }
        return true;
    }
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
        if (z.avail_in == 0 && !state_->Buffer(1)) {
            error_ = "cannot read the archive";
            return false;
        }
        // At the end of the input, inflate may still hold bits that make
        // output or show damage: it is asked until it makes nothing more.
        const bool atEnd = z.avail_in == 0;
        z.next_out = static_cast<unsigned char*>(data) + got;
        z.avail_out = Chunk(size - got);
        const uInt before = z.avail_out;
        const int status = inflate(&z, Z_NO_FLUSH);
        got += before - z.avail_out;
        if (atEnd && (status == Z_BUF_ERROR || (status == Z_OK && z.avail_out == before))) {
            error_ = "the compressed archive ends early";
            return false;
        }
        if (status == Z_STREAM_END) {
            // Another member may follow, its two magic bytes split over two
            // reads; anything else after the last member is ignored.
            if (!state_->Buffer(2)) {
                error_ = "cannot read the archive";
                return false;
            }
            if (z.avail_in >= 2 && z.next_in[0] == 0x1F && z.next_in[1] == 0x8B) {
                inflateReset(&z);
            } else if (z.avail_in == 1 && z.next_in[0] == 0x1F) {
                error_ = "the compressed archive ends early";
                return false;
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

struct GzipWriter::State : Deflating {
    explicit State(ByteSink& sink) : sink(sink) {}
    ByteSink& sink;
    bool failed = false;
};

GzipWriter::GzipWriter(ByteSink& out, int level) : state_(new State(out)) {
    state_->level = level;
    state_->ready = deflateInit2(&state_->z, level, Z_DEFLATED, kGzipWindow, 8, Z_DEFAULT_STRATEGY) == Z_OK;
    state_->failed = !state_->ready;
}

GzipWriter::~GzipWriter() {
    if (state_->ready) deflateEnd(&state_->z);
}

bool GzipWriter::Write(const void* data, std::size_t size) {
    State& d = *state_;
    const auto* p = static_cast<const unsigned char*>(data);
    while (size > 0 && !d.failed) {
        const std::size_t take = size < kChunk * 4 ? size : kChunk * 4;
        d.z.next_in = const_cast<unsigned char*>(p);
        d.z.avail_in = static_cast<uInt>(take);
        d.failed = !d.Pump(Z_NO_FLUSH, d.sink) || !d.Probe(d.sink);
        p += take;
        size -= take;
    }
    return !d.failed;
}

void GzipWriter::NextFile() {
    if (!state_->failed) state_->failed = !state_->NextFile(state_->sink);
}

bool GzipWriter::Finish() {
    State& d = *state_;
    d.z.avail_in = 0;
    return !d.failed && d.Pump(Z_FINISH, d.sink);
}

}  // namespace archivers
