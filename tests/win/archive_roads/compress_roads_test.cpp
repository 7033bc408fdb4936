// The unpack and pack-for-mail dialogs of the real Compress.dll beside the
// stand-in archivers, driven as the user works them: the commands the
// archivers receive, what lands on disk, what reaches the mail sender. The
// Road cases go the whole way from the context menu and leave their outputs
// for check_roads.sh, which reads them with Python and diff.
#include <gtest/gtest.h>

#include <cstdlib>

#include "DialogDriver.h"
#include "ExplorerTestSupport.h"
#include "RegKey.h"
#include "resource.h"

namespace {

using ExportFn = void (*)(HDROP);
using ArchiverFn = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);
const CLSID kNorquil = {0x18D67740, 0x19C0, 0x11D3, {0x9F, 0x2F, 0x00, 0x40, 0x05, 0x2E, 0xCF, 0x0B}};
const char kSettings[] = "Software\\Tamsel\\Compress";
const char kMivora[] = "software\\Keltor\\Mivora\\1.0";
const char* const kEnvironment[] = {"MIVORA_ARCHIVER_LOG", "MIVORA_PROBE_LOG", "TEMP", "TMP"};

std::string Environment(const char* name) {
    std::string value(32767, '\0');
    value.resize(GetEnvironmentVariableA(name, &value[0], DWORD(value.size())));
    return value;
}

class CompressRoads : public ::testing::Test {
protected:
    void SetUp() override {
        const char* artifacts = std::getenv("MIVORA_ARTIFACT_DIR");
        folder = artifacts ? std::string(artifacts) + "\\" : dir.Path();
        // A blank in the temporary folder: every path handed on must be quoted.
        for (int i = 0; i < 4; ++i) saved_[i] = Environment(kEnvironment[i]);
        const std::string values[] = {folder + "archivers.log", folder + "probe.log", temp(), temp()};
        for (int i = 0; i < 4; ++i) SetEnvironmentVariableA(kEnvironment[i], values[i].c_str());
        for (const char* sub : {"mail temp", "in", "prog dir", "docs", "docs\\sub"})
            CreateDirectoryA((folder + sub).c_str(), nullptr);
        RegDeleteTree(HKEY_CURRENT_USER, kSettings);
        RegWriteString(HKEY_LOCAL_MACHINE, kMivora, "RootDir", folder + "prog dir");
        RegWriteString(HKEY_CLASSES_ROOT, ".eml", "", "Mivora.TestMessage");
        RegWriteString(HKEY_CLASSES_ROOT, "Mivora.TestMessage\\shell\\open\\command", "",
                       "\"" + HostPathToWindows(LAUNCH_PROBE) + "\" \"%1\"");
    }
    void TearDown() override {
        for (int i = 0; i < 4; ++i) SetEnvironmentVariableA(kEnvironment[i], saved_[i].empty() ? nullptr : saved_[i].c_str());
        RegDeleteTree(HKEY_CURRENT_USER, kSettings);
    }
    std::string temp() const { return folder + "mail temp\\"; }
    void Setting(const char* section, const char* name, DWORD value) {
        RegKey key;
        ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, std::string(kSettings) + "\\" + section));
        key.WriteDword(name, value);
    }
    DWORD SettingOr(const char* section, const char* name, DWORD fallback) {
        RegKey key;
        DWORD value = fallback;
        if (key.Open(HKEY_CURRENT_USER, std::string(kSettings) + "\\" + section)) key.ReadDword(name, value);
        return value;
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
    void Archiver(const char* dll, const char* function, const std::string& command) {
        const Library library(DistFile(dll));
        ASSERT_EQ(0, library.Proc<ArchiverFn>(function)(nullptr, command.c_str(), nullptr, 0)) << command;
    }
    // Runs `ui` while the dialog `caption` gets `fill`, then OK; an error box
    // is answered and the dialog then cancelled. The boxes' texts come back.
    std::vector<std::string> Drive(const std::function<void()>& ui, const wchar_t* caption,
                                   const std::function<void(DialogDriver&, HWND)>& fill) {
        std::vector<std::string> boxes;
        const auto failures = RunDriven(ui, [&](DialogDriver& d) {
            HWND dialog = d.Expect(caption);
            if (!dialog) return;
            fill(d, dialog);
            d.Click(dialog, IDOK);
            if (d.WaitGone(dialog, 5000)) return;
            const std::wstring box = d.Answer(caption, IDOK);
            boxes.push_back(std::string(box.begin(), box.end()));
            d.Click(dialog, IDCANCEL);
        });
        for (const std::string& failure : failures) ADD_FAILURE() << failure;
        return boxes;
    }
    std::vector<std::string> Run(const char* exportName, const std::vector<std::string>& items, const wchar_t* caption,
                                 const std::function<void(DialogDriver&, HWND)>& fill) {
        ScopedDrop drop(MakeDrop(items));
        // Only the pack dialogs free the list they are given.
        HDROP given = std::string(exportName) == "CompressAndSendFiles" ? drop.Release() : drop.Get();
        return Drive([&] { compress.Proc<ExportFn>(exportName)(given); }, caption, fill);
    }

    TempDir dir;
    std::string folder;
    std::string saved_[4];
    SavedRegValue rootDir_{HKEY_LOCAL_MACHINE, kMivora, "RootDir"};
    Library compress{DistFile("Compress.dll")};
};

}  // namespace

TEST_F(CompressRoads, UnpacksEachArchiveByItsKindAndTellsAFailureOnce) {
    WriteFileBytes(folder + "docs\\sub\\a.txt", "alpha");
    WriteFileBytes(folder + "docs\\b.txt", "beta");
    WriteFileBytes(folder + "list.txt", "sub\\*.*\r\nb.txt\r\n");
    WriteFileBytes(folder + "members.txt", "b.txt\r\n");
    WriteFileBytes(folder + "in\\bad.zip", "not an archive");
    const std::string from = " \"" + folder + "docs\\\" \"@" + folder + "list.txt\"";
    Archiver("UNLHA32.dll", MAKEINTRESOURCEA(1), "u -c  -a1 -gn2 -jp1 -+ -rx -jm2 \"" + folder + "in\\pack\"" + from);
    Archiver("tar32.dll", "Tar", "-cz9 -f \"" + folder + "in\\data.tgz\" -o" + from);
    ASSERT_EQ(0, RunAndWait("\"" + DistFile("zip.exe") + "\" -r \"" + folder + "in\\data.Zip\" \"" + folder + "docs\\*.*\""));
    CopyFileA((folder + "in\\data.tgz").c_str(), (folder + "in\\data.gz").c_str(), FALSE);
    CreateDirectoryA((folder + "in\\x.zip").c_str(), nullptr);
    Taken("archivers.log");
    struct Case {
        const char* exportName;
        std::vector<std::string> items;  // "@" the test's folder
        DWORD usePath, onlyNew;
        const char* typed;  // the destination typed; null: as shown
        std::vector<std::string> commands;
        std::vector<std::pair<std::string, std::string>> files;  // "" for none there
        bool fails;
    };
    const Case cases[] = {
        {"UnPackFile", {"@in\\pack.lzh"}, 1, 0, "", {"Unlha e -xcm0 -gn2 -jp1 -+ \"@in\\pack.lzh\" \"@in\\\""},
         {{"in\\sub\\a.txt", "alpha"}, {"in\\b.txt", "beta"}}, false},
        {"UnPackFile", {"@in\\data.tgz", "@in\\data.Zip", "@in\\data.gz", "@in\\x.zip"}, 0, 1, "@flat",
         {"Tar --use-directory=0 -xvf \"@in\\data.tgz\" -o \"@flat\\\"", "UnZip -u -j \"@in\\data.Zip\" \"@flat\\\""},
         {{"flat\\a.txt", "alpha"}, {"flat\\b.txt", "beta"}, {"flat\\sub\\a.txt", ""}}, false},
        {"ExtractFile", {"@in\\pack.lzh", "@members.txt", "@chosen"}, 1, 0, nullptr,
         {"Unlha e -xcm0 -gn2 -jp1 -+ \"@in\\pack.lzh\" \"@chosen\\\" \"@@members.txt\""},
         {{"chosen\\b.txt", "beta"}, {"chosen\\sub\\a.txt", ""}}, false},
        {"UnPackFile", {"@in\\bad.zip"}, 1, 0, "@bad", {"UnZip -x \"@in\\bad.zip\" \"@bad\\\""}, {}, true},
    };
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, current);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commands[0]);
        Setting("UnPack", "UsePath", c.usePath);
        Setting("UnPack", "OnlyNew", c.onlyNew);
        std::vector<std::string> items;
        for (const std::string& item : c.items) items.push_back(folder + item.substr(1));
        const auto boxes = Run(c.exportName, items, L"Decompression", [&](DialogDriver& d, HWND dialog) {
            if (c.typed) d.SetText(dialog, IDC_DESTINATION, *c.typed ? folder + (c.typed + 1) : "");
            d.SetCheck(dialog, IDC_SERIAL, true);
        });
        EXPECT_EQ(Taken("archivers.log"), c.commands);
        EXPECT_EQ(boxes.size(), c.fails ? 1u : 0u);
        for (const auto& [file, content] : c.files) EXPECT_EQ(ReadFileBytes(folder + file), content) << file;
        // Kept only when every archive was unpacked; the caller's current folder stays.
        EXPECT_EQ(SettingOr("UnPack", "Serial", 0), c.fails ? 0u : 1u);
        char now[MAX_PATH] = "";
        GetCurrentDirectoryA(MAX_PATH, now);
        EXPECT_STREQ(now, current);
        RegDeleteTree(HKEY_CURRENT_USER, std::string(kSettings) + "\\UnPack");
    }
}

TEST_F(CompressRoads, PacksForMailIntoTheTemporaryFolderAndHandsTheArchiveOnQuoted) {
    ASSERT_TRUE(CopyFileA(HostPathToWindows(LAUNCH_PROBE).c_str(), (folder + "prog dir\\Brimo.exe").c_str(), FALSE));
    WriteFileBytes(folder + "docs\\report.txt", "report");
    WriteFileBytes(folder + "docs\\sub\\a.txt", "alpha");
    const std::string list = " \"@@mail temp\\~HV";  // the list's name is the system's choice
    struct Setting3 {
        const char* section;
        const char* key;
        DWORD value;
    };
    struct Case {
        std::vector<Setting3> settings;
        const char* typed;  // the archive's name typed; null: as shown
        bool rootDir;
        std::string command;  // its start
        std::string archive;  // made, and handed to Brimo when there is a RootDir
    };
    const Case cases[] = {
        // "Move files" never moves on the mail road.
        {{{"Lzh1", "Move", 1}}, nullptr, true,
         "Unlha u -c  -a1 -gn2 -jp1 -+ -rx -jm2 \"@mail temp\\report.lzh\" \"\"" + list, "@mail temp\\report.lzh"},
        {{{"Send", "CurSel", 1}, {"Tar1", "GZip", 1}, {"Tar1", "radio1", 1}}, nullptr, true,
         "Tar --use-directory=0 -cz9 -f \"@mail temp\\report.tgz\"" + list, "@mail temp\\report.tgz"},
        // A name typed counts; a file of an earlier mail under it is replaced, not added to.
        {{{"Send", "CurSel", 2}, {"Zip1", "SelfExtract", 1}}, "Mail for Ann", true,
         "zip.exe zip -r  \"@mail temp\\Mail for Ann.zip\"  \"@docs\\report.txt\"  \"@docs\\sub\\*.*\" ",
         "@mail temp\\Mail for Ann.exe"},
        {{}, nullptr, false, "Unlha u -c ", "@mail temp\\report.lzh"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        for (const Setting3& s : c.settings) Setting(s.section, s.key, s.value);
        if (!c.rootDir) RegDeleteValueIfAny(HKEY_LOCAL_MACHINE, kMivora, "RootDir");
        WriteFileBytes(temp() + "Mail for Ann.zip", "an earlier mail's archive");
        const auto boxes = Run("CompressAndSendFiles", {folder + "docs\\report.txt", folder + "docs\\sub"},
                               L"Compress and Email", [&](DialogDriver& d, HWND dialog) {
                                   if (c.typed) d.SetText(dialog, IDC_ARCHIVE_PATH, c.typed);
                               });
        EXPECT_TRUE(boxes.empty());
        const auto commands = Taken("archivers.log");
        ASSERT_FALSE(commands.empty());
        EXPECT_EQ(commands[0].substr(0, c.command.size()), c.command);
        EXPECT_NE(GetFileAttributesA((folder + c.archive.substr(1)).c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(GetFileAttributesA((temp() + "Mail for Ann.zip").c_str()) != INVALID_FILE_ATTRIBUTES, !c.typed);
        if (c.rootDir) {
            EXPECT_TRUE(PumpUntil([&] { return !ReadFileBytes(folder + "probe.log").empty(); }, 10000));
        }
        EXPECT_EQ(Taken("probe.log"),
                  c.rootDir ? std::vector<std::string>{"@prog dir\\Brimo.exe\t" + c.archive} : std::vector<std::string>{});
        EXPECT_EQ(SettingOr("Send", "CurSel", 9), c.settings.empty() || c.settings[0].key != std::string("CurSel") ? 0u : c.settings[0].value);
        EXPECT_EQ(ReadFileBytes(folder + "docs\\report.txt"), "report");
        EXPECT_EQ(ReadFileBytes(folder + "docs\\sub\\a.txt"), "alpha");
        RegDeleteTree(HKEY_CURRENT_USER, kSettings);
    }
}

// From selected files to the message opened by the program registered for
// .eml, and from a `zip -r` archive to its tree: the outputs stay in
// MIVORA_ARTIFACT_DIR for check_roads.sh.
TEST_F(CompressRoads, FromTheContextMenu) {
    if (!std::getenv("MIVORA_ARTIFACT_DIR")) GTEST_SKIP() << "MIVORA_ARTIFACT_DIR not set";
    const std::string dist = DistFile("");
    RegWriteString(HKEY_LOCAL_MACHINE, kMivora, "RootDir", dist.substr(0, dist.size() - 1));
    Setting("Send", "CurSel", 2);
    const Library norquil(DistFile("Norquil.dll"));
    struct Step {
        UINT command;  // Compress and Email, Decompress
        const char* selected;
        const wchar_t* caption;
    };
    for (const Step& step : {Step{4, "src", L"Compress and Email"}, Step{1, "info.zip", L"Decompression"}}) {
        ComPtr<IDataObject> data;
        ComPtr<IShellExtInit> init;
        ComPtr<IContextMenu> menu;
        ASSERT_EQ(S_OK, ShellDataObject(folder, {step.selected}, data));
        ASSERT_EQ(S_OK, CreateFromLibrary(norquil, kNorquil, IID_IShellExtInit, init));
        ASSERT_EQ(S_OK, init->QueryInterface(IID_IContextMenu, menu.ReceiveVoid()));
        ASSERT_EQ(S_OK, init->Initialize(nullptr, data.Get(), nullptr));
        const ScopedMenu shell(CreatePopupMenu());
        menu->QueryContextMenu(shell.Get(), 0, 100, 200, CMF_NORMAL);
        CMINVOKECOMMANDINFO info{};
        info.cbSize = sizeof info;
        info.lpVerb = MAKEINTRESOURCEA(step.command);
        info.nShow = SW_SHOWNORMAL;
        EXPECT_TRUE(Drive([&] { EXPECT_EQ(S_OK, menu->InvokeCommand(&info)); }, step.caption,
                          [&](DialogDriver& d, HWND dialog) {
                              if (step.command == 1) d.SetText(dialog, IDC_DESTINATION, folder + "unzipped");
                          }).empty());
    }
    EXPECT_TRUE(PumpUntil([&] { return !ReadFileBytes(folder + "probe.log").empty(); }, 20000));
    EXPECT_EQ(Taken("probe.log"), std::vector<std::string>{HostPathToWindows(LAUNCH_PROBE) + "\t@mail temp\\temp.eml"});
}
