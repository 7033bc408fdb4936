// The -lh5-, -lh6- and -lh7- methods: LZ77 over an 8, 32 or 64 KiB
// dictionary with matches of 3 to 256 bytes, sent in blocks, each coded with
// Huffman trees for literals and lengths, for match distances, and for the
// first tree's own code lengths. One encoder and one decoder serve the
// archiver and its self-extractor.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "standins/archive/core/ByteStreams.h"

namespace archivers {

constexpr int kLh5DictionaryBits = 13;
constexpr int kLh6DictionaryBits = 15;
constexpr int kLh7DictionaryBits = 16;

struct LzhEncodeResult {
    std::uint64_t originalSize = 0;
    std::uint64_t packedSize = 0;
    std::uint16_t crc = 0;
    // The output grew past the limit, or the data proved already compressed,
    // and encoding stopped: store the data instead.
    bool exceeded = false;
};

// Coders keep their tables and buffers from one member to the next: an
// archive of many small files would otherwise spend its time on fresh memory.
class LzhDecoder {
public:
    LzhDecoder();
    ~LzhDecoder();
    // As LzhDecode below.
    bool Decode(int dictionaryBits, ByteSource& in, std::uint64_t packedSize, std::uint64_t originalSize,
                ByteSink& out, std::uint16_t& crc, std::string& error);

private:
    struct Buffers;
    std::unique_ptr<Buffers> buffers_;
};

class LzhEncoder {
public:
    LzhEncoder();
    ~LzhEncoder();
    // As LzhEncode below.
    bool Encode(int dictionaryBits, ByteSource& in, ByteSink& out, std::uint64_t packedLimit, LzhEncodeResult& result,
                std::string& error);

private:
    struct Buffers;
    std::unique_ptr<Buffers> buffers_;
};

// Decodes exactly `originalSize` bytes from at most `packedSize` bytes of
// `in` (never reading past them) into `out`, with the CRC-16 of what it
// wrote. False, with a reason, on a malformed or short stream.
bool LzhDecode(int dictionaryBits, ByteSource& in, std::uint64_t packedSize, std::uint64_t originalSize, ByteSink& out,
               std::uint16_t& crc, std::string& error);

// Encodes all of `in` into `out`, stopping early once more than
// `packedLimit` bytes are out. False when a read or write fails.
bool LzhEncode(int dictionaryBits, ByteSource& in, ByteSink& out, std::uint64_t packedLimit, LzhEncodeResult& result,
               std::string& error);

}  // namespace archivers
