#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "main/components/Funcs.h"
#include "framework/win32/RegKey.h"
#include "framework/forms/Registry.h"
#include "framework/forms/SysUtils.h"
#include "tests/win/support/TestSupport.h"
#include "framework/win32/WideText.h"

using namespace components;

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

void SetRegString(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
    RegKey k;
    ASSERT_TRUE(k.Create(root, key, KEY_ALL_ACCESS));
    k.WriteString(name, value);
}

// A shortcut to a namespace object that has no file-system path.
void MakeFolderShortcut(const std::string& link, int csidl) {
    IShellLinkA* sl = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                               reinterpret_cast<void**>(&sl)),
              S_OK);
    LPITEMIDLIST list = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, csidl, &list), S_OK);
    sl->SetIDList(list);
    CoTaskMemFree(list);
    IPersistFile* pf = nullptr;
    sl->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pf));
    EXPECT_EQ(pf->Save(WideFromAnsi(link).c_str(), TRUE), S_OK);
    pf->Release();
    sl->Release();
}

}  // namespace

TEST(Funcs, ShellFolderIsCreatedWhenMissingAndReturnedAsStored) {
    TempDir t;
    SavedRegValue saved(HKEY_CURRENT_USER, kShellFolders, "MivoraTest");
    const std::string path = t.File("a\\b\\c");
    SetRegString(HKEY_CURRENT_USER, kShellFolders, "MivoraTest", path);
    EXPECT_EQ(GetShellFolder("MivoraTest"), path);
    EXPECT_TRUE(DirectoryExists(path));
}

TEST(Funcs, ShellFolderWithoutAValueOrOfTheWrongTypeRaises) {
    SavedRegValue saved(HKEY_CURRENT_USER, kShellFolders, "MivoraTest");
    RegKey shellFolders;
    ASSERT_TRUE(shellFolders.Open(HKEY_CURRENT_USER, kShellFolders, KEY_ALL_ACCESS));
    shellFolders.DeleteValue("MivoraTest");
    try {
        GetShellFolder("MivoraTest");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Unable to create directory");
    }
    shellFolders.WriteDword("MivoraTest", 7);
    EXPECT_THROW(GetShellFolder("MivoraTest"), ERegistryException);
}

TEST(Funcs, TheStandardShellFoldersExist) {
    for (const char* name : {"Recent", "Programs", "Desktop", "Favorites"}) {
        const std::string p = GetShellFolder(name);
        EXPECT_FALSE(p.empty()) << name;
        EXPECT_TRUE(DirectoryExists(p)) << name;
    }
}

TEST(Funcs, LinkTargetReadsBackWhatWasStoredAndNothingFromBadFiles) {
    TempDir t;
    const std::string target = t.File("target.txt");
    WriteFileBytes(target, "t");
    ASSERT_TRUE(MakeShortcut(t.File("good.lnk"), target));
    EXPECT_EQ(GetLinkTarget(t.File("good.lnk")), target);

    EXPECT_EQ(GetLinkTarget(t.File("missing.lnk")), "");
    WriteFileBytes(t.File("noise.lnk"), std::string("\x4c\x00\x00\x00garbage that is no shortcut", 31));
    EXPECT_EQ(GetLinkTarget(t.File("noise.lnk")), "");
    EXPECT_EQ(GetLinkTarget(t.File(std::string(300, 'x') + ".lnk")), "");
}

// One reader over many shortcuts answers each as GetLinkTarget would: what a
// shortcut read before it held never shows through a failed or pathless one.
TEST(Funcs, OneShortcutReaderAnswersEveryShortcutOnItsOwn) {
    TempDir t;
    const std::string a = t.File("a.txt"), b = t.File("b.txt");
    WriteFileBytes(a, "a");
    WriteFileBytes(b, "b");
    ASSERT_TRUE(MakeShortcut(t.File("a.lnk"), a));
    ASSERT_TRUE(MakeShortcut(t.File("b.lnk"), b));
    MakeFolderShortcut(t.File("controls.lnk"), CSIDL_CONTROLS);
    WriteFileBytes(t.File("noise.lnk"), std::string("\x4c\x00\x00\x00garbage that is no shortcut", 31));
    const std::string tooLong = t.File(std::string(300, 'x') + ".lnk");
    const struct {
        std::string link, target;
    } reads[] = {
        {t.File("a.lnk"), a},        {t.File("noise.lnk"), ""},   {t.File("b.lnk"), b},
        {t.File("controls.lnk"), ""}, {t.File("a.lnk"), a},        {t.File("missing.lnk"), ""},
        {tooLong, ""},               {t.File("b.lnk"), b},        {t.File("controls.lnk"), ""},
    };
    TShortcutReader reader;
    for (const auto& r : reads) {
        EXPECT_EQ(reader.Target(r.link), r.target) << r.link;
        EXPECT_EQ(GetLinkTarget(r.link), r.target) << r.link;
    }
}

TEST(Funcs, PruneRemovesOnlyMissingEntriesAndSavesBesideTheProgram) {
    TempDir t;
    WriteFileBytes(t.File("file.txt"), "f");
    CreateDirectoryA(t.File("folder").c_str(), nullptr);
    const std::string listFile = "prune_test.lst";
    const std::string saved = ProgramFolder() + listFile;
    DeleteFileA(saved.c_str());

    TStringList all;
    all.Add(t.File("file.txt"));
    all.Add(t.File("folder"));
    EXPECT_FALSE(PruneMissingPaths(all, listFile));
    EXPECT_FALSE(FileExists(saved));

    TStringList list;
    list.Add(t.File("gone1.txt"));
    list.Add(t.File("file.txt"));
    list.Add(t.File("gone2"));
    list.Add(t.File("folder"));
    EXPECT_TRUE(PruneMissingPaths(list, listFile));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(ReadFileBytes(saved), t.File("file.txt") + "\r\n" + t.File("folder") + "\r\n");
    DeleteFileA(saved.c_str());

    TStringList unnamed;
    unnamed.Add(t.File("gone.txt"));
    EXPECT_TRUE(PruneMissingPaths(unnamed, ""));
    EXPECT_EQ(unnamed.Count(), 0);
}

namespace {
// Pixels that are no longer white, inside and outside the 16x16 corner.
void CountDrawn(TBitmap& b, int& inside, int& outside) {
    inside = outside = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) != RGB(255, 255, 255)) ++((x < 16 && y < 16) ? inside : outside);
}
}  // namespace

TEST(Funcs, FileIconsAreDrawnInTheRequestedSize) {
    TempDir t;
    WriteFileBytes(t.File("doc.txt"), "text");
    TBitmap small, large, none;
    for (TBitmap* b : {&small, &large, &none}) b->SetSize(32, 32);
    DrawFileIcon(t.File("doc.txt"), small, true);
    DrawFileIcon(t.File("doc.txt"), large, false);
    DrawFileIcon(t.File("missing.txt"), none, false);
    int in = 0, out = 0;
    CountDrawn(small, in, out);
    EXPECT_GT(in, 0);
    EXPECT_EQ(out, 0);
    CountDrawn(large, in, out);
    EXPECT_GT(out, 0);
    CountDrawn(none, in, out);
    EXPECT_EQ(in + out, 0);
}

TEST(Funcs, DriverDescriptionComesFromTheClassFirstDevice) {
    const std::string key = "System\\CurrentControlSet\\Services\\Class\\MivoraTestClass";
    SetRegString(HKEY_LOCAL_MACHINE, key + "\\0000", "DriverDesc", "Test Display Adapter");
    SetRegString(HKEY_LOCAL_MACHINE, key + "\\0001", "DriverDesc", "Second");
    EXPECT_EQ(GetDriverDesc("MivoraTestClass"), "Test Display Adapter");
    EXPECT_EQ(GetDriverDesc("MivoraNoSuchClass"), "");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (key + "\\0000").c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (key + "\\0001").c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
}
