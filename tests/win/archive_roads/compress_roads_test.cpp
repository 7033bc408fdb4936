// The unpack and pack-for-mail dialogs of the real Compress.dll beside the
// stand-in archivers, driven as the user works them: the commands the
// archivers receive, what lands on disk, what reaches the mail sender. The
// road from the context menu leaves its outputs for check_roads.sh.
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/win/support/DialogDriver.h"
#include "tests/win/explorer/ExplorerTestSupport.h"
#include "archive/resource.h"

namespace {

using ArchiverFn = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);
const CLSID kNorquil = {0x18D67740, 0x19C0, 0x11D3, {0x9F, 0x2F, 0x00, 0x40, 0x05, 0x2E, 0xCF, 0x0B}};
const char kMivora[] = "software\\Keltor\\Mivora\\1.0";
const std::string kSettings = "Software\\Tamsel\\Compress\\";

void Set(const char* section, const char* key, DWORD value) {
    SHSetValueA(HKEY_CURRENT_USER, (kSettings + section).c_str(), key, REG_DWORD, &value, sizeof value);
}

DWORD Get(const char* section, const char* key) {
    DWORD value = 99, size = sizeof value;
    SHGetValueA(HKEY_CURRENT_USER, (kSettings + section).c_str(), key, nullptr, &value, &size);
    return value;
}

class CompressRoads : public ::testing::Test {
protected:
    void SetUp() override {
        const char* artifacts = std::getenv("MIVORA_ARTIFACT_DIR");
        folder = artifacts ? std::string(artifacts) + "\\" : dir.Path();
        // A blank in the temporary folder: every path handed on must be quoted.
        for (const char* name : {"TEMP", "TMP"}) SetEnvironmentVariableA(name, (folder + "mail temp\\").c_str());
        SetEnvironmentVariableA("MIVORA_ARCHIVER_LOG", (folder + "archivers.log").c_str());
        SetEnvironmentVariableA("MIVORA_PROBE_LOG", (folder + "probe.log").c_str());
        for (const char* sub : {"mail temp", "in", "prog dir", "docs", "docs\\sub"})
            CreateDirectoryA((folder + sub).c_str(), nullptr);
        RegDeleteTree(HKEY_CURRENT_USER, kSettings);
        RegWriteString(HKEY_LOCAL_MACHINE, kMivora, "RootDir", folder + "prog dir");
        RegWriteString(HKEY_CLASSES_ROOT, ".eml", "", "Mivora.TestMessage");
        RegWriteString(HKEY_CLASSES_ROOT, "Mivora.TestMessage\\shell\\open\\command", "",
                       "\"" + HostPathToWindows(LAUNCH_PROBE) + "\" \"%1\"");
    }
    void TearDown() override {
        for (const char* name : {"TEMP", "TMP"}) SetEnvironmentVariableA(name, realTemp_.c_str());
    }
    // The lines a log gained since the last look, "@" standing for the test's folder.
    std::vector<std::string> Taken(const char* log) {
        std::string text = ReadFileBytes(folder + log);
        DeleteFileA((folder + log).c_str());
        for (std::size_t at; (at = text.find(folder)) != std::string::npos;) text.replace(at, folder.size(), "@");
        std::vector<std::string> lines;
        for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(text.substr(start, end - start));
        return lines;
    }
    // Runs `ui` while the dialog `caption` gets `fill` and OK; an error box
    // is answered, then the dialog cancelled. The boxes' count comes back,
    // the last one's text in `told`.
    std::size_t Drive(const std::function<void()>& ui, const wchar_t* caption,
                      const std::function<void(DialogDriver&, HWND)>& fill) {
        std::size_t boxes = 0;
        for (const std::string& failure : RunDriven(ui, [&](DialogDriver& d) {
                 HWND dialog = d.Expect(caption);
                 if (!dialog) return;
                 fill(d, dialog);
                 d.Click(dialog, IDOK);
                 if (d.WaitGone(dialog, 5000)) return;
                 const std::wstring text = d.Answer(caption, IDOK);
                 told.assign(text.begin(), text.end());
                 boxes += !text.empty();
                 d.Click(dialog, IDCANCEL);
             }))
            ADD_FAILURE() << failure;
        return boxes;
    }
    std::size_t Run(const char* name, const std::vector<std::string>& items, const wchar_t* caption,
                    const std::function<void(DialogDriver&, HWND)>& fill) {
        ScopedDrop drop(MakeDrop(items));
        // Only the pack dialogs free the list they are given.
        HDROP given = std::string(name) == "CompressAndSendFiles" ? drop.Release() : drop.Get();
        return Drive([&] { compress.Proc<void (*)(HDROP)>(name)(given); }, caption, fill);
    }

    TempDir dir;
    std::string folder, told;
    const std::string realTemp_ = dir.Path().substr(0, dir.Path().rfind('\\', dir.Path().size() - 2) + 1);
    SavedRegValue rootDir_{HKEY_LOCAL_MACHINE, kMivora, "RootDir"};
    Library compress{DistFile("Compress.dll")};
};

}  // namespace

TEST_F(CompressRoads, UnpacksEachArchiveByItsKindAndTellsAFailureOnce) {
    WriteFileBytes(folder + "docs\\sub\\a.txt", "alpha");
    WriteFileBytes(folder + "docs\\b.txt", "beta");
    WriteFileBytes(folder + "list.txt", "sub\\*.*\r\nb.txt\r\n");
    WriteFileBytes(folder + "members.txt", "b.txt\r\n");
    const std::string sources = " \"" + folder + "docs\\\" \"@" + folder + "list.txt\"";
    const Library unlha(DistFile("UNLHA32.dll")), tar(DistFile("tar32.dll"));
    const std::string lzh = "u -rx -jm2 \"" + folder + "in\\pack\"" + sources;
    const std::string tgz = "-cz9 -f \"" + folder + "in\\data.tgz\" -o" + sources;
    ASSERT_EQ(0, unlha.Proc<ArchiverFn>(MAKEINTRESOURCEA(1))(nullptr, lzh.c_str(), nullptr, 0));
    ASSERT_EQ(0, tar.Proc<ArchiverFn>("Tar")(nullptr, tgz.c_str(), nullptr, 0));
    ASSERT_EQ(
        0, RunAndWait("\"" + DistFile("zip.exe") + "\" -r \"" + folder + "in\\data.Zip\" \"" + folder + "docs\\*.*\""));
    // Every member's CRC wrong: the message names the archive, a member and the kind.
    std::string bad = ReadFileBytes(folder + "in\\data.Zip");
    for (std::size_t at = 0; (at = bad.find("PK\x01\x02", at)) != std::string::npos; at += 4) bad[at + 16] ^= 1;
    WriteFileBytes(folder + "in\\bad.zip", bad);
    CopyFileA((folder + "in\\data.tgz").c_str(), (folder + "in\\data.gz").c_str(), FALSE);
    CreateDirectoryA((folder + "in\\x.zip").c_str(), nullptr);
    Taken("archivers.log");
    const struct {
        const char* exportName;
        std::vector<std::string> items;  // in the test's folder
        DWORD usePath, onlyNew;
        const char* typed;  // the destination typed; null: as shown
        std::vector<std::string> commands;
        std::vector<std::pair<std::string, std::string>> files;  // "" for none there
    } cases[] = {
        {"UnPackFile",
         {"in\\data.tgz", "in\\data.Zip", "in\\data.gz", "in\\x.zip"},
         0,
         1,
         "flat",
         {"Tar --use-directory=0 -xvf \"@in\\data.tgz\" -o \"@flat\\\"", "UnZip -u -j \"@in\\data.Zip\" \"@flat\\\""},
         {{"flat\\a.txt", "alpha"}, {"flat\\b.txt", "beta"}, {"flat\\sub\\a.txt", ""}}},
        {"ExtractFile",
         {"in\\pack.lzh", "members.txt", "chosen"},
         1,
         0,
         nullptr,
         {"Unlha e -xcm0 -gn2 -jp1 -+ \"@in\\pack.lzh\" \"@chosen\\\" \"@@members.txt\""},
         {{"chosen\\b.txt", "beta"}, {"chosen\\sub\\a.txt", ""}}},
        {"UnPackFile", {"in\\bad.zip"}, 1, 0, "bad", {"UnZip -x \"@in\\bad.zip\" \"@bad\\\""}, {}},
    };
    char current[MAX_PATH] = "", now[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, current);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commands[0]);
        Set("UnPack", "UsePath", c.usePath);
        Set("UnPack", "OnlyNew", c.onlyNew);
        std::vector<std::string> items;
        for (const std::string& item : c.items) items.push_back(folder + item);
        const bool fails = c.files.empty();
        EXPECT_EQ(fails ? 1u : 0u, Run(c.exportName, items, L"Decompression", [&](DialogDriver& d, HWND dialog) {
                      if (c.typed) d.SetText(dialog, IDC_DESTINATION, folder + c.typed);
                      d.SetCheck(dialog, IDC_SERIAL, true);
                  }));
        EXPECT_TRUE(!fails || (told.find(items[0]) == 0 && told.find("\nCRC error: ") != std::string::npos)) << told;
        EXPECT_EQ(Taken("archivers.log"), c.commands);
        for (const auto& [file, content] : c.files) EXPECT_EQ(ReadFileBytes(folder + file), content) << file;
        // Kept only when every archive was unpacked; the caller's current folder stays.
        EXPECT_EQ(Get("UnPack", "Serial"), fails ? 99u : 1u);
        RegDeleteTree(HKEY_CURRENT_USER, kSettings + "UnPack");
        GetCurrentDirectoryA(MAX_PATH, now);
        EXPECT_STREQ(now, current);
    }
}

TEST_F(CompressRoads, PacksForMailIntoTheTemporaryFolderAndHandsTheArchiveOnQuoted) {
    ASSERT_TRUE(CopyFileA(HostPathToWindows(LAUNCH_PROBE).c_str(), (folder + "prog dir\\Brimo.exe").c_str(), FALSE));
    WriteFileBytes(folder + "docs\\report.txt", "report");
    WriteFileBytes(folder + "docs\\sub\\a.txt", "alpha");
    const std::string list = " \"@@mail temp\\~HV";  // the list's name is the system's choice
    const struct {
        DWORD tab;
        std::vector<std::tuple<const char*, const char*, DWORD>> settings;
        const char* typed;  // the archive's name typed; null: as shown
        bool rootDir;
        std::string command;  // its start
        std::string archive;  // made, and handed to Brimo when there is a RootDir
    } cases[] = {
        // "Move files" never moves on the mail road.
        {0,
         {{"Lzh1", "Move", 1}},
         nullptr,
         true,
         "Unlha u -c  -a1 -gn2 -jp1 -+ -rx -jm2 \"@mail temp\\report.lzh\" \"\"" + list,
         "@mail temp\\report.lzh"},
        // A name typed counts, its dot too; a file of an earlier mail under it is replaced, not added to.
        {2,
         {{"Zip1", "SelfExtract", 1}},
         "For Ann v1.2",
         true,
         "zip.exe zip -r  \"@mail temp\\For Ann v1.2.zip\"  \"@docs\\report.txt\"  \"@docs\\sub\\*.*\" ",
         "@mail temp\\For Ann v1.2.exe"},
        {0, {}, nullptr, false, "Unlha u -c ", "@mail temp\\report.lzh"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        Set("Send", "CurSel", c.tab);
        for (const auto& [section, key, value] : c.settings) Set(section, key, value);
        if (!c.rootDir) RegDeleteValueIfAny(HKEY_LOCAL_MACHINE, kMivora, "RootDir");
        WriteFileBytes(folder + "mail temp\\For Ann v1.2.zip", "an earlier mail's archive");
        EXPECT_EQ(0u, Run("CompressAndSendFiles", {folder + "docs\\report.txt", folder + "docs\\sub"},
                          L"Compress and Email", [&](DialogDriver& d, HWND dialog) {
                              if (c.typed) d.SetText(dialog, IDC_ARCHIVE_PATH, c.typed);
                          }));
        const auto commands = Taken("archivers.log");
        EXPECT_EQ(commands.empty() ? "" : commands[0].substr(0, c.command.size()), c.command);
        EXPECT_FALSE(ReadFileBytes(folder + c.archive.substr(1)).empty());
        EXPECT_EQ(ReadFileBytes(folder + "mail temp\\For Ann v1.2.zip").empty(), c.typed != nullptr);
        EXPECT_TRUE(!c.rootDir || PumpUntil([&] { return !ReadFileBytes(folder + "probe.log").empty(); }, 10000));
        EXPECT_EQ(Taken("probe.log"), c.rootDir ? std::vector<std::string>{"@prog dir\\Brimo.exe\t" + c.archive}
                                                : std::vector<std::string>{});
        EXPECT_EQ(Get("Send", "CurSel"), c.tab);
        EXPECT_EQ(ReadFileBytes(folder + "docs\\report.txt") + ReadFileBytes(folder + "docs\\sub\\a.txt"),
                  "reportalpha");
        RegDeleteTree(HKEY_CURRENT_USER, kSettings);
    }
}

// From the selection to the message opened by the program registered for
// .eml, and from a `zip -r` archive to its tree, through the real context
// menu, library and mail sender; check_roads.sh reads what they leave.
TEST_F(CompressRoads, FromTheContextMenu) {
    if (!std::getenv("MIVORA_ARTIFACT_DIR")) GTEST_SKIP() << "MIVORA_ARTIFACT_DIR not set";
    const std::string dist = DistFile("");
    RegWriteString(HKEY_LOCAL_MACHINE, kMivora, "RootDir", dist.substr(0, dist.size() - 1));
    Set("Send", "CurSel", 2);
    const Library norquil(DistFile("Norquil.dll"));
    // Compress and Email, then Decompress.
    for (const auto& [command, selected] : {std::pair<UINT, const char*>{4, "src"}, {1, "info.zip"}}) {
        ComPtr<IDataObject> data;
        ComPtr<IShellExtInit> init;
        ComPtr<IContextMenu> menu;
        ASSERT_EQ(S_OK, ShellDataObject(folder, {selected}, data));
        ASSERT_EQ(S_OK, CreateFromLibrary(norquil, kNorquil, IID_IShellExtInit, init));
        ASSERT_EQ(S_OK, init->QueryInterface(IID_IContextMenu, menu.ReceiveVoid()));
        ASSERT_EQ(S_OK, init->Initialize(nullptr, data.Get(), nullptr));
        const ScopedMenu shell(CreatePopupMenu());
        menu->QueryContextMenu(shell.Get(), 0, 100, 200, CMF_NORMAL);
        CMINVOKECOMMANDINFO info{};
        info.cbSize = sizeof info;
        info.lpVerb = MAKEINTRESOURCEA(command);
        EXPECT_EQ(0u, Drive([&] { EXPECT_EQ(S_OK, menu->InvokeCommand(&info)); },
                            command == 1 ? L"Decompression" : L"Compress and Email",
                            [&](DialogDriver& d, HWND dialog) {
                                if (command == 1) d.SetText(dialog, IDC_DESTINATION, folder + "unzipped");
                            }));
    }
    EXPECT_TRUE(PumpUntil([&] { return !ReadFileBytes(folder + "probe.log").empty(); }, 20000));
    EXPECT_EQ(Taken("probe.log"), std::vector<std::string>{HostPathToWindows(LAUNCH_PROBE) + "\t@mail temp\\temp.eml"});
}
