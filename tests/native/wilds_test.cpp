#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/components/core/Wilds.h"

using namespace components;

namespace {

struct MatchCase {
    std::string name;
    std::string pattern;
    bool ignoreCase;
    bool match;
};

TEST(WildcardMatch, MatchesNamesAgainstPatterns) {
    const std::vector<MatchCase> cases = {
        {"Notes.LNK", "*.lnk", true, true},
        {"Notes.LNK", "*.lnk", false, false},
        {"notes.lnk", "*.lnk", false, true},
        {"abc", "a?c", false, true},
        {"abbc", "a?c", false, false},
        {"anything.at.all", "*", false, true},
        {"", "*", false, true},
        {"", "**", false, true},
        {"x", "***", false, true},
        {"ab", "a*b*b", false, false},
        {"abxcd", "ab*cd*", false, true},
        {"x12yz34w", "x*yz*w", false, true},
        {"xyzw", "x*yz*w", false, true},
        {"xyw", "x*yz*w", false, false},
        {"xyzw", "x**yz***w", false, true},
        {"a.b.c", "*.?", false, true},
        {"abc", "abc", false, true},
        {"abc", "abd", false, false},
        {"abc", "ab", false, false},
        {"ab", "abc", false, false},
        {"", "", false, true},
        {"a", "", false, false},
        {"", "a", false, false},
        {"setup.exe", "SETUP.EXE", true, true},
        {"setup.exe", "SETUP.EXE", false, false},
        {"SETUP.EXE", "s?tup.*", true, true},
        {"a", "?", false, true},
        {"", "?", false, false},
        {"abcd", "*c", false, false},
        {"abcd", "*cd", false, true},
        {"abcd", "*b?d", false, true},
        {"abcd", "a*?", false, true},
        // The exact-text test comes before anything else, '*' included.
        {"a*b", "a*b", false, true},
        // Case folding is ASCII by default: other bytes keep their case.
        {"\xE9t\xE9", "\xC9T\xC9", true, false},
    };
    for (const MatchCase& c : cases) {
        SCOPED_TRACE("name '" + c.name + "' pattern '" + c.pattern + "'");
        EXPECT_EQ(WildcardMatch(c.name, c.pattern, c.ignoreCase), c.match);
    }
}

// Two results differ from a textbook glob and are kept on purpose.
TEST(WildcardMatch, KeepsTheTwoOddResults) {
    const std::vector<MatchCase> cases = {
        // The name ran out; the pattern's unmatched rest ends in '*'.
        {"abc", "abc*d*", false, true},
        {"abc", "abc*d", false, false},
        {"", "?a*b*", false, true},
        {"ab", "ab?*", false, true},
        // The tail after the last '*' is compared with the end of the whole name.
        {"ab", "a*ab", false, true},
        {"abc", "ab*bc", false, true},
        {"ab", "a*abc", false, false},
    };
    for (const MatchCase& c : cases) {
        SCOPED_TRACE("name '" + c.name + "' pattern '" + c.pattern + "'");
        EXPECT_EQ(WildcardMatch(c.name, c.pattern, c.ignoreCase), c.match);
    }
}

std::string FoldLatin1(std::string text) {
    for (char& c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) c = static_cast<char>(u - 0x20);
    }
    return text;
}

TEST(WildcardMatch, UsesTheGivenCaseFoldingOnlyWhenIgnoringCase) {
    EXPECT_TRUE(WildcardMatch("\xE9t\xE9.lnk", "\xC9T\xC9.*", true, FoldLatin1));
    EXPECT_FALSE(WildcardMatch("\xE9t\xE9.lnk", "\xC9T\xC9.*", false, FoldLatin1));
}

TEST(WildPos, FindsSegmentsWithQuestionMarks) {
    struct Case {
        std::string sub;
        std::string s;
        std::size_t pos;
    };
    const std::vector<Case> cases = {
        {"cd", "abcdcd", 3}, {"", "abc", 0},    {"x", "abc", 0},   {"a?c", "xxabc", 3},
        {"??", "a", 0},      {"??", "ab", 1},   {"?b", "abab", 1}, {"b?", "abab", 2},
        {"abc", "ab", 0},    {"?", "", 0},      {"c?", "abc", 0},  {"abc", "abc", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("sub '" + c.sub + "' in '" + c.s + "'");
        EXPECT_EQ(WildPos(c.sub, c.s), c.pos);
    }
}

TEST(CutAtStar, CutsBeforeTheFirstStar) {
    struct Case {
        std::string in;
        std::size_t pos;
        std::string out;
    };
    const std::vector<Case> cases = {
        {"abc*d*", 4, "abc"}, {"*abc", 1, ""}, {"abc", 0, "abc"}, {"", 0, ""}, {"ab*", 3, "ab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        std::string s = c.in;
        EXPECT_EQ(CutAtStar(s), c.pos);
        EXPECT_EQ(s, c.out);
    }
}

}  // namespace
