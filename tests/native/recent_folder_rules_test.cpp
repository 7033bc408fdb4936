// Rules of the Recent-folder road and of dropped files.
#include <gtest/gtest.h>

#include "main/bar/core/RecentFolderRules.h"

using namespace bar;

namespace {

TStringList ListOf(std::initializer_list<const char*> items) {
    TStringList l;
    for (const char* s : items) l.Add(s);
    return l;
}

TEST(RecentFolderRules, ListedFoldersCoverTheirSubfoldersOnly) {
    const TStringList listed = ListOf({"C:\\Data", "D:\\", "E:\\Work\\", "C:\\x"});
    struct Case {
        const char* path;
        bool covered;
    } cases[] = {
        {"C:\\Data", true},
        {"c:\\data\\Sub", true},
        {"C:\\Data2", false},  // a sibling with a longer name is not inside
        {"C:\\Database\\x", false},
        {"D:\\Anything", false},  // entries of 3 characters or fewer are ignored
        {"E:\\Work\\Notes", true},
        {"E:\\Workshop", false},
        {"C:\\x\\y", true},  // four characters are enough
        {"C:\\", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsUnderListedFolder(c.path, listed), c.covered) << c.path;
    EXPECT_FALSE(IsUnderListedFolder("C:\\Data", TStringList()));
}

TEST(RecentFolderRules, FolderOfAFile) {
    const char* const cases[][2] = {
        {"C:\\doc.txt", "C:\\"},  // a root keeps its backslash
        {"C:\\Docs\\a.txt", "C:\\Docs"},
        {"\\\\srv\\share\\a.txt", "\\\\srv\\share"},
        {"a.txt", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(FolderOfFile(c[0]), c[1]) << c[0];
}

TEST(RecentFolderRules, WhichFoldersAreRecorded) {
    const std::string desktop = "C:\\Users\\me\\Desktop";
    const TStringList recent = ListOf({"C:\\Projects"});
    const TStringList locked = ListOf({"D:\\Pinned"});
    const FolderRecordOptions defaults;
    FolderRecordOptions all;
    all.recRoot = all.recDesktop = true;
    FolderRecordOptions strict;
    strict.recNet = strict.recSubDir = false;
    struct Case {
        const char* folder;
        FolderRecordOptions options;
        bool recorded;
    } cases[] = {
        {"C:\\Docs", defaults, true},
        {"C:\\", defaults, false},
        {"C:\\", all, true},
        {"c:\\users\\me\\desktop", defaults, false},
        {"C:\\Users\\me\\Desktop", all, true},
        {"\\\\server\\share", defaults, true},
        {"\\\\server\\share", strict, false},
        {"C:\\Projects\\Mivora", defaults, true},
        {"C:\\Projects\\Mivora", strict, false},
        {"C:\\Projects", strict, false},  // an already listed folder doesn't move either
        {"D:\\Pinned\\x", strict, false},
        {"C:\\Projects2", strict, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShouldRecordFolder(c.folder, c.options, desktop, recent, locked), c.recorded) << c.folder;
}

TEST(RecentFolderRules, FirstNewOrChangedShortcut) {
    const TStringList known = ListOf({"a.lnk", "b.lnk"});
    const TStringList ages = ListOf({"100", "200"});
    EXPECT_EQ(FirstNewShortcut({"a.lnk", "b.lnk"}, {"100", "200"}, known, ages), -1);
    EXPECT_EQ(FirstNewShortcut({"a.lnk", "b.lnk", "c.lnk", "d.lnk"}, {"100", "200", "5", "6"}, known, ages), 2);
    EXPECT_EQ(FirstNewShortcut({"a.lnk", "b.lnk"}, {"100", "201"}, known, ages), 1);  // rewritten
    EXPECT_EQ(FirstNewShortcut({"A.lnk"}, {"100"}, known, ages), 0);                  // names compare exactly
    EXPECT_EQ(FirstNewShortcut({}, {}, known, ages), -1);
}

TEST(RecentFolderRules, DropsAndTheQuickStartStrip) {
    EXPECT_EQ(ClassifyDrop("C:\\Folder", true), DropKind::Folder);
    EXPECT_EQ(ClassifyDrop("C:\\Tools\\Edit.EXE", false), DropKind::QuickStart);
    EXPECT_EQ(ClassifyDrop("C:\\Mivora\\MIVORA.EXE", false), DropKind::File);
    EXPECT_EQ(ClassifyDrop("C:\\notes.txt", false), DropKind::File);
    EXPECT_EQ(ClassifyDrop("C:\\exe", false), DropKind::File);

    EXPECT_EQ(QuickStartAfterDrop({"p1", "p2"}, {"a", "b"}), (std::vector<std::string>{"p2", "p1", "a", "b"}));
    // Re-dropping a program of a full strip keeps the four others.
    EXPECT_EQ(QuickStartAfterDrop({"D"}, {"a", "b", "c", "d", "e"}),
              (std::vector<std::string>{"D", "a", "b", "c", "e"}));
    EXPECT_EQ(QuickStartAfterDrop({}, {"a", "b", "c", "d", "e", "f"}).size(), 5u);
    EXPECT_EQ(QuickStartAfterDrop({}, {}), std::vector<std::string>{});
}

}  // namespace
