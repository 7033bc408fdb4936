// LZH headers and the -lh5-/-lh6-/-lh7- codec: what is written reads back,
// and damaged input is refused rather than unpacked into garbage.
#include <gtest/gtest.h>

#include <string>

#include "standins/archive/core/Checksums.h"
#include "standins/archive/core/LzhCodec.h"
#include "standins/archive/core/LzhHeader.h"

using namespace archivers;

namespace {

std::string Sample(std::size_t size, unsigned seed) {
    std::string s;
    unsigned x = seed;
    while (s.size() < size) {
        x = x * 1103515245u + 12345u;
        // Words from a small vocabulary with some noise: repeats near and far.
        static const char* words[] = {"alpha ", "beta ", "gamma\r\n", "delta ", "\x01\x02\x03", "zeta "};
        s += (x >> 16) % 7 == 0 ? std::string(1, static_cast<char>(x >> 8)) : words[(x >> 16) % 6];
    }
    s.resize(size);
    return s;
}

TEST(Crc16, MatchesTheCheckValue) { EXPECT_EQ(Crc16(0, "123456789", 9), 0xBB3D); }

TEST(LzhHeader, WritesWhatItReads) {
    const struct {
        const char* method;
        const char* name;
        int level;
    } cases[] = {
        {"-lh5-", "report.txt", 1},
        {"-lh7-", "sub/deeper/name with blanks.bin", 1},
        {"-lhd-", "sub/empty/", 1},
        {"-lh5-", "a-name-too-long-for-the-first-byte-of-a-level-1-header/"
                  "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
                  "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx.txt", 1},
        {"-lh0-", "sub/deeper/name with blanks.bin", 2},
        {"-lhd-", "sub/", 2},
        {"-lh6-", "a", 2},
    };
    for (const auto& c : cases) {
        LzhHeader h;
        h.method = c.method;
        h.name = c.name;
        h.packedSize = 1234;
        h.originalSize = 5678;
        h.dosTime = 0x5A2B6C3D;
        h.unixTime = 1700000000;
        h.crc = 0xBEEF;
        std::string bytes, error;
        ASSERT_TRUE(BuildLzhHeader(h, c.level, bytes, error)) << error;
        MemorySource in(bytes);
        LzhHeader back;
        ASSERT_EQ(ReadLzhHeader(in, back, error), LzhRead::Entry) << c.name << ": " << error;
        EXPECT_EQ(back.method, c.method);
        EXPECT_EQ(back.name, c.name);
        EXPECT_EQ(back.level, c.level);
        EXPECT_EQ(back.packedSize, 1234u) << c.name;
        EXPECT_EQ(back.originalSize, 5678u);
        EXPECT_EQ(back.crc, 0xBEEF);
        if (c.level == 1) EXPECT_EQ(back.dosTime, 0x5A2B6C3Du);
        if (c.level == 2) EXPECT_EQ(back.unixTime, 1700000000);
        EXPECT_EQ(back.raw, bytes);
    }
}

TEST(LzhHeader, NeverStartsWithTheClosingZeroAndRefusesDamage) {
    // A level-2 size ending in a zero byte would read as the end of the archive.
    for (std::size_t n = 1; n < 300; ++n) {
        LzhHeader h;
        h.name = std::string(n, 'x');
        std::string bytes, error;
        ASSERT_TRUE(BuildLzhHeader(h, 2, bytes, error));
        ASSERT_NE(bytes[0], '\0') << n;
    }
    LzhHeader h;
    h.name = "dir/file";
    for (int level : {1, 2}) {
        std::string bytes, error;
        ASSERT_TRUE(BuildLzhHeader(h, level, bytes, error));
        bytes[12] ^= 1;
        MemorySource damaged(bytes);
        LzhHeader back;
        EXPECT_EQ(ReadLzhHeader(damaged, back, error), LzhRead::Bad) << level;
        const std::string shortened = bytes.substr(0, bytes.size() - 3);
        MemorySource cut(shortened);
        EXPECT_EQ(ReadLzhHeader(cut, back, error), LzhRead::Bad) << level;
    }
    const std::string closing(1, '\0');
    MemorySource end(closing);
    std::string error;
    EXPECT_EQ(ReadLzhHeader(end, h, error), LzhRead::End);
}

TEST(LzhCodec, RoundTripsEveryMethod) {
    const std::string inputs[] = {
        "", "a", std::string(70000, 'z'), Sample(300000, 1), Sample(5000, 2) + std::string(100000, '\0'),
        [] { std::string s; for (int i = 0; i < 200000; ++i) s += static_cast<char>(i * 7919 % 251); return s; }(),
    };
    for (int bits : {kLh5DictionaryBits, kLh6DictionaryBits, kLh7DictionaryBits}) {
        for (const std::string& input : inputs) {
            MemorySource in(input);
            MemorySink packed;
            LzhEncodeResult r;
            std::string error;
            ASSERT_TRUE(LzhEncode(bits, in, packed, ~0ull, r, error)) << error;
            EXPECT_EQ(r.originalSize, input.size());
            EXPECT_EQ(r.packedSize, packed.bytes.size());
            EXPECT_EQ(r.crc, Crc16(0, input.data(), input.size()));
            MemorySource back(packed.bytes);
            MemorySink out;
            std::uint16_t crc = 0;
            ASSERT_TRUE(LzhDecode(bits, back, packed.bytes.size(), input.size(), out, crc, error))
                << bits << " " << input.size() << ": " << error;
            EXPECT_TRUE(out.bytes == input) << bits << " " << input.size();
            EXPECT_EQ(crc, r.crc);
        }
    }
}

TEST(LzhCodec, StopsAtTheLimitAndRefusesShortOrDamagedStreams) {
    const std::string input = Sample(100000, 3);
    MemorySource in(input);
    MemorySink packed;
    LzhEncodeResult r;
    std::string error;
    ASSERT_TRUE(LzhEncode(kLh5DictionaryBits, in, packed, 1000, r, error));
    EXPECT_TRUE(r.exceeded);

    MemorySource again(input);
    packed.bytes.clear();
    ASSERT_TRUE(LzhEncode(kLh5DictionaryBits, again, packed, ~0ull, r, error));
    EXPECT_LT(packed.bytes.size(), input.size() / 3);
    std::string flipped = packed.bytes;
    flipped[flipped.size() / 2] ^= 0x10;
    const struct {
        std::string data;
        std::uint64_t size;
    } bad[] = {{packed.bytes.substr(0, packed.bytes.size() / 2), packed.bytes.size() / 2}, {flipped, flipped.size()},
               {std::string(8, '\0'), 8}};
    for (const auto& b : bad) {
        MemorySource src(b.data);
        MemorySink out;
        std::uint16_t crc = 0;
        const bool ok = LzhDecode(kLh5DictionaryBits, src, b.size, input.size(), out, crc, error);
        EXPECT_TRUE(!ok || crc != r.crc) << b.data.size();
    }
}

}  // namespace
