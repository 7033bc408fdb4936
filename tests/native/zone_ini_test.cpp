// Values and names of the clock's INI files: a hand-edited file never raises
// and never yields an offset the date carry cannot handle.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "framework/core/StrUtils.h"
#include "main/clock/core/ZoneIni.h"

using namespace worldclock;

namespace {

bool SingleByteCodePage(unsigned char) { return false; }

TEST(ZoneIniValues, OffsetsFallBackWhenNotANumberOrBeyondADay) {
    struct Case {
        const char* text;
        int expected;  // with fallback 480
    };
    const Case cases[] = {
        {"480", 480},  {"-300", -300},       {" 60", 60},           {"60 ", 60},     {"\t345\t", 345},
        {"+60", 60},   {"0", 0},             {"-1", -1},            {"1439", 1439},  {"-1439", -1439},
        {"", 480},     {" ", 480},           {"abc", 480},          {"12abc", 480},  {"4 80", 480},
        {"-", 480},    {"+", 480},           {"--5", 480},          {"1e3", 480},    {"0x1E", 480},
        {"$1E", 480},  {"99999999999", 480}, {"-2147483648", 480},  {"2147483647", 480},
        {"1440", 480}, {"-1440", 480},       {"5000", 480},         {"330.5", 480},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseIniOffset(c.text, 480), c.expected) << '"' << c.text << '"';
    // The caller's default, whatever it is.
    EXPECT_EQ(ParseIniOffset("abc", -300), -300);
    EXPECT_EQ(ParseIniOffset("9999", -300), -300);
}

TEST(ZoneIniValues, CountsStayWithinTheirLimit) {
    struct Case {
        const char* text;
        int maxCount;
        int fallback;
        int expected;
    };
    const Case cases[] = {
        {"3", 23, 0, 3},   {"0", 23, 0, 0},  {"23", 23, 0, 23}, {"24", 23, 0, 23},  {"-1", 23, 5, 0},
        {"x", 23, 0, 0},   {"32", 32, 0, 32}, {"33", 32, 5, 32}, {"999", 32, 0, 32}, {"", 32, 7, 7},
        {" 40 ", 32, 5, 32}, {"99999999999", 32, 5, 5}, {"4x", 32, 5, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseIniCount(c.text, c.maxCount, c.fallback), c.expected) << '"' << c.text << '"';
    EXPECT_EQ(ParseIniInt("-7", -10, -5, 0), -7);
    EXPECT_EQ(ParseIniInt("-4", -10, -5, 0), 0);
}

TEST(ZoneIniValues, FlagsAreSetForAnyNumberButZero) {
    struct Case {
        const char* text;
        bool number;
        bool set;
    };
    const Case cases[] = {
        {"1", true, true},   {"0", true, false},   {"2", true, true},    {"-1", true, true},
        {" 0 ", true, false}, {"00", true, false},  {"", false, false},   {"yes", false, false},
        {"true", false, false}, {"1x", false, false}, {"99999999999", false, false},
    };
    for (const Case& c : cases) {
        for (bool fallback : {false, true})
            EXPECT_EQ(ParseIniFlag(c.text, fallback), c.number ? c.set : fallback)
                << '"' << c.text << "\" fallback " << fallback;
    }
}

TEST(LocationName, NamesThatWouldNotComeBackAsTyped) {
    struct Case {
        std::string name;
        LocationNameFault fault;
    };
    const Case cases[] = {
        {"Paris", LocationNameFault::None},
        {"Hong kong", LocationNameFault::None},
        {"St. John's", LocationNameFault::None},
        {"Z\xfcrich", LocationNameFault::None},
        {"x;y", LocationNameFault::None},
        {"--", LocationNameFault::None},
        {"-x", LocationNameFault::None},
        {"A & B", LocationNameFault::None},
        {"", LocationNameFault::Empty},
        {" ", LocationNameFault::EdgeBlank},
        {" Paris", LocationNameFault::EdgeBlank},
        {"Paris ", LocationNameFault::EdgeBlank},
        {"a\r\nb", LocationNameFault::ControlCharacter},
        {"a\nb", LocationNameFault::ControlCharacter},
        {"a\tb", LocationNameFault::ControlCharacter},
        {"Paris\t", LocationNameFault::ControlCharacter},
        {std::string("a\0b", 3), LocationNameFault::ControlCharacter},
        {"a\x7f", LocationNameFault::ControlCharacter},
        {"a=b", LocationNameFault::ReservedCharacter},
        {"=", LocationNameFault::ReservedCharacter},
        {"[x", LocationNameFault::ReservedCharacter},
        {"Tokyo[GMT +09:00]", LocationNameFault::ReservedCharacter},
        {"x]", LocationNameFault::ReservedCharacter},
        {";x", LocationNameFault::LeadingSemicolon},
        {"-", LocationNameFault::Separator},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckLocationName(c.name, SingleByteCodePage), c.fault) << '"' << c.name << '"';
        // Text without lead bytes reads the same in a double-byte code page.
        EXPECT_EQ(CheckLocationName(c.name, Cp932LeadByte), c.fault) << '"' << c.name << '"';
    }
}

// A double-byte character is one character: its trail byte can be 0x5B "["
// or 0x5D "]" and still be no bracket, while a real one is refused.
TEST(LocationName, DoubleByteCharactersAreReadWhole) {
    const std::string hague = "\x83\x6E\x81\x5B\x83\x4F";  // "ハーグ", with "ー" 0x81 0x5B
    const std::string review = "\x95\x5D";                   // "評"
    struct Case {
        std::string name;
        LocationNameFault cp932;
        LocationNameFault singleByte;  // the same bytes in code page 1252
    };
    const Case cases[] = {
        {hague, LocationNameFault::None, LocationNameFault::ReservedCharacter},
        {review, LocationNameFault::None, LocationNameFault::ReservedCharacter},
        {"\x81\x5B", LocationNameFault::None, LocationNameFault::ReservedCharacter},
        {hague + " " + review, LocationNameFault::None, LocationNameFault::ReservedCharacter},
        {hague + "[x", LocationNameFault::ReservedCharacter, LocationNameFault::ReservedCharacter},
        {hague + "=1", LocationNameFault::ReservedCharacter, LocationNameFault::ReservedCharacter},
        {"]" + hague, LocationNameFault::ReservedCharacter, LocationNameFault::ReservedCharacter},
        // A byte below 0x40 trails no character: it stands for itself.
        {"\x81=", LocationNameFault::ReservedCharacter, LocationNameFault::ReservedCharacter},
        {"\x81\n", LocationNameFault::ControlCharacter, LocationNameFault::ControlCharacter},
        {"a\x81", LocationNameFault::None, LocationNameFault::None},  // a cut character at the end
        {";" + hague, LocationNameFault::LeadingSemicolon, LocationNameFault::ReservedCharacter},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckLocationName(c.name, Cp932LeadByte), c.cp932) << c.name;
        EXPECT_EQ(CheckLocationName(c.name, SingleByteCodePage), c.singleByte) << c.name;
    }
}

TEST(LocationName, NoTwoEntriesShareANameInAnyLetterCase) {
    const std::vector<std::string> list{"Local Time", "Paris", "Tokyo"};
    struct Case {
        const char* name;
        int exceptIndex;  // the entry being renamed, -1 when adding
        int found;
        LocationNameFault fault;
    };
    const Case cases[] = {
        {"paris", -1, 1, LocationNameFault::Taken},
        {"PARIS", 1, -1, LocationNameFault::None},  // renaming an entry to itself in another case
        {"Tokyo", 1, 2, LocationNameFault::Taken},  // renaming onto another entry
        {"local time", 2, 0, LocationNameFault::Taken},
        {"LOCAL TIME", -1, 0, LocationNameFault::Taken},
        {"Lima", -1, -1, LocationNameFault::None},
        {"Pari", -1, -1, LocationNameFault::None},
        {"Parisx", -1, -1, LocationNameFault::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FindLocationName(list, c.name, c.exceptIndex, SameTextAscii), c.found);
        EXPECT_EQ(ValidateLocationName(c.name, list, c.exceptIndex, SingleByteCodePage, SameTextAscii), c.fault);
    }
    // A name the files cannot hold is refused before the list is searched.
    EXPECT_EQ(ValidateLocationName("Paris=1", list, -1, SingleByteCodePage, SameTextAscii),
              LocationNameFault::ReservedCharacter);
    EXPECT_EQ(FindLocationName({}, "Paris", -1, SameTextAscii), -1);
}

// Code page 1252's letter case, accented capitals included, as the system
// compares text there.
char FoldLatin1(char ch) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<char>(c + 0x20);
    return ch;
}
bool SameTextLatin1(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldLatin1(a[i]) != FoldLatin1(b[i])) return false;
    return true;
}

// Names that differ only in the case of an accented letter are one profile
// key: the comparison the caller passes decides, not an ASCII-only fold.
TEST(LocationName, LetterCaseIsTheComparisonTheCallerPasses) {
    const std::vector<std::string> list{"Local Time", "Z\xfcrich", "Paris"};
    struct Case {
        const char* name;
        SameNameText same;
        int found;
    };
    const Case cases[] = {
        {"Z\xdcRICH", SameTextLatin1, 1}, {"z\xfcrich", SameTextLatin1, 1}, {"Z\xdcrich", SameTextLatin1, 1},
        {"PARIS", SameTextLatin1, 2},      {"Zurich", SameTextLatin1, -1},   {"Z\xdcRICH", SameTextAscii, -1},
        {"ZURICH", SameTextAscii, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FindLocationName(list, c.name, -1, c.same), c.found);
        EXPECT_EQ(ValidateLocationName(c.name, list, -1, SingleByteCodePage, c.same) == LocationNameFault::Taken,
                  c.found >= 0);
    }
    // Renaming an entry to itself in another case is no clash.
    EXPECT_EQ(ValidateLocationName("Z\xdcRICH", list, 1, SingleByteCodePage, SameTextLatin1), LocationNameFault::None);
}

TEST(LocationName, EveryRefusalHasItsOwnMessage) {
    const LocationNameFault faults[] = {
        LocationNameFault::Empty,           LocationNameFault::EdgeBlank,
        LocationNameFault::ControlCharacter, LocationNameFault::ReservedCharacter,
        LocationNameFault::LeadingSemicolon, LocationNameFault::Separator,
        LocationNameFault::Taken,
    };
    std::set<std::string> texts;
    for (LocationNameFault f : faults) {
        const std::string text = LocationNameFaultText(f);
        EXPECT_FALSE(text.empty());
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), std::size(faults));
    EXPECT_EQ(LocationNameFaultText(LocationNameFault::None), "");
    EXPECT_EQ(LocationNameFaultText(LocationNameFault::Taken),
              "The location name you specified already exist!");
}

}  // namespace
