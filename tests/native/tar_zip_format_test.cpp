// Tar headers and the ZIP directory: what is written reads back, long names
// from other tools are understood, and archives behind a program's bytes are
// still found.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "standins/archive/core/PeImage.h"
#include "standins/archive/core/TarFormat.h"
#include "standins/archive/core/ZipFormat.h"

using namespace archivers;

namespace {

std::string Block(const TarEntry& e) {
    unsigned char b[kTarBlock];
    std::string error;
    EXPECT_TRUE(BuildTarHeader(e, b, error)) << error;
    return std::string(reinterpret_cast<char*>(b), kTarBlock);
}

std::string Padded(std::string data) { return data + std::string((kTarBlock - data.size() % kTarBlock) % kTarBlock, '\0'); }

TEST(TarFormat, WritesWhatItReadsAndSplitsLongNames) {
    const std::string longName = std::string(120, 'p') + "/" + std::string(90, 'n');
    const struct {
        std::string name;
        char type;
        std::uint64_t size;
    } cases[] = {{"a.txt", '0', 5}, {"sub/", '5', 0}, {longName, '0', 0}, {"big", '0', 3221225472ull}};
    for (const auto& c : cases) {
        TarEntry e;
        e.name = c.name;
        e.type = c.type;
        e.size = c.size;
        e.mtime = 1700000000;
        const std::string archive = Block(e) + (c.size == 5 ? Padded("hello") : "") + std::string(1024, '\0');
        MemorySource in(archive);
        TarReader reader(in);
        TarEntry back;
        std::string error;
        ASSERT_EQ(reader.Next(back, error), TarReader::Result::Entry) << error;
        EXPECT_EQ(back.name, c.name);
        EXPECT_EQ(back.type, c.type);
        EXPECT_EQ(back.size, c.size);
        EXPECT_EQ(back.mtime, 1700000000);
        if (c.size > 5) continue;
        char data[8] = {};
        std::size_t got = 0;
        ASSERT_TRUE(reader.ReadData(data, sizeof data, got));
        EXPECT_EQ(std::string(data, got), c.size ? "hello" : "");
        EXPECT_EQ(reader.Next(back, error), TarReader::Result::End);
    }
    unsigned char b[kTarBlock];
    std::string error;
    TarEntry tooLong;
    tooLong.name = std::string(101, 'x');
    EXPECT_FALSE(BuildTarHeader(tooLong, b, error));
    tooLong.name = "ok";
    tooLong.size = kMaxTarSize + 1;
    EXPECT_FALSE(BuildTarHeader(tooLong, b, error));
}

TEST(TarFormat, TakesGnuAndPaxLongNamesAndRefusesDamage) {
    const std::string name(150, 'L');
    TarEntry gnu;
    gnu.name = "././@LongLink";
    gnu.type = 'L';
    gnu.size = name.size() + 1;
    TarEntry pax = gnu;
    const std::string record = "160 path=" + name + "\n";
    pax.type = 'x';
    pax.size = record.size();
    TarEntry file;
    file.name = "short";
    // Only pax records are UTF-8, whatever the system's code page.
    for (const auto& [archive, utf8] : {std::make_pair(Block(gnu) + Padded(name + '\0') + Block(file), false),
                                        std::make_pair(Block(pax) + Padded(record) + Block(file), true)}) {
        MemorySource in(archive);
        TarReader reader(in);
        TarEntry back;
        std::string error;
        ASSERT_EQ(reader.Next(back, error), TarReader::Result::Entry) << error;
        EXPECT_EQ(back.name, name);
        EXPECT_EQ(back.utf8Name, utf8);
    }
    std::string damaged = Block(file);
    damaged[0] = 'X';
    MemorySource in(damaged);
    TarReader reader(in);
    TarEntry back;
    std::string error;
    EXPECT_EQ(reader.Next(back, error), TarReader::Result::Bad);
    const std::string shortened = damaged.substr(0, 300);
    MemorySource cut(shortened);
    TarReader cutReader(cut);
    EXPECT_EQ(cutReader.Next(back, error), TarReader::Result::Bad);
}

std::string TwoMemberZip(const std::string& prefix, const std::string& comment) {
    std::string zip = prefix;
    std::string directory;
    ZipEntry entries[2];
    entries[0].name = "a.txt";
    entries[0].method = kZipStored;
    entries[0].size = entries[0].packedSize = 3;
    entries[1].name = "dir/";
    entries[1].externalAttributes = 0x10;
    for (ZipEntry& e : entries) {
        const std::uint64_t offset = zip.size() - prefix.size();
        zip += ZipLocalHeader(e) + (e.size ? "abc" : "");
        directory += ZipCentralHeader(e, offset);
    }
    std::string end = ZipEndRecord(2, directory.size(), zip.size() - prefix.size());
    end[20] = static_cast<char>(comment.size());
    return zip + directory + end + comment;
}

TEST(ZipFormat, FindsTheDirectoryBehindAPrefixAndAComment) {
    for (const std::string& prefix : {std::string(), std::string(4096, 'M')}) {
        const std::string zip = TwoMemberZip(prefix, "a comment");
        MemorySource file(zip);
        ZipDirectory d;
        std::string error;
        ASSERT_TRUE(ReadZipDirectory(file, d, error)) << error;
        EXPECT_EQ(d.prefix, prefix.size());
        ASSERT_EQ(d.entries.size(), 2u);
        EXPECT_EQ(d.entries[0].name, "a.txt");
        EXPECT_EQ(d.entries[1].externalAttributes, 0x10u);
        std::uint64_t data = 0;
        ASSERT_TRUE(ZipDataOffset(file, d.entries[0], data, error)) << error;
        EXPECT_EQ(zip.substr(static_cast<std::size_t>(data), 3), "abc");
    }
}

TEST(ZipFormat, RefusesLyingDirectories) {
    const std::string zip = TwoMemberZip("", "");
    std::string shortData = zip, badOffset = zip, truncated = zip.substr(0, zip.size() - 10);
    // The first member claims more data than the file holds.
    shortData[zip.find("PK\x01\x02") + 23] = '\x7F';
    badOffset[zip.size() - 6] = '\x7F';
    for (const std::string& bad : {badOffset, truncated, std::string("PK\x05\x06", 4)}) {
        MemorySource file(bad);
        ZipDirectory d;
        std::string error;
        EXPECT_FALSE(ReadZipDirectory(file, d, error)) << error;
    }
    MemorySource file(shortData);
    ZipDirectory d;
    std::string error;
    ASSERT_TRUE(ReadZipDirectory(file, d, error)) << error;
    std::uint64_t data = 0;
    EXPECT_FALSE(ZipDataOffset(file, d.entries[0], data, error));
}

TEST(PeImageEnd, EndsAfterTheLastSection) {
    std::string pe(1024, '\0');
    pe[0] = 'M';
    pe[1] = 'Z';
    pe[0x3C] = '\x80';
    std::memcpy(&pe[0x80], "PE\0\0", 4);
    pe[0x80 + 6] = 1;                   // one section
    pe[0x80 + 20] = '\xE0';             // optional header size
    const std::size_t section = 0x80 + 24 + 0xE0;
    pe[section + 16] = '\x00';
    pe[section + 17] = '\x02';          // 512 bytes of data
    pe[section + 20] = '\x00';
    pe[section + 21] = '\x02';          // at 512
    pe += "appended";
    MemorySource file(pe);
    EXPECT_EQ(PeImageEnd(file), std::optional<std::uint64_t>(1024));
    const std::string text(100, 'x');
    MemorySource notPe(text);
    EXPECT_FALSE(PeImageEnd(notPe));
}

}  // namespace
