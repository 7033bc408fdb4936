// Rules of the recent-item menus and of their item context menu.
#include <gtest/gtest.h>

#include "main/bar/core/RecentMenuRules.h"
#include "framework/core/StrUtils.h"

using namespace bar;

namespace {

TStringList ListOf(std::initializer_list<const char*> items) {
    TStringList l;
    for (const char* s : items) l.Add(s);
    return l;
}

bool Folded(const std::string& a, const std::string& b) { return SameTextAscii(a, b); }

TEST(RecentMenuRules, ShortenPathKeepsTheNameAndFortyCharacters) {
    const std::string name40 = "C:\\" + std::string(37, 'a');
    const std::string deep = "C:\\Documents and Settings\\someone\\My Documents\\report.doc";
    const std::string longName = "C:\\x\\" + std::string(40, 'n') + ".txt";
    struct Case {
        std::string path, shown;
    } cases[] = {
        {"C:\\short\\file.txt", "C:\\short\\file.txt"},
        {name40, name40},
        {deep, "C:\\Documents and Settings\\...\\report.doc"},
        {longName, "...\\" + std::string(40, 'n') + ".txt"},  // a name longer than 37 stands alone
        {"C:\\" + std::string(30, 'd') + "\\" + std::string(36, 'f'), "...\\" + std::string(36, 'f')},
    };
    for (const Case& c : cases) EXPECT_EQ(ShortenPath(c.path), c.shown) << c.path;
    EXPECT_EQ(ShortenPath(deep).size(), 40u);
}

TEST(RecentMenuRules, CutToLimitDropsTheTail) {
    TStringList l = ListOf({"a", "b", "c"});
    EXPECT_FALSE(CutToLimit(l, 3));
    EXPECT_TRUE(CutToLimit(l, 1));
    EXPECT_EQ(l.Items(), std::vector<std::string>{"a"});
    EXPECT_TRUE(CutToLimit(l, -5));
    EXPECT_EQ(l.Count(), 0);
}

TEST(RecentMenuRules, ShellCommandsNeverTakeTheOwnIds) {
    struct Case {
        unsigned chosen;
        bool own;
        int offset;
    } cases[] = {
        {0, true, -1}, {1, true, -1}, {2, true, -1}, {3, true, 0}, {9, true, 6},
        {0, false, -1}, {1, false, 0}, {2, false, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(ShellCommandOffset(c.chosen, c.own), c.offset) << c.chosen << c.own;
    EXPECT_EQ(FirstShellCommand(true), 3u);
    EXPECT_EQ(FirstShellCommand(false), 1u);
}

TEST(RecentMenuRules, OwnCommandTexts) {
    struct Case {
        unsigned command;
        bool locked, withCaption;
        const char* text;
    } cases[] = {
        {kLockCommand, false, true, "Lock item \"notes.txt\""},
        {kLockCommand, true, true, "Unlock item \"notes.txt\""},
        {kDeleteCommand, true, true, "Delete item \"notes.txt\""},
        {kLockCommand, false, false, "Lock item"},
        {kDeleteCommand, false, false, "Delete item"},
    };
    for (const Case& c : cases) EXPECT_EQ(ItemCommandText(c.command, c.locked, c.withCaption, "notes.txt"), c.text);
}

TEST(RecentMenuRules, ItemCommandsMoveEntriesBetweenTheLists) {
    struct Case {
        const char* name;
        unsigned command;
        bool locked;
        const char* entry;
        ListMove move;
        std::vector<std::string> recent, locks;
    } cases[] = {
        {"lock", kLockCommand, false, "C:\\B", ListMove::Locked, {"C:\\a"}, {"C:\\B", "C:\\L"}},
        {"lock ignoring case", kLockCommand, false, "c:\\b", ListMove::Locked, {"C:\\a"}, {"C:\\B", "C:\\L"}},
        {"unlock", kLockCommand, true, "C:\\L", ListMove::Unlocked, {"C:\\L", "C:\\a", "C:\\B"}, {}},
        {"delete recent", kDeleteCommand, false, "C:\\a", ListMove::Deleted, {"C:\\B"}, {"C:\\L"}},
        {"delete locked", kDeleteCommand, true, "C:\\L", ListMove::Deleted, {"C:\\a", "C:\\B"}, {}},
        // An entry its list no longer holds changes neither list.
        {"lock missing", kLockCommand, false, "C:\\gone", ListMove::None, {"C:\\a", "C:\\B"}, {"C:\\L"}},
        {"unlock from wrong list", kLockCommand, true, "C:\\a", ListMove::None, {"C:\\a", "C:\\B"}, {"C:\\L"}},
        {"delete missing", kDeleteCommand, true, "C:\\B", ListMove::None, {"C:\\a", "C:\\B"}, {"C:\\L"}},
        {"a shell command", 3, false, "C:\\a", ListMove::None, {"C:\\a", "C:\\B"}, {"C:\\L"}},
    };
    for (const Case& c : cases) {
        TStringList recent = ListOf({"C:\\a", "C:\\B"}), locks = ListOf({"C:\\L"});
        EXPECT_EQ(ApplyItemCommand(c.command, c.locked, recent, locks, c.entry, Folded), c.move) << c.name;
        EXPECT_EQ(recent.Items(), c.recent) << c.name;
        EXPECT_EQ(locks.Items(), c.locks) << c.name;
    }
}

}  // namespace
