#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "main/bar/core/ZipEntries.h"

using namespace bar;

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ReadArchive(const std::string& name) {
    std::ifstream in(std::string(MIVORA_TEST_DATA) + "/infotip/zip/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string List(const Bytes& bytes, int maxCount) {
    // A copy of exactly the archive's size, so that ASan sees any read past it.
    Bytes copy(bytes);
    MemoryByteSource source(copy.data(), copy.size());
    return ListZipEntries(source, maxCount);
}

std::string Lines(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += name + "\r\n";
    return text;
}

std::string Numbered(int first, int last) {
    std::string text;
    for (int i = first; i <= last; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "e%02d.txt\r\n", i);
        text += name;
    }
    return text;
}

std::string TrimmedLines(const std::vector<std::string>& names) {
    std::string text = Lines(names);
    text.resize(text.size() - 2);
    return text;
}

const std::string kThree = TrimmedLines({"f1.txt", "f2.txt", "f3.txt"});

struct ArchiveCase {
    const char* archive;
    int maxCount;
    std::string list;
};

// Archives written by Info-ZIP zip (see tests/data/infotip/make-fixtures.sh).
TEST(ListZipEntries, ListsArchivesMadeByInfoZip) {
    const std::string longName = std::string(100, 'd') + "/" + std::string(100, 'e') + "/" +
                                 std::string(94, 'f') + ".txt";
    ASSERT_EQ(longName.size(), 300u);
    const std::vector<ArchiveCase> cases = {
        {"three.zip", 20, kThree},
        {"three.zip", 3, Lines({"f1.txt", "f2.txt", "f3.txt"}) + "..."},
        {"three.zip", 2, Lines({"f1.txt", "f2.txt"}) + "..."},
        {"three.zip", 0, "..."},
        {"twenty.zip", 20, Numbered(1, 20) + "..."},
        {"twentyfive.zip", 20, Numbered(1, 20) + "..."},
        {"twentyfive.zip", 25, Numbered(1, 25) + "..."},
        {"twentyfive.zip", 26, Numbered(1, 24) + "e25.txt"},
        {"empty.zip", 20, ""},
        {"long-name.zip", 20, longName},
        // Code page 932 names ending in a 0x5C trail byte keep it.
        {"cp932-names.zip", 20, "x\x83\x5C.txt\r\na\x95\x5C"},
        {"spanned.zip", 20, kThree},
        // The third entry's data is cut: its name is still listed.
        {"truncated.zip", 20, kThree},
    };
    for (const ArchiveCase& c : cases) {
        SCOPED_TRACE(std::string(c.archive) + " max " + std::to_string(c.maxCount));
        EXPECT_EQ(List(ReadArchive(c.archive), c.maxCount), c.list);
    }
}

// Local headers without a usable compressed size: the walk cannot step to
// the next header and takes the names from the central directory instead.
TEST(ListZipEntries, ListsEntriesWithoutSizesFromTheCentralDirectory) {
    const std::vector<ArchiveCase> cases = {
        {"data-descriptor.zip", 20, kThree},                    // zip -fd
        {"data-descriptor.zip", 2, Lines({"f1.txt", "f2.txt"}) + "..."},
        {"data-descriptor.zip", 3, Lines({"f1.txt", "f2.txt", "f3.txt"}) + "..."},
        {"streamed.zip", 20, kThree},                           // written to a pipe
        {"stdin-streamed.zip", 20, "-"},
        {"stdin.zip", 20, "-"},                                 // Zip64 local sizes
        {"zip64.zip", 20, TrimmedLines({"f1.txt", "f2.txt"})},  // zip -fz, Zip64 end record
        {"spanned-descriptor.zip", 20, kThree},                 // offsets shifted by "PK00"
    };
    for (const ArchiveCase& c : cases) {
        SCOPED_TRACE(std::string(c.archive) + " max " + std::to_string(c.maxCount));
        EXPECT_EQ(List(ReadArchive(c.archive), c.maxCount), c.list);
    }
}

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

TEST(ListZipEntries, StopsCleanlyOnDamagedArchives) {
    // A streamed archive without its central directory: only the name that
    // the first local header gives.
    Bytes streamed = ReadArchive("data-descriptor.zip");
    streamed.resize(streamed.size() - 30);
    EXPECT_EQ(List(streamed, 20), "f1.txt");

    // A compressed size that points past the end. 0xFFFFFFC0 plus the 64
    // bytes of header, name and extra field wraps to 0 in 32 bits, which
    // would list the first entry over and over.
    for (std::uint32_t size : {0x7FFFFFF0u, 0x80000000u, 0xFFFFFFC0u}) {
        Bytes b = ReadArchive("three.zip");
        Put32(b, 18, size);
        EXPECT_EQ(List(b, 20), "f1.txt") << size;
    }

    // A central directory size larger than the archive: no directory, so the
    // local name is all there is.
    Bytes badDirectory = ReadArchive("data-descriptor.zip");
    Put32(badDirectory, badDirectory.size() - 22 + 12, 0x7FFFFFFF);
    Put32(badDirectory, badDirectory.size() - 22 + 16, 0x10);
    EXPECT_EQ(List(badDirectory, 20), "f1.txt");

    // Not an archive at all.
    const std::string page = "<html><title>PK</title></html>";
    EXPECT_EQ(List(Bytes(page.begin(), page.end()), 20), "");
    EXPECT_EQ(List(Bytes(), 20), "");
    EXPECT_EQ(List(Bytes{'P', 'K', '0', '0'}, 20), "");
}

// Every prefix of every archive: the walk must stay inside the bytes it has
// and never list more than it was asked for.
TEST(ListZipEntries, EveryPrefixOfEveryArchiveIsSafe) {
    for (const char* name : {"three.zip", "data-descriptor.zip", "streamed.zip", "stdin.zip", "zip64.zip",
                             "spanned-descriptor.zip", "long-name.zip", "twentyfive.zip"}) {
        const Bytes whole = ReadArchive(name);
        for (std::size_t n = 0; n <= whole.size(); ++n) {
            const std::string list = List(Bytes(whole.begin(), whole.begin() + n), 5);
            std::size_t lines = 0;
            for (std::size_t at = list.find("\r\n"); at != std::string::npos; at = list.find("\r\n", at + 2))
                ++lines;
            ASSERT_LE(lines, 5u) << name << " cut at " << n;
        }
    }
}

// A source whose reads fail from some offset on, like a file on a network
// drive that goes away.
class FailingSource : public RandomAccessBytes {
public:
    FailingSource(const Bytes& bytes, std::uint64_t failFrom) : inner_(bytes.data(), bytes.size()), failFrom_(failFrom) {}
    std::uint64_t Size() const override { return inner_.Size(); }
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override {
        if (offset + count > failFrom_) return 0;
        return inner_.ReadAt(offset, buffer, count);
    }

private:
    MemoryByteSource inner_;
    std::uint64_t failFrom_;
};

TEST(ListZipEntries, ReadErrorsEndTheList) {
    const Bytes three = ReadArchive("three.zip");
    FailingSource afterFirst(three, 71 + 30);  // the second header reads, its name does not
    EXPECT_EQ(ListZipEntries(afterFirst, 20), "f1.txt");
    FailingSource everything(three, 0);
    EXPECT_EQ(ListZipEntries(everything, 20), "");
}

}  // namespace
