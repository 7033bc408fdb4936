// The application-group edits over the system's profile functions on a real
// "mivora.ini": the same table as the native run over the in-memory file, so
// each case also proves the two agree byte for byte.
#include <gtest/gtest.h>

#include "tests/native/AppGroupCases.h"
#include "framework/forms/IniFile.h"
#include "framework/win32/LeadByte.h"
#include "tests/win/support/TestSupport.h"

using namespace bar;

TEST(AppGroupProfile, EditsOverTheProfileFunctions) {
    for (const AppGroupCase& c : AppGroupCases()) {
        TempDir dir;
        const std::string path = dir.File("mivora.ini");
        WriteFileBytes(path, c.before);
        {
            TIniFile ini(path);
            TAppGroupStore store(ini, SystemLeadByte);
            EXPECT_EQ(c.run(store), c.answers) << c.name;
            ini.UpdateFile();
        }
        EXPECT_EQ(ReadFileBytes(path), c.after) << c.name;
    }
}
