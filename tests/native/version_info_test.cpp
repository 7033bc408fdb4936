#include <gtest/gtest.h>

#include <iconv.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "main/bar/core/VersionInfo.h"

using namespace bar;

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ReadResource(const std::string& name) {
    std::ifstream in(std::string(MIVORA_TEST_DATA) + "/infotip/version/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What WideCharToMultiByte does on Windows, done by glibc's converters.
std::string Convert(const std::u16string& text, const char* codePage) {
    iconv_t cd = iconv_open(codePage, "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1)) return "<no converter>";
    std::string in;
    for (char16_t u : text) {
        in += static_cast<char>(u & 0xFF);
        in += static_cast<char>(u >> 8);
    }
    std::string out(text.size() * 4, '\0');
    char* inPtr = &in[0];
    char* outPtr = &out[0];
    std::size_t inLeft = in.size(), outLeft = out.size();
    const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1)) return "<not convertible>";
    out.resize(out.size() - outLeft);
    return out;
}
std::string ToCp1252(const std::u16string& text) { return Convert(text, "CP1252"); }
std::string ToCp932(const std::u16string& text) { return Convert(text, "CP932"); }

std::string Describe(const Bytes& block, const std::string& key, Utf16ToAnsiFn toAnsi = ToCp1252) {
    // A copy of exactly the block's size, so that ASan sees any read past it.
    Bytes copy(block);
    return VersionStringFromBlock(copy.data(), copy.size(), key, toAnsi);
}

struct StringCase {
    const char* resource;
    const char* key;
    Utf16ToAnsiFn toAnsi;
    std::string text;
};

// Resources of Wine's own DLLs and of scripts compiled by windres (see
// tests/data/infotip/make-fixtures.sh); the Wine descriptions agree with
// what python3-pefile and Wine's VerQueryValueA read from the same DLLs.
TEST(VersionStringFromBlock, ReadsTheStringOfTheFirstTranslation) {
    const std::vector<StringCase> cases = {
        {"wine-shell32.ver", "FileDescription", ToCp1252, "Wine core dll"},
        {"wine-shell32.ver", "filedescription", ToCp1252, "Wine core dll"},
        {"wine-shell32.ver", "CompanyName", ToCp1252, "Microsoft Corporation"},
        {"wine-shell32.ver", "OriginalFilename", ToCp1252, "shell32.dll"},
        {"wine-shell32.ver", "InternalName", ToCp1252, ""},  // a lone NUL
        {"wine-shell32.ver", "NoSuchKey", ToCp1252, ""},
        {"wine-shell32.ver", "FileDescriptio", ToCp1252, ""},  // a prefix is no match
        {"wine-npmshtml.ver", "FileDescription", ToCp1252, "Wine ActiveX plugin"},
        // The table is named "041104b0": names match without regard to case.
        {"wine-kernel32-ja.ver", "FileDescription", ToCp1252, "Wine kernel DLL"},
        {"windres-cp932.ver", "FileDescription", ToCp932, "\x93\xFA\x96\x7B\x8C\xEA tool"},
        {"windres-cp932.ver", "Comments", ToCp932, ""},
        {"windres-cp1252.ver", "FileDescription", ToCp1252, "Caf\xE9 r\xE9sum\xE9"},
        {"windres-no-table.ver", "FileDescription", ToCp1252, ""},
        {"windres-two-translations.ver", "FileDescription", ToCp1252, "Deutsch"},
        {"windres-no-translation.ver", "FileDescription", ToCp1252, ""},
    };
    for (const StringCase& c : cases) {
        SCOPED_TRACE(std::string(c.resource) + " " + c.key);
        EXPECT_EQ(Describe(ReadResource(c.resource), c.key, c.toAnsi), c.text);
    }
}

TEST(FirstVersionTranslation, GivesTheFirstLanguageAndCodePage) {
    const struct {
        const char* resource;
        bool found;
        std::uint16_t language, codePage;
        const char* path;
    } cases[] = {
        {"wine-shell32.ver", true, 0x0409, 0x04B0, "\\StringFileInfo\\040904B0\\FileDescription"},
        {"wine-npmshtml.ver", true, 0x0409, 0x04E4, "\\StringFileInfo\\040904E4\\FileDescription"},
        {"wine-kernel32-ja.ver", true, 0x0411, 0x04B0, "\\StringFileInfo\\041104B0\\FileDescription"},
        {"windres-cp932.ver", true, 0x0411, 0x03A4, "\\StringFileInfo\\041103A4\\FileDescription"},
        {"windres-two-translations.ver", true, 0x0407, 0x04B0, "\\StringFileInfo\\040704B0\\FileDescription"},
        {"windres-no-translation.ver", false, 0, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.resource);
        const Bytes block = ReadResource(c.resource);
        VersionTranslation t;
        ASSERT_EQ(FirstVersionTranslation(block.data(), block.size(), t), c.found);
        if (!c.found) continue;
        EXPECT_EQ(t.language, c.language);
        EXPECT_EQ(t.codePage, c.codePage);
        EXPECT_EQ(StringTablePath(t, "FileDescription"), c.path);
    }
    VersionTranslation high;
    high.language = 0xABCD;
    high.codePage = 0x000F;
    EXPECT_EQ(StringTablePath(high, "K"), "\\StringFileInfo\\ABCD000F\\K");
}

TEST(QueryVersionValue, FollowsPathsLikeVerQueryValue) {
    const Bytes block = ReadResource("wine-shell32.ver");
    VersionValue v;
    // The root's value is the fixed file information, signature 0xFEEF04BD.
    ASSERT_TRUE(QueryVersionValue(block.data(), block.size(), "\\", v));
    EXPECT_EQ(v.length, 52u);
    EXPECT_EQ(block[v.offset] | block[v.offset + 1] << 8 | block[v.offset + 2] << 16 |
                  static_cast<std::uint32_t>(block[v.offset + 3]) << 24,
              0xFEEF04BDu);
    ASSERT_TRUE(QueryVersionValue(block.data(), block.size(), "", v));
    EXPECT_EQ(v.length, 52u);
    // Doubled and trailing backslashes are skipped.
    ASSERT_TRUE(QueryVersionValue(block.data(), block.size(), "\\\\VarFileInfo\\\\Translation\\", v));
    EXPECT_EQ(v.length, 4u);
    EXPECT_FALSE(v.text);
    EXPECT_TRUE(QueryVersionValue(block.data(), block.size(), "StringFileInfo\\040904b0", v));
    EXPECT_EQ(v.length, 0u);
    EXPECT_FALSE(QueryVersionValue(block.data(), block.size(), "\\StringFileInfo\\040904B1", v));
    EXPECT_FALSE(QueryVersionValue(block.data(), block.size(), "\\Translation", v));
    EXPECT_FALSE(QueryVersionValue(nullptr, 0, "\\", v));
}

// The offset of the node whose UTF-16 key is `key`.
std::size_t NodeOf(const Bytes& block, const std::string& key) {
    Bytes pattern;
    for (char c : key) {
        pattern.push_back(static_cast<unsigned char>(c));
        pattern.push_back(0);
    }
    for (std::size_t i = 6; i + pattern.size() <= block.size(); ++i)
        if (std::equal(pattern.begin(), pattern.end(), block.begin() + i)) return i - 6;
    ADD_FAILURE() << "no node " << key;
    return 0;
}

void Put16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<unsigned char>(v);
    b[at + 1] = static_cast<unsigned char>(v >> 8);
}

// Lengths come from the file; each is checked before it is used.
TEST(VersionStringFromBlock, ChecksEveryStoredLength) {
    const Bytes original = ReadResource("wine-shell32.ver");
    const std::size_t translation = NodeOf(original, "Translation");
    const std::size_t description = NodeOf(original, "FileDescription");
    // "Wine core dll" plus its NUL: 14 units, after the key (16 units with
    // its NUL) and the padding to a 4-byte boundary.
    const std::size_t text = description + 40;
    ASSERT_EQ(original[text], 'W');

    Bytes b = original;
    Put16(b, translation + 2, 2);  // shorter than one language and code-page pair
    EXPECT_EQ(Describe(b, "FileDescription"), "");

    b = original;
    Put16(b, translation + 2, 0);
    EXPECT_EQ(Describe(b, "FileDescription"), "");

    b = original;
    Put16(b, text + 2 * 13, 'X');  // no NUL within the value
    EXPECT_EQ(Describe(b, "FileDescription"), "Wine core dllX");

    b = original;
    Put16(b, description + 2, 5);  // the value ends before its NUL
    EXPECT_EQ(Describe(b, "FileDescription"), "Wine ");

    b = original;
    Put16(b, description + 2, 0xFFFF);  // a value longer than its node
    EXPECT_EQ(Describe(b, "FileDescription"), "Wine core dll");

    b = original;
    Put16(b, description, 0);  // a node of length 0 ends the search
    EXPECT_EQ(Describe(b, "FileDescription"), "");

    b = original;
    Put16(b, 0, 0xFFFF);  // a root longer than the block
    EXPECT_EQ(Describe(b, "FileDescription"), "Wine core dll");

    // A child longer than its parent is cut to it; its stored length still
    // decides where the next sibling would be, so the siblings are lost.
    b = original;
    Put16(b, description, 0xFFF0);
    EXPECT_EQ(Describe(b, "FileDescription"), "Wine core dll");
    EXPECT_EQ(Describe(b, "CompanyName"), "Microsoft Corporation");
    EXPECT_EQ(Describe(b, "ProductName"), "");
    b = original;
    Put16(b, NodeOf(original, "StringFileInfo"), 0xFFF0);  // hides VarFileInfo
    EXPECT_EQ(Describe(b, "FileDescription"), "");
}

TEST(VersionStringFromBlock, EveryPrefixOfTheBlockIsSafe) {
    for (const char* name : {"wine-shell32.ver", "windres-cp932.ver", "windres-two-translations.ver"}) {
        const Bytes whole = ReadResource(name);
        const std::string full = Describe(whole, "FileDescription", ToCp932);
        EXPECT_NE(full, "") << name;
        // The translation comes last: a cut that takes any of the first pair
        // loses it; one that takes only the second pair does not.
        VersionValue pairs;
        ASSERT_TRUE(QueryVersionValue(whole.data(), whole.size(), "\\VarFileInfo\\Translation", pairs));
        for (std::size_t n = 0; n < whole.size(); ++n) {
            const std::string text = Describe(Bytes(whole.begin(), whole.begin() + n), "FileDescription", ToCp932);
            ASSERT_EQ(text, n < pairs.offset + 4 ? "" : full) << name << " cut at " << n;
        }
    }
}

// The 16-bit layout that GetFileVersionInfoA gives for 16-bit programs:
// ANSI keys and values and no type word. No tool at hand writes one, so the
// block is put together here.
Bytes Node16(const std::string& key, const Bytes& value, const std::vector<Bytes>& children) {
    Bytes b(4);
    b.insert(b.end(), key.begin(), key.end());
    b.push_back(0);
    while (b.size() % 4) b.push_back(0);
    b.insert(b.end(), value.begin(), value.end());
    while (b.size() % 4) b.push_back(0);
    for (const Bytes& c : children) {
        b.insert(b.end(), c.begin(), c.end());
        while (b.size() % 4) b.push_back(0);
    }
    Put16(b, 0, static_cast<std::uint16_t>(b.size()));
    Put16(b, 2, static_cast<std::uint16_t>(value.size()));
    return b;
}

TEST(VersionStringFromBlock, ReadsTheSixteenBitLayout) {
    const std::string description = "Old \x93\xFA tool";
    Bytes value(description.begin(), description.end());
    value.push_back(0);
    const Bytes block = Node16(
        "VS_VERSION_INFO", Bytes(52, 0),
        {Node16("StringFileInfo", {},
                {Node16("041103A4", {},
                        {Node16("FileDescription", value, {})})}),
         Node16("VarFileInfo", {}, {Node16("Translation", {0x11, 0x04, 0xA4, 0x03}, {})})});
    EXPECT_EQ(Describe(block, "FileDescription", nullptr), description);
    EXPECT_EQ(Describe(block, "FILEDESCRIPTION", nullptr), description);
    EXPECT_EQ(Describe(block, "Comments", nullptr), "");
    for (std::size_t n = 0; n < block.size(); ++n)
        ASSERT_EQ(Describe(Bytes(block.begin(), block.begin() + n), "FileDescription", nullptr), "") << n;
}

}  // namespace
