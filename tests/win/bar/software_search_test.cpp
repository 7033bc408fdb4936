// The software search filing from a table of known programs beside a bar
// folder of this test.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "framework/forms/IniFile.h"
#include "main/bar/core/KnownPrograms.h"
#include "tests/win/support/TestSupport.h"
#include "main/bar/getexe.h"
#include "main/bar/mainfrm.h"

using namespace bar;

namespace {

TEST(SoftwareSearch, RecordsPastTheFirstMebibyteAreFiled) {
    TempDir dir;
    SetBarFolder(dir.Path());
    if (!LinkNames) LinkNames = std::make_unique<TStringList>();
    if (!LinkTargets) LinkTargets = std::make_unique<TStringList>();
    const std::uint32_t at = (1u << 20) + 16;  // where letter F's records start
    std::string index(kKnownIndexSize, '\0');
    for (int i = 0; i < 4; ++i) index[6 * 4 + i] = static_cast<char>(at >> (8 * i));
    WriteFileBytes(dir.File("qapp.idx"), index);
    WriteFileBytes(dir.File("qapp.dat"), std::string(at, '\0') + std::string("FAR.EXE 5 Far Game\0", 19));
    CreateDirectoryA(dir.File("progs").c_str(), nullptr);
    WriteFileBytes(dir.File("progs\\far.exe"), "");
    const std::unique_ptr<TgetexeFrm> form(TForm::Create<TgetexeFrm>(nullptr));
    form->Timer1->SetEnabled(false);
    form->SearchRoots({dir.File("progs\\")});
    EXPECT_EQ(TIniFile(dir.File("mivora.ini")).ReadString("appGame", "Far Game", ""), dir.File("progs\\far.exe"));
    SetBarFolder("");
}

}  // namespace
