// The info-tip text builders over files: version strings through the
// system's version API, ZIP listings and file heads.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "tests/win/explorer/ExplorerTestSupport.h"
#include "main/bar/InfoTipText.h"
#include "main/bar/core/VersionInfo.h"
#include "framework/win32/WideText.h"

using namespace bar;

namespace {

std::string ToAnsi(const std::u16string& text) { return AnsiFromWide(std::wstring(text.begin(), text.end())); }

// The same string read by the platform-free reader from the raw block.
std::string FromRawBlock(const std::string& path, const std::string& key) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return "";
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return "";
    return VersionStringFromBlock(block.data(), block.size(), key, ToAnsi);
}

TEST(GetVersionString, ReadsTheTableOfTheFirstTranslation) {
    struct Case {
        std::string path;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {MenuFolderFile("Pelmit.dll"), "FileDescription", "Recording stand-in of the split and join library"},
        {MenuFolderFile("Pelmit.dll"), "ProductName", "Mivora tests"},
        {MenuFolderFile("Pelmit.dll"), "productname", "Mivora tests"},
        {MenuFolderFile("Pelmit.dll"), "Comments", ""},
        {MenuFolderFile("Compress.dll"), "FileDescription", ""},
        {SystemFolder() + "shell32.dll", "FileDescription", "Wine core dll"},
        {SystemFolder() + "notepad.exe", "FileDescription", ""},
        {TestDataFile("explorer/three.zip"), "FileDescription", ""},
        {SystemFolder() + "no-such-file.dll", "FileDescription", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " " + c.key);
        EXPECT_EQ(c.value, GetVersionString(c.path, c.key));
        EXPECT_EQ(c.value, FromRawBlock(c.path, c.key));
    }
}

// Wine's own programs and libraries, against two other readers: pefile on
// the host (the list made at build time) and the platform-free reader on
// the block the version API hands back.
TEST(GetVersionString, AgreesWithOtherReadersOnWinesOwnFiles) {
    const std::string list = WINE_VERSION_DESCRIPTIONS;
    if (list.empty()) GTEST_SKIP() << "no list of Wine's version descriptions (pefile or Wine's PE files missing)";
    std::ifstream in(list, std::ios::binary);
    ASSERT_TRUE(in) << list;
    int checked = 0;
    int described = 0;
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t tab = line.find('\t');
        ASSERT_NE(std::string::npos, tab) << line;
        const std::string path = SystemFolder() + line.substr(0, tab);
        const std::string expected = line.substr(tab + 1);
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        SCOPED_TRACE(path);
        EXPECT_EQ(expected, GetVersionString(path, "FileDescription"));
        EXPECT_EQ(expected, FromRawBlock(path, "FileDescription"));
        ++checked;
        if (!expected.empty()) ++described;
    }
    EXPECT_GT(checked, 300);
    EXPECT_GT(described, 100);
}

TEST(ListZipEntriesOfFile, ReadsTheFileLikeItsBytes) {
    for (const char* name : {"three.zip", "twentyfive.zip", "twenty.zip", "descriptor.zip", "piped.zip", "empty.zip",
                             "longname.zip"}) {
        SCOPED_TRACE(name);
        const std::string path = TestDataFile(std::string("explorer/") + name);
        const std::string bytes = ReadFileBytes(path);
        ASSERT_FALSE(bytes.empty());
        MemoryByteSource memory(bytes.data(), bytes.size());
        for (int max : {1, 2, 20, 100}) EXPECT_EQ(ListZipEntries(memory, max), ListZipEntries(path, max));
    }
    EXPECT_EQ("alpha.txt\r\nbeta.htm\r\n...", ListZipEntries(TestDataFile("explorer/three.zip"), 2));
    EXPECT_EQ("", ListZipEntries(SystemFolder() + "no-such.zip", 20));
}

TEST(ListZipEntriesOfFile, AFileHeldOpenForWritingIsStillRead) {
    TempDir dir;
    const std::string path = dir.File("open.zip");
    WriteFileBytes(path, ReadFileBytes(TestDataFile("explorer/three.zip")));
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, writer);
    EXPECT_EQ("alpha.txt\r\nbeta.htm\r\ngamma.dll", ListZipEntries(path, 20));
    CloseHandle(writer);
}

TEST(ReadFileHead, ReadsAtMostTheAskedBytes) {
    TempDir dir;
    WriteFileBytes(dir.File("ten.bin"), std::string("0123456789"));
    struct Case {
        std::size_t max;
        const char* head;
    };
    for (const Case& c : {Case{0, ""}, Case{1, "0"}, Case{9, "012345678"}, Case{10, "0123456789"},
                          Case{768, "0123456789"}}) {
        EXPECT_EQ(c.head, ReadFileHead(dir.File("ten.bin"), c.max)) << c.max;
    }
    EXPECT_EQ("", ReadFileHead(dir.File("missing.bin"), 10));
    EXPECT_EQ("", ReadFileHead(dir.Path(), 10));
}

}  // namespace
