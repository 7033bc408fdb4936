#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/components/FileFinder.h"
#include "tests/win/support/TestSupport.h"
#include "main/components/core/Wilds.h"

using namespace components;

namespace {

struct Walk {
    std::vector<std::string> found;  // Directory + Name
    int stops = 0;
};

void Track(TFileFinder& f, Walk& w, bool stopOnFirst = false) {
    f.OnFileFound = [&w, stopOnFirst](TObject*, const std::string& dir, TSearchRec& rec, bool& stop) {
        w.found.push_back(dir + rec.Name);
        if (stopOnFirst) stop = true;
    };
    f.OnStop = [&w](TObject*) { ++w.stops; };
}

// a.lnk, B.LNK, x.txt, sub\c.lnk, sub\deep\e.lnk, .hid\d.lnk
void MakeTree(const TempDir& t) {
    WriteFileBytes(t.File("a.lnk"), "a");
    WriteFileBytes(t.File("B.LNK"), "b");
    WriteFileBytes(t.File("x.txt"), "x");
    CreateDirectoryA(t.File("sub").c_str(), nullptr);
    CreateDirectoryA(t.File("sub\\deep").c_str(), nullptr);
    CreateDirectoryA(t.File(".hid").c_str(), nullptr);
    WriteFileBytes(t.File("sub\\c.lnk"), "c");
    WriteFileBytes(t.File("sub\\deep\\e.lnk"), "e");
    WriteFileBytes(t.File(".hid\\d.lnk"), "d");
}

// A finder over the tree of MakeTree, its finds tracked.
struct TreeSearch {
    explicit TreeSearch(const char* pattern, bool stopOnFirst = false) {
        MakeTree(t);
        f.Root = t.Path();
        f.Filename = pattern;
        Track(f, w, stopOnFirst);
    }
    TempDir t;
    TFileFinder f{nullptr};
    Walk w;
};

}  // namespace

// A folder's entries come before its subfolders, dot folders are never
// entered, and a case-sensitive match skips the other case.
TEST(FileFinder, WalksInOrderAndMatchesByTheCaseRule) {
    struct Case {
        bool ignoreCase, subFolders;
        std::vector<std::string> found;
    };
    const Case cases[] = {
        {true, true, {"a.lnk", "B.LNK", "sub\\c.lnk", "sub\\deep\\e.lnk"}},
        {false, false, {"a.lnk"}},
    };
    for (const Case& c : cases) {
        TreeSearch s("*.lnk");
        s.f.IgnoreCase = c.ignoreCase;
        s.f.SubFolders = c.subFolders;
        s.f.Execute();
        std::vector<std::string> expected;
        for (const std::string& name : c.found) expected.push_back(s.t.File(name));
        EXPECT_EQ(s.w.found, expected);
        EXPECT_EQ(s.w.stops, 1);
        EXPECT_FALSE(s.f.Stopped());
    }
}

TEST(FileFinder, DotEntriesAndFoldersAreTestedAgainstThePattern) {
    TreeSearch s("*");
    s.f.SubFolders = false;
    s.f.Execute();
    ASSERT_GE(s.w.found.size(), 2u);
    EXPECT_EQ(s.w.found[0], s.t.File("."));
    EXPECT_EQ(s.w.found[1], s.t.File(".."));
    EXPECT_NE(std::find(s.w.found.begin(), s.w.found.end(), s.t.File("sub")), s.w.found.end());
}

TEST(FileFinder, AStopOnTheFirstMatchEndsTheWholeWalkAndStillFiresOnStopOnce) {
    TreeSearch s("*.lnk", true);
    s.f.Execute();
    EXPECT_EQ(s.w.found, std::vector<std::string>{s.t.File("a.lnk")});
    EXPECT_TRUE(s.f.Stopped());
    EXPECT_EQ(s.w.stops, 1);

    // A new walk starts unstopped.
    Walk again;
    Track(s.f, again);
    s.f.Execute();
    EXPECT_FALSE(s.f.Stopped());
    EXPECT_EQ(again.found.size(), 4u);
}

TEST(FileFinder, ExactNameSearchComparesWholeNames) {
    TempDir t;
    WriteFileBytes(t.File("setup.exe"), "s");
    WriteFileBytes(t.File("other.exe"), "o");
    TFileFinder f(nullptr);
    f.Root = t.Path();
    f.FuzzySearch = false;
    Walk w;
    Track(f, w);
    f.Filename = "SETUP.EXE";
    f.Execute();
    EXPECT_EQ(w.found, std::vector<std::string>{t.File("setup.exe")});

    w.found.clear();
    f.Filename = "*.exe";
    f.Execute();
    EXPECT_TRUE(w.found.empty());

    f.IgnoreCase = false;
    f.Filename = "SETUP.EXE";
    f.Execute();
    EXPECT_TRUE(w.found.empty());
}

TEST(FileFinder, EmptyPatternReportsNothingButStillStops) {
    TreeSearch s("");
    s.f.Execute();
    EXPECT_TRUE(s.w.found.empty());
    EXPECT_EQ(s.w.stops, 1);
}

TEST(FileFinder, StatusLabelShowsTheFolderBeingSearched) {
    TreeSearch s("*.lnk");
    TLabel label(nullptr);
    s.f.StatusLabel = &label;
    s.f.Execute();
    EXPECT_EQ(label.Caption(), s.t.File("sub\\deep\\"));
}

TEST(FileFinder, FolderLinksAreMatchedButNeverEntered) {
    // tree\link is a host symbolic link to ..\target, which holds f.lnk.
    const std::string root = HostPathToWindows(MIVORA_TEST_DATA "/finder/tree") + "\\";
    ASSERT_TRUE(DirectoryExists(root + "link")) << root;
    ASSERT_TRUE(FileExists(root + "link\\f.lnk"));
    TFileFinder f(nullptr);
    f.Root = root;
    f.Filename = "*";
    Walk w;
    Track(f, w);
    f.Execute();
    EXPECT_NE(std::find(w.found.begin(), w.found.end(), root + "link"), w.found.end());
    EXPECT_NE(std::find(w.found.begin(), w.found.end(), root + "e.lnk"), w.found.end());
    for (const auto& p : w.found) EXPECT_EQ(p.find("link\\"), std::string::npos) << p;
}

TEST(FileFinder, SearchRecordCarriesSizeAttributesAndDosTime) {
    TempDir t;
    WriteFileBytes(t.File("sized.lnk"), std::string(1234, 'z'));
    TFileFinder f(nullptr);
    f.Root = t.Path();
    f.Filename = "*.lnk";
    int64_t size = -1;
    int attr = 0, time = 0;
    f.OnFileFound = [&](TObject*, const std::string&, TSearchRec& rec, bool&) {
        size = rec.Size;
        attr = rec.Attr;
        time = rec.Time;
    };
    f.Execute();
    EXPECT_EQ(size, 1234);
    EXPECT_EQ(attr & faDirectory, 0);
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ((time >> 25) + 1980, now.wYear);  // DOS date: years since 1980 in the top bits
    // The local time of day of the write, within a minute of now's.
    const int late = (now.wHour * 60 + now.wMinute - ((time >> 11) & 31) * 60 - ((time >> 5) & 63) + 1440) % 1440;
    EXPECT_LE(late, 1);
}

TEST(Wilds, LocaleAwareFoldingMatchesAccentedCapitals) {
    // Code page 1252: e-acute 0xE9, E-acute 0xC9.
    EXPECT_TRUE(WildcardMatch("r\xE9sum\xE9.txt", "R\xC9SUM\xC9.*", true, AnsiUpperCase));
    EXPECT_FALSE(WildcardMatch("r\xE9sum\xE9.txt", "R\xC9SUM\xC9.*", true));  // the ASCII fold keeps them apart
    EXPECT_FALSE(WildcardMatch("r\xE9sum\xE9.txt", "R\xC9SUM\xC9.*", false, AnsiUpperCase));
}
