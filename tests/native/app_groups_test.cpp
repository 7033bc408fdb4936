#include <gtest/gtest.h>

#include "tests/native/AppGroupCases.h"

using namespace bar;

TEST(AppGroupStore, EditsOverTheInMemoryFile) {
    for (const AppGroupCase& c : AppGroupCases()) {
        TIniText ini(c.before);
        TAppGroupStore store(ini, Cp932LeadByte);
        EXPECT_EQ(c.run(store), c.answers) << c.name;
        EXPECT_EQ(ini.Text(), c.after) << c.name;
    }
}

TEST(AppGroupStore, SectionsByGroupPlace) {
    TIniText ini("[User]\r\nWeb=\r\nrecord=\r\n");
    TAppGroupStore store(ini, Cp932LeadByte);
    const struct {
        int index;
        const char* section;
    } rows[] = {{-1, ""}, {0, "appDoc"}, {8, "appMisc"}, {9, "Web"}, {10, ""}, {11, ""}};
    for (const auto& r : rows) EXPECT_EQ(store.SectionOf(r.index), r.section) << r.index;
    // A trail byte of code page 932 that looks like "]" is part of its character.
    EXPECT_EQ(store.NewGroup("\x83\x5D"), AppEdit::Done);
}

TEST(AppGroupStore, AssociatedProgramsAreListedOnceWithoutTheAppletRunner) {
    const std::vector<std::string> listed = {"C:\\t\\app.exe"};
    const struct {
        const char* program;
        bool listable;
    } rows[] = {{"", false},
                {"C:\\t\\app.exe", false},
                {"c:\\t\\APP.exe", true},  // the same file in other letters is listed again
                {"C:\\Windows\\system32\\RunDll32.exe", false},
                {"C:\\t\\other.exe", true}};
    for (const auto& r : rows) EXPECT_EQ(IsListableAssociation(r.program, listed, Cp932LeadByte), r.listable) << r.program;
}
