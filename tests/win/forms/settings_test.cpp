#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/forms/IniFile.h"
#include "framework/win32/RegKey.h"
#include "framework/forms/Registry.h"
#include "tests/win/support/TestSupport.h"

namespace {
const char kTestKey[] = "Software\\MivoraTests\\Registry";

void CleanKey() {
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\MivoraTests\\Registry\\Sub");
    RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\MivoraTests");
}
}  // namespace

TEST(Registry, RootedAndRelativePathsOpenTheSameKeys) {
    CleanKey();
    {
        TRegistry reg;
        reg.RootKey = HKEY_CURRENT_USER;
        EXPECT_FALSE(reg.OpenKeyReadOnly(std::string("\\") + kTestKey));  // reading never creates
        ASSERT_TRUE(reg.OpenKey(std::string("\\") + kTestKey, true));
        reg.WriteString("Name", "value one");
        ASSERT_TRUE(reg.OpenKey("Sub", true));  // relative to the open key
        EXPECT_EQ(reg.CurrentPath(), std::string(kTestKey) + "\\Sub");
        reg.WriteString("Deep", "two");
    }
    TRegistry reg;
    reg.RootKey = HKEY_CURRENT_USER;
    ASSERT_TRUE(reg.OpenKeyReadOnly(kTestKey));
    EXPECT_EQ(reg.ReadString("Name"), "value one");
    EXPECT_EQ(reg.ReadString("Missing"), "");
    EXPECT_TRUE(reg.ValueExists("Name"));
    ASSERT_TRUE(reg.OpenKeyReadOnly("Sub"));
    EXPECT_EQ(reg.ReadString("Deep"), "two");
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\MivoraTests"));
    EXPECT_EQ(reg.GetKeyNames(), std::vector<std::string>{"Registry"});
    reg.CloseKey();
    CleanKey();
}

TEST(Registry, NonStringValuesRaiseAndUnterminatedStringsAreCut) {
    CleanKey();
    RegKey k;
    ASSERT_TRUE(k.Create(HKEY_CURRENT_USER, kTestKey, KEY_ALL_ACCESS));
    k.WriteDword("Number", 5);
    RegSetValueExA(k.Get(), "Raw", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3);  // no terminating zero
    const std::string big(5000, 'q');
    k.WriteString("Big", big);
    k.Close();
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(kTestKey));
    EXPECT_THROW(reg.ReadString("Number"), ERegistryException);
    EXPECT_EQ(reg.ReadString("Raw"), "abc");
    EXPECT_EQ(reg.ReadString("Big"), big);
    reg.CloseKey();
    CleanKey();
}

TEST(IniFile, ValuesRoundTripWithDefaultsForMissingAndMalformedEntries) {
    TempDir t;
    TIniFile ini(t.File("test.ini"));
    EXPECT_EQ(ini.ReadString("ToolBar", "Top", "dflt"), "dflt");
    ini.WriteInteger("ToolBar", "Top", -12);
    ini.WriteBool("Record", "Files", true);
    ini.WriteString("ToolBar", "Left", "not a number");
    const std::string longValue(3000, 'v');
    ini.WriteString("Long", "Value", longValue);
    EXPECT_EQ(ini.ReadInteger("ToolBar", "Top", 0), -12);
    EXPECT_EQ(ini.ReadInteger("ToolBar", "Left", 77), 77);
    EXPECT_TRUE(ini.ReadBool("Record", "Files", false));
    EXPECT_EQ(ini.ReadString("Long", "Value", ""), longValue);
    ini.UpdateFile();
    const std::string text = ReadFileBytes(t.File("test.ini"));
    EXPECT_NE(text.find("[ToolBar]"), std::string::npos);
    EXPECT_NE(text.find("Files=1"), std::string::npos);
}

TEST(IniFile, SectionsListKeysInFileOrderAndCanBeErased) {
    TempDir t;
    WriteFileBytes(t.File("g.ini"), "[appDoc]\r\nWriter=c:\\w.exe\r\nCalc=c:\\c.exe\r\n[User]\r\nMine=1\r\n");
    TIniFile ini(t.File("g.ini"));
    TStringList keys;
    ini.ReadSection("appDoc", keys);
    EXPECT_EQ(keys.Items(), (std::vector<std::string>{"Writer", "Calc"}));
    ini.ReadSectionValues("appDoc", keys);
    EXPECT_EQ(keys.Items(), (std::vector<std::string>{"Writer=c:\\w.exe", "Calc=c:\\c.exe"}));
    TStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections.Items(), (std::vector<std::string>{"appDoc", "User"}));
    EXPECT_TRUE(ini.ValueExists("appDoc", "calc"));
    ini.EraseSection("appDoc");
    EXPECT_FALSE(ini.SectionExists("appDoc"));
    EXPECT_TRUE(ini.SectionExists("User"));
    ini.DeleteKey("User", "Mine");
    EXPECT_FALSE(ini.SectionExists("User"));
}

// A settings file that can't be written (another program holds it, as a
// folder without write rights or a full disk would refuse it): every kind of
// write raises, so the caller's error report shows it.
TEST(IniFile, EveryFailedWriteRaises) {
    TempDir t;
    const std::string path = t.File("held.ini");
    WriteFileBytes(path, "[S]\r\nk=1\r\n");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("S", "k", 0), 1);
    const struct {
        const char* what;
        std::function<void()> write;
    } writes[] = {
        {"WriteString", [&] { ini.WriteString("S", "k", "2"); }},
        {"WriteInteger", [&] { ini.WriteInteger("S", "n", 2); }},
        {"EraseSection", [&] { ini.EraseSection("S"); }},
        {"DeleteKey", [&] { ini.DeleteKey("S", "k"); }},
    };
    for (const auto& w : writes) EXPECT_THROW(w.write(), EIniFileException) << w.what;
    CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(path), "[S]\r\nk=1\r\n");
    ini.DeleteKey("S", "k");
    EXPECT_FALSE(ini.ValueExists("S", "k"));
}
