// The table of known programs: the builder and reader round trip, and the
// reader over short, damaged and hostile bytes.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "main/bar/core/KnownPrograms.h"

using namespace bar;

namespace {

bool NoLead(unsigned char) { return false; }

std::vector<KnownProgram> Lookup(const KnownProgramFiles& files, const std::string& name) {
    MemoryByteSource records(files.records.data(), files.records.size());
    return LookupKnownProgram(files.index, records, name);
}

KnownProgramFiles Build(const std::string& source) {
    std::vector<KnownProgramLine> lines;
    std::string error;
    EXPECT_TRUE(ParseKnownProgramSource(source, lines, error)) << error;
    return BuildKnownProgramFiles(lines);
}

std::string Names(const std::vector<KnownProgram>& found) {
    std::string s;
    for (const KnownProgram& p : found) s += std::string(1, p.digit) + ":" + p.name + ";";
    return s;
}

const char kSource[] =
    "# comment\n"
    "EDITOR.EXE | 1 | Editor\r\n"
    "\n"
    "EDITOR.EXE | 8 | Code Editor\n"
    "edit.exe | 2 | Small Edit\n"
    "ZAP.EXE | 9 | Zap\n"
    "BIG.EXE | 5 | Big Game\n";

TEST(KnownPrograms, RoundTripFindsEveryRecordIgnoringCase) {
    const KnownProgramFiles files = Build(kSource);
    const struct {
        const char* name;
        const char* found;
    } cases[] = {
        {"editor.exe", "1:Editor;8:Code Editor;"},  // one name in two groups
        {"EDIT.EXE", "2:Small Edit;"},
        {"zap.exe", "9:Zap;"},
        {"Big.Exe", "5:Big Game;"},
        {"edito.exe", ""},
        {"AAA.EXE", ""},      // a letter without records: offset 0
        {"1st.exe", ""},      // no letter: not looked up
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Names(Lookup(files, c.name)), c.found) << c.name;
    EXPECT_EQ(files.index.size(), kKnownIndexSize);
    EXPECT_EQ(files.records[0], '\0') << "no letter may start at offset 0";
}

TEST(KnownPrograms, TheTreesSourceBuildsAndFindsWhatAWinePrefixHolds) {
    std::ifstream in(MIVORA_TEST_DATA "/../../main/bar/qapp/qapp.txt", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const KnownProgramFiles files = Build(text.str());
    for (const char* name : {"notepad.exe", "regedit.exe", "wordpad.exe", "winemine.exe", "cmd.exe", "taskmgr.exe",
                             "winefile.exe", "iexplore.exe"})
        EXPECT_FALSE(Lookup(files, name).empty()) << name;
}

TEST(KnownPrograms, SourceFaultsNameTheirLine) {
    const struct {
        std::string source;
        const char* error;
    } cases[] = {
        {"A.EXE | 1 | A\nB.EXE 1 B\n", "line 2: needs FILE | digit | name"},
        {"7Z.EXE | 1 | Seven\n", "line 1: the file name must start with a letter"},
        {"A.EXE | 0 | A\n", "line 1: the category is one digit from 1 to 9"},
        {"A.EXE | 12 | A\n", "line 1: the category is one digit from 1 to 9"},
        {"A.EXE | 1 | a=b\n", "line 1: the display name can't stand as an INI key"},
        {"A.EXE | 1 | [A\n", "line 1: the display name can't stand as an INI key"},
        {"A.EXE | 1 | \n", "line 1: the display name can't stand as an INI key"},
        {"A.EXE | 1 | " + std::string(247, 'n') + "\n", "line 1: the record is over 255 bytes"},
    };
    for (const auto& c : cases) {
        std::vector<KnownProgramLine> lines;
        std::string error;
        EXPECT_FALSE(ParseKnownProgramSource(c.source, lines, error));
        EXPECT_EQ(error, c.error);
    }
    std::vector<KnownProgramLine> lines;
    std::string error;
    EXPECT_TRUE(ParseKnownProgramSource("A.EXE | 1 | " + std::string(246, 'n'), lines, error)) << "255 bytes fit";
}

// Hand-made records: an index whose 'E' entry points at offset 1.
KnownProgramFiles Raw(const std::string& records) {
    KnownProgramFiles f;
    f.index.assign(kKnownIndexSize, '\0');
    f.index[5 * 4] = 1;
    f.records = std::string(1, '\0') + records;
    return f;
}

TEST(KnownPrograms, DamagedRecordsFileNothingAndStayInside) {
    using namespace std::string_literals;
    const struct {
        std::string records;
        const char* found;
        const char* why;
    } cases[] = {
        {"EDITOR.EXE 1 Editor"s, "1:Editor;", "the last record may lack its zero byte"},
        {"EDITOR.EXEx1xEditor\0"s, "1:Editor;", "separators are never examined"},
        {"EDITOR.EXE.BAK 1 X\0EDITOR.EXE 2 Y\0"s, "2:Y;", "prefix match: the longer name's digit place holds 'B'"},
        {"EDITOR.EXE X Editor\0"s, "", "no digit"},
        {"EDITOR.EXE 1\0"s, "", "a record no longer than the name holds no digit or name"},
        {"EDITOR.EXE 1 \0"s, "", "an empty display name"},
        {"EDITOR.EXE\0"s, "", "only the name"},
        {"EDITOR.EXE 1 A=B\0EDITOR.EXE 2 ;C\0"s, "", "names that would break the INI file"},
        {"EDITOR.EXE 3 One\0FOO.EXE 1 F\0EDITOR.EXE 4 Two\0"s, "3:One;", "another letter ends the run"},
        {"editor.exe 3 Low\0Eb\0EDITOR.EXE 4 Two\0"s, "3:Low;4:Two;", "short records are stepped over"},
        {std::string(300, 'E') + "\0EDITOR.EXE 1 After\0"s, "1:After;", "an over-long record is read 255 bytes at a time"},
        {""s, "", "an offset at the end of the file"},
    };
    for (const auto& c : cases) EXPECT_EQ(Names(Lookup(Raw(c.records), "editor.exe")), c.found) << c.why;
}

TEST(KnownPrograms, ShortIndexOrOffsetsPastTheEndFindNothing) {
    KnownProgramFiles files = Build(kSource);
    KnownProgramFiles shortIndex = files;
    shortIndex.index.resize(kKnownIndexSize - 1);
    EXPECT_TRUE(Lookup(shortIndex, "zap.exe").empty());
    KnownProgramFiles past = files;
    past.index[5 * 4 + 3] = 0x7F;  // 'E' far beyond the records
    EXPECT_TRUE(Lookup(past, "editor.exe").empty());
}

TEST(KnownPrograms, DigitsMapToTheNineFixedSections) {
    EXPECT_STREQ(SectionForDigit('1'), "appDoc");
    EXPECT_STREQ(SectionForDigit('9'), "appMisc");
    for (char c : {'0', ':', 'a'}) EXPECT_EQ(SectionForDigit(c), nullptr) << c;
}

TEST(KnownPrograms, FoundAppsTakeTheFirstShortcutToTheSameFileName) {
    const std::vector<std::pair<std::string, std::string>> entries = {
        {"Editor", "D:\\Tools\\EDITOR.EXE"},
        {"Mine", "C:\\Games\\mine.exe"},
        {"Alone", "C:\\x\\alone.exe"},
    };
    const std::vector<std::string> names = {"My Editor", "Other Editor", "Mines"};
    const std::vector<std::string> targets = {"C:\\Apps\\editor.exe", "E:\\editor.exe", "C:\\Games\\MINE.EXE"};
    const auto renames = PlanFoundAppRenames(entries, names, targets, NoLead);
    ASSERT_EQ(renames.size(), 2u) << "an entry without a shortcut stays";
    EXPECT_EQ(renames[0].oldKey, "Editor");
    EXPECT_EQ(renames[0].newKey, "My Editor");
    EXPECT_EQ(renames[0].newPath, "C:\\Apps\\editor.exe");
    EXPECT_EQ(renames[1].newKey, "Mines");
}

}  // namespace
