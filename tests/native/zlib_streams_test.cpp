// The zlib streams: ZIP members and gzip files come back whole, damage and
// short data are refused, and already compressed files cost deflate little.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "standins/archive/core/Checksums.h"
#include "standins/archive/core/ZlibStreams.h"

using namespace archivers;

namespace {

std::string Noise(std::size_t size) {
    std::mt19937 rng(7);
    std::string s(size, '\0');
    for (char& c : s) c = static_cast<char>(rng());
    return s;
}

std::string Text(std::size_t size) {
    std::string s;
    for (int i = 0; s.size() < size; ++i) s += "line " + std::to_string(i % 97) + "\r\n";
    return s.substr(0, size);
}

TEST(RawDeflater, RoundTripsAndStoresNoiseInItsOwnBlocks) {
    RawDeflater deflater(6);
    RawInflater inflater;
    // One coder pair for all, as for the members of one archive.
    for (const std::string& input : {std::string(), Text(100), Text(600000), Noise(900000), Noise(50)}) {
        MemorySource in(input);
        MemorySink packed;
        DeflateResult r;
        std::string error;
        ASSERT_TRUE(deflater.Deflate(in, packed, ~0ull, r, error)) << error;
        EXPECT_EQ(r.size, input.size());
        EXPECT_EQ(r.packedSize, packed.bytes.size());
        EXPECT_EQ(r.crc, Crc32(0, input.data(), input.size()));
        if (input.size() > 100000) EXPECT_LT(r.packedSize, input.size() + input.size() / 1000);
        MemorySource back(packed.bytes);
        MemorySink out;
        std::uint32_t crc = 0;
        ASSERT_TRUE(inflater.Inflate(back, packed.bytes.size(), input.size(), out, crc, error)) << error;
        EXPECT_TRUE(out.bytes == input);
        EXPECT_EQ(crc, r.crc);
        // A stated size that lies either way, and a stream cut short.
        for (std::uint64_t lie : {input.size() + 1, input.size() ? input.size() - 1 : 1}) {
            MemorySource again(packed.bytes);
            MemorySink sink;
            EXPECT_FALSE(inflater.Inflate(again, packed.bytes.size(), lie, sink, crc, error)) << input.size();
        }
        MemorySource cut(packed.bytes);
        MemorySink sink;
        EXPECT_FALSE(inflater.Inflate(cut, packed.bytes.size() / 2, input.size(), sink, crc, error)) << input.size();
    }
}

TEST(Gzip, FilesComeBackAndDamageShowsByTheEnd) {
    const std::string files[] = {Text(300000), Noise(400000), Text(1000)};
    MemorySink gz;
    GzipWriter writer(gz, 6);
    std::string all;
    for (const std::string& f : files) {
        writer.NextFile();
        ASSERT_TRUE(writer.Write(f.data(), f.size()));
        all += f;
    }
    ASSERT_TRUE(writer.Finish());
    EXPECT_LT(gz.bytes.size(), 400000u + 400000u / 100);
    MemorySource in(gz.bytes);
    GzipReader reader(in);
    std::string back(all.size(), '\0');
    std::size_t got = 0;
    ASSERT_TRUE(reader.Read(&back[0], back.size(), got));
    EXPECT_EQ(got, all.size());
    EXPECT_TRUE(back == all);
    EXPECT_TRUE(reader.Drain()) << reader.Error();
    std::string damaged = gz.bytes;
    damaged[damaged.size() - 6] ^= 1;  // in the trailer's CRC
    MemorySource bad(damaged);
    GzipReader badReader(bad);
    EXPECT_FALSE(badReader.Drain());
    EXPECT_FALSE(badReader.Error().empty());
}

std::string Gzip(const std::string& data) {
    MemorySink sink;
    GzipWriter writer(sink, 6);
    EXPECT_TRUE(writer.Write(data.data(), data.size()) && writer.Finish());
    return sink.bytes;
}

// The reader buffers 64 KiB: a member starting at its last byte was taken
// for the end of the stream. A stream cut inside a member fails.
TEST(Gzip, EveryMemberIsReadWhereverItStartsAndACutOneFails) {
    const std::string member = Gzip(Text(512)), rest = Gzip(Text(700));
    const std::size_t whole = std::string::npos;
    const struct {
        std::size_t firstSize, keep;  // bytes of the second member kept
    } cases[] = {{65534, whole}, {65535, whole}, {65536, whole}, {65535, 1}, {65535, 12}};
    for (const auto& c : cases) {
        // The first member made that long by a file name in its header.
        const std::string gz = member.substr(0, 3) + static_cast<char>(member[3] | 0x08) + member.substr(4, 6) +
                               std::string(c.firstSize - member.size() - 1, 'n') + '\0' + member.substr(10) +
                               rest.substr(0, c.keep);
        MemorySource in(gz);
        GzipReader reader(in);
        std::string out(4096, '\0');
        std::size_t got = 0, total = 0;
        while (reader.Read(&out[total], out.size() - total, got) && got > 0) total += got;
        // All of it, or a failure.
        EXPECT_EQ(reader.Error().empty() ? total : 0, c.keep == whole ? 1212u : 0u) << c.firstSize << " " << c.keep;
    }
}

}  // namespace
