// The platform-free rules of the shell extensions: path pieces in single- and
// double-byte code pages, the context menu's decisions and the tip kinds.
// Nothing here needs Windows.
#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "explorer/infotip/core/InfoTipRules.h"
#include "explorer/menu/core/MenuRules.h"
#include "framework/core/MbcsPath.h"

using namespace norquil;
using namespace tavlin;

namespace {

// Code page 932 characters whose trail byte is a backslash: 0x83 0x5C and
// 0x95 0x5C.
const std::string kSo = "\x83\x5C";
const std::string kHyo = "\x95\x5C";

TEST(ShellPath, ExtractFileDir) {
    struct Case {
        std::string path;
        std::string ansi;   // no lead bytes
        std::string cp932;  // lead bytes of code page 932
    };
    const Case cases[] = {
        {"C:\\target\\X", "C:\\target", "C:\\target"},
        {"D:\\X", "D:\\", "D:\\"},
        {"D:X", "D:", "D:"},
        {"\\\\server\\share\\dir", "\\\\server\\share", "\\\\server\\share"},
        {"\\\\X", "\\\\", "\\\\"},
        {"\\X", "\\", "\\"},
        {"C:\\a\\\\b", "C:\\a\\\\", "C:\\a\\\\"},
        {"name", "", ""},
        {"", "", ""},
        {"C:\\dir\\", "C:\\dir", "C:\\dir"},
        // The trail byte is no separator in code page 932.
        {"C:\\" + kSo + "\\X", "C:\\" + kSo + "\\", "C:\\" + kSo},
        {"C:\\a" + kHyo, "C:\\a\x95", "C:\\"},
        {"C:\\a" + kHyo + "b", "C:\\a\x95", "C:\\"},
        {"C:\\" + kHyo + "\\X", "C:\\" + kHyo + "\\", "C:\\" + kHyo},
        {"C:\\dir\\\x95", "C:\\dir", "C:\\dir"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.ansi, ExtractFileDir(c.path, SingleByteCodePage));
        EXPECT_EQ(c.cp932, ExtractFileDir(c.path, Cp932LeadByte));
    }
}

TEST(ShellPath, ExtractFileExt) {
    struct Case {
        std::string path;
        std::string ext;
    };
    const Case cases[] = {
        {"C:\\a\\file.txt", ".txt"}, {"file.tar.gz", ".gz"}, {"C:\\dir.d\\file", ""},
        {"C:/dir.d/file", ""},       {"D:x.y", ".y"},         {"trailing.", "."},
        {".hidden", ".hidden"},      {"", ""},                {"C:\\" + kHyo + ".zip", ".zip"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.ext, ExtractFileExt(c.path, Cp932LeadByte)) << c.path;
    // A name ending in the trail byte 0x5C: the separator is not real.
    EXPECT_EQ(".a" + kHyo, ExtractFileExt("x.a" + kHyo, Cp932LeadByte));
    EXPECT_EQ("", ExtractFileExt("x.a" + kHyo, SingleByteCodePage));
}

TEST(MenuRules, FlagsThatWantTheMenu) {
    struct Case {
        unsigned flags;
        bool wanted;
    };
    const Case cases[] = {{0x0, true},  {0x1, false}, {0x2, true},   {0x4, true},      {0x8, false},
                          {0x9, false}, {0xA, true},  {0x14, true},  {0x10, true},     {0x10000, false},
                          {0x10001, false}, {0x20000, true}, {0x10004, true}, {0x80000000u, true}};
    for (const Case& c : cases) EXPECT_EQ(c.wanted, MenuWantedForFlags(c.flags)) << c.flags;
}

TEST(MenuRules, ArchivesAndCabinets) {
    struct Case {
        const char* path;
        bool archive;
        bool cabinet;
    };
    const Case cases[] = {
        {"a.zip", true, false},  {"a.Zip", true, false},   {"a.ZIP", true, false}, {"a.zIp", false, false},
        {"a.lzh", true, false},  {"a.LZH", true, false},   {"a.Lzh", true, false}, {"a.lZH", false, false},
        {"a.tar", true, false},  {"a.Tar", true, false},   {"a.TAR", true, false}, {"a.tgz", true, false},
        {"a.TGZ", true, false},  {"a.Tgz", true, false},   {"a.tar.gz", false, false},
        {"a.cab", false, true},  {"a.CAB", false, true},   {"a.cAb", false, true}, {"cab", false, false},
        {".cab", false, true},   {"C:\\z.zip\\file", false, false}, {"zip", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.archive, IsArchivePath(c.path, SingleByteCodePage)) << c.path;
        EXPECT_EQ(c.cabinet, IsCabinetPath(c.path)) << c.path;
    }
}

TEST(MenuRules, EnabledStates) {
    struct Item {
        const char* path;
        bool folder;
    };
    struct Case {
        std::vector<Item> items;
        bool enabled[kMenuCommandCount];
    };
    const Case cases[] = {
        {{}, {true, false, false, false, true}},
        {{{"doc.txt", false}}, {true, false, true, true, true}},
        {{{"dir", true}}, {true, false, false, false, true}},
        {{{"a.ZIP", false}, {"b.txt", false}}, {true, true, false, true, true}},
        {{{"x.CAB", false}}, {true, false, true, false, true}},
        {{{"dir.zip", true}}, {true, true, false, false, true}},
        {{{"a.txt", false}, {"b.cab", false}}, {true, false, false, false, true}},
    };
    for (const Case& c : cases) {
        SelectionFacts facts;
        for (const Item& item : c.items) AddSelectedItem(facts, item.path, item.folder, SingleByteCodePage);
        const MenuStates states = EnabledStates(facts);
        for (int i = 0; i < kMenuCommandCount; ++i)
            EXPECT_EQ(c.enabled[i], states.enabled[i]) << (c.items.empty() ? "none" : c.items[0].path) << " " << i;
    }
}

TEST(MenuRules, TableAndHelpTexts) {
    for (unsigned command = 0; command < 5; ++command) {
        const MenuEntry* entry = EntryForCommand(command);
        ASSERT_NE(nullptr, entry);
        EXPECT_EQ(int(command), entry->command);
    }
    EXPECT_EQ(nullptr, EntryForCommand(5));
    EXPECT_EQ(nullptr, EntryForCommand(unsigned(-1)));
    EXPECT_STREQ("New menu item number 1", HelpTextForCommand(0));
    EXPECT_STREQ("New menu item number 4", HelpTextForCommand(3));
    EXPECT_EQ(nullptr, HelpTextForCommand(4));
    // Only the unpack export leaves the list to its caller.
    for (const MenuEntry& entry : kMenuEntries) {
        if (entry.text == nullptr) continue;
        EXPECT_EQ(std::string(entry.exportName) != "UnPackFile", entry.exportFreesList) << entry.exportName;
    }
}

TEST(MenuRules, CopyCut) {
    struct Case {
        std::size_t size;
        const char* expected;
    };
    for (const Case& c : {Case{1, ""}, Case{2, "H"}, Case{5, "Help"}, Case{6, "Help!"}, Case{50, "Help!"}}) {
        char narrow[64];
        wchar_t wide[64];
        memset(narrow, 'x', sizeof narrow);
        wmemset(wide, L'x', 64);
        CopyCut("Help!", narrow, c.size);
        CopyCut("Help!", wide, c.size);
        EXPECT_STREQ(c.expected, narrow);
        EXPECT_EQ(std::wstring(c.expected, c.expected + strlen(c.expected)), std::wstring(wide));
        EXPECT_EQ('x', narrow[c.size]);
    }
    char untouched[4] = "abc";
    CopyCut("Help!", untouched, 0);
    EXPECT_STREQ("abc", untouched);
    CopyCut("Help!", static_cast<char*>(nullptr), 10);
}

TEST(InfoTipRules, KindsAndHeads) {
    struct Case {
        const char* name;
        TipKind kind;
    };
    const Case cases[] = {
        {"a.zip", TipKind::kZip},      {"A.ZIP", TipKind::kZip},     {"a.txt", TipKind::kText},
        {"FILE.TXT", TipKind::kText},  {"a.htm", TipKind::kHtml},    {"Page.HTML", TipKind::kHtml},
        {"a.exe", TipKind::kProgram},  {"A.DLL", TipKind::kProgram}, {"a.doc", TipKind::kOther},
        {"a.txt.bak", TipKind::kOther}, {"C:\\d.txt\\x", TipKind::kOther}, {"a.htmlx", TipKind::kOther},
        {"", TipKind::kOther},
    };
    for (const Case& c : cases) EXPECT_EQ(c.kind, TipKindForFile(c.name, SingleByteCodePage)) << c.name;
    EXPECT_EQ(std::string(255, 'a'), TextTip(std::string(300, 'a')));
    EXPECT_EQ("ab", TextTip(std::string("ab\0cd", 5)));
    EXPECT_EQ("", TextTip(std::string("\0ab", 3)));
    EXPECT_EQ("Hi", HtmlTip("<b>Hi</b>"));
    EXPECT_EQ("", HtmlTip("<p>&nbsp;\t<br>"));
    EXPECT_EQ("", HtmlTip(std::string("\0<b>Hi</b>", 10)));
    EXPECT_EQ(std::string(768, 'z'), HtmlTip(std::string(1000, 'z')));
}

}  // namespace
