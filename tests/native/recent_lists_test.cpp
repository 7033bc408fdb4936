// The recording rule of the recent lists, the programs that count as recent
// applications and the notice protocol's small parts.
#include <gtest/gtest.h>

#include "main/bar/core/RecentLists.h"
#include "framework/core/StrUtils.h"

using namespace bar;

namespace {

TStringList ListOf(std::initializer_list<const char*> items) {
    TStringList l;
    for (const char* s : items) l.Add(s);
    return l;
}

std::vector<std::string> Items(const TStringList& l) { return l.Items(); }

const PathEquals kAscii = [](const std::string& a, const std::string& b) { return SameTextAscii(a, b); };

TEST(RecordRecentPath, Rules) {
    struct Case {
        const char* name;
        TStringList list, locked;
        const char* path;
        RecordResult result;
        std::vector<std::string> after;
    } cases[] = {
        {"new path goes in front", ListOf({"C:\\a", "C:\\b"}), ListOf({}), "C:\\n", RecordResult::Inserted,
         {"C:\\n", "C:\\a", "C:\\b"}},
        {"known path moves, others keep order", ListOf({"C:\\a", "C:\\b", "C:\\c"}), ListOf({}), "C:\\c",
         RecordResult::MovedToFront, {"C:\\c", "C:\\a", "C:\\b"}},
        {"case variant keeps the stored spelling", ListOf({"C:\\a", "C:\\Docs\\Report.txt"}), ListOf({}),
         "c:\\docs\\report.TXT", RecordResult::MovedToFront, {"C:\\Docs\\Report.txt", "C:\\a"}},
        {"locked path is not added", ListOf({"C:\\a"}), ListOf({"C:\\l"}), "C:\\L", RecordResult::Locked, {"C:\\a"}},
        {"in both lists it still moves", ListOf({"C:\\a", "C:\\l"}), ListOf({"C:\\l"}), "C:\\l",
         RecordResult::MovedToFront, {"C:\\l", "C:\\a"}},
        {"empty list", ListOf({}), ListOf({}), "C:\\x", RecordResult::Inserted, {"C:\\x"}},
    };
    for (Case& c : cases) {
        EXPECT_EQ(RecordRecentPath(c.list, c.locked, c.path, kAscii), c.result) << c.name;
        EXPECT_EQ(Items(c.list), c.after) << c.name;
    }
}

TEST(RecordRecentPath, TwiceLeavesOneEntryAndNoLimitIsApplied) {
    TStringList list, locked;
    for (int i = 0; i < 50; ++i) RecordRecentPath(list, locked, "C:\\f" + std::to_string(i), kAscii);
    RecordRecentPath(list, locked, "C:\\f7", kAscii);
    RecordRecentPath(list, locked, "C:\\F7", kAscii);
    EXPECT_EQ(list.Count(), 50);
    EXPECT_EQ(list[0], "C:\\f7");
    EXPECT_EQ(list[1], "C:\\f49");
}

TEST(IsRecordableProgram, Rules) {
    const std::string own = "C:\\Mivora\\Mivora.exe";
    struct Case {
        const char* path;
        bool recordable;
    } cases[] = {
        {"C:\\Apps\\editor.exe", true},
        {"C:\\Apps\\EDITOR.EXE", true},
        {"C:\\Mivora\\Mivora.exe", false},
        {"C:\\MIVORA\\MIVORA.EXE", true},  // the own-path test is exact, as the bar compares it
        {"C:\\WINDOWS\\rundll32.exe", false},
        {"C:\\WINDOWS\\RunDll32.EXE", false},
        {"C:\\WINDOWS\\RUNDLL.EXE", false},
        {"C:\\WINDOWS\\hh.exe", false},
        {"C:\\WINDOWS\\tapisrv.exe", false},
        {"C:\\WINDOWS\\spool32.exe", false},
        {"C:\\WINDOWS\\rnaapp.exe", false},
        {"C:\\WINDOWS\\command.com", false},
        {"C:\\dir.exe\\tool", false},
        {"C:\\Apps\\xhh.exe", true},
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsRecordableProgram(c.path, own), c.recordable) << c.path;
}

TEST(HookNotices, ClassifyAtomNameAndModuleLookup) {
    EXPECT_EQ(ClassifyHookNotice(-1), HookNotice::Path);
    EXPECT_EQ(ClassifyHookNotice(2), HookNotice::Window);
    EXPECT_EQ(ClassifyHookNotice(7), HookNotice::Ignored);
    EXPECT_EQ(ClassifyHookNotice(0), HookNotice::Ignored);
    EXPECT_EQ(ClassifyHookNotice(0xFFFFFFFFLL), HookNotice::Ignored);  // -1 only as a signed value

    std::string buf(256, '\0');
    buf.replace(0, 5, "C:\\ab");
    EXPECT_EQ(AtomNameFromBuffer(buf, 5), "C:\\ab");
    EXPECT_EQ(AtomNameFromBuffer(buf, 0), "");
    EXPECT_EQ(AtomNameFromBuffer(std::string(255, 'x') + '\0', 255), std::string(255, 'x'));
    EXPECT_EQ(AtomNameFromBuffer("abc", 99), "abc");  // never beyond the buffer

    EXPECT_TRUE(NeedsModuleLookup("notepad.exe"));
    EXPECT_FALSE(NeedsModuleLookup("C:\\WINDOWS\\NOTEPAD.EXE"));
    EXPECT_FALSE(NeedsModuleLookup(""));
}

}  // namespace
