// Names inside archives: what may be unpacked where, how packed names are
// stored, and which members a pattern asks for.
#include <gtest/gtest.h>

#include <string>

#include "standins/archive/core/MemberNames.h"

using namespace archivers;

namespace {

TEST(SafeMemberPath, KeepsMembersInsideTheTarget) {
    const struct {
        std::string raw;
        const char* path;  // nullptr: refused
        bool folder;
    } cases[] = {
        {"a/b/c.txt", "a\\b\\c.txt", false},
        {"a\\b\\", "a\\b", true},
        {"./x/./y", "x\\y", false},
        {"./", "", true},
        {"dir//file", "dir\\file", false},
        {"\x95\x5C/\x83\x5C.txt", "\x95\x5C\\\x83\x5C.txt", false},  // trail bytes that look like "\"
        {"../evil", nullptr, false},
        {"a/../../evil", nullptr, false},
        {"/etc/passwd", nullptr, false},
        {"\\evil", nullptr, false},
        {"C:/evil", nullptr, false},
        {"C:evil", nullptr, false},
        {"file.txt:stream", nullptr, false},
        {"a/.../b", nullptr, false},
        {"trailing. ", nullptr, false},
        {"a/NUL.txt", nullptr, false},
        {"com1", nullptr, false},
        {"a?b", nullptr, false},
        {std::string("tab\tname"), nullptr, false},
        {"", nullptr, false},
        {".", nullptr, false},
        {"\x9E:evil", nullptr, false},  // a lead byte cannot take ":" as its trail
    };
    for (const auto& c : cases) {
        std::string why;
        const auto p = SafeMemberPath(c.raw, Cp932LeadByte, why);
        if (!c.path) {
            EXPECT_FALSE(p) << c.raw;
            EXPECT_FALSE(why.empty()) << c.raw;
            continue;
        }
        ASSERT_TRUE(p) << c.raw << ": " << why;
        EXPECT_EQ(p->path, c.path) << c.raw;
        EXPECT_EQ(p->folder, c.folder) << c.raw;
    }
}

TEST(StoredName, DropsDriveRootsAndClimbs) {
    const struct {
        const char* path;
        const char* stored;
    } cases[] = {
        {"C:\\data\\report.txt", "data/report.txt"},
        {"\\\\server\\share\\a", "server/share/a"},
        {"..\\..\\up\\.\\x", "up/x"},
        {"sub/dir/", "sub/dir"},
        {"\x95\x5C\\b", "\x95\x5C/b"},
    };
    for (const auto& c : cases) EXPECT_EQ(StoredName(c.path, Cp932LeadByte), c.stored) << c.path;
}

TEST(MatchWildcard, StarAndQuestionMarkOverWholeCharacters) {
    const struct {
        const char* pattern;
        const char* name;
        bool match;
    } cases[] = {
        {"*.*", "README", true},       {"*.txt", "a.TXT", true},  {"*.txt", "a.txt.gz", false},
        {"a?c", "abc", true},          {"a?c", "ac", false},      {"[ab].c", "[ab].c", true},
        {"[ab].c", "a.c", false},      {"*", "", true},           {"?", "\x83\x5C", true},
        {"*b*c", "abxbc", true},       {"", "x", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchWildcard(c.pattern, c.name, Cp932LeadByte), c.match) << c.pattern << " ~ " << c.name;
}

TEST(MemberNames, PicksMembersAndDefaultExtensions) {
    EXPECT_TRUE(WantedMember({}, "a\\b.txt", Cp932LeadByte));
    EXPECT_TRUE(WantedMember({"*.txt"}, "a\\b.txt", Cp932LeadByte));
    EXPECT_TRUE(WantedMember({"a/b.txt"}, "a\\b.txt", Cp932LeadByte));
    EXPECT_FALSE(WantedMember({"c\\b.txt", "*.doc"}, "a\\b.txt", Cp932LeadByte));
    EXPECT_EQ(WithDefaultExtension("C:\\data\\report", ".lzh", Cp932LeadByte), "C:\\data\\report.lzh");
    EXPECT_EQ(WithDefaultExtension("C:\\old.files\\notes", ".zip", Cp932LeadByte), "C:\\old.files\\notes.zip");
    EXPECT_EQ(WithDefaultExtension("C:\\data\\report.tgz", ".lzh", Cp932LeadByte), "C:\\data\\report.tgz");
}

}  // namespace
