// The archive library under Wine. The real Compress.dll is loaded by full
// path and its exports are handed a private copy of the dropped-file list,
// as the context menu does; the pack dialog is driven from a second thread,
// and a watcher answers and records every message box. The archives of the
// Artifacts tests are read by Debian's tools afterwards (check_outputs.sh).
#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "archive/CompressApp.h"
#include "tests/win/support/DialogDriver.h"
#include "tests/win/support/DialogKitTest.h"
#include "archive/Exports.h"
#include "framework/win32/ScopedHandle.h"
#include "archive/resource.h"

namespace {

using ExportFn = void (*)(HDROP);
const wchar_t kCaption[] = L"Compression";
const char kProfile[] = "Software\\Tamsel\\Compress";

std::string Dist(const std::string& name) { return std::string(MIVORA_DIST_DIR) + "\\" + name; }

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void SetProfile(const std::string& section, const std::string& key, DWORD value) {
    SHSetValueA(HKEY_CURRENT_USER, (std::string(kProfile) + "\\" + section).c_str(), key.c_str(), REG_DWORD, &value,
                sizeof value);
}

long long ProfileValue(const std::string& section, const std::string& key) {
    DWORD value = 0, size = sizeof value, type = 0;
    if (SHGetValueA(HKEY_CURRENT_USER, (std::string(kProfile) + "\\" + section).c_str(), key.c_str(), &type, &value,
                    &size) != ERROR_SUCCESS)
        return -1;
    return value;
}

struct Setting {
    const char* section;
    const char* key;
    DWORD value;
};

// What one run of the pack dialog showed: the message boxes (each answered
// with OK) and whether OK closed the dialog; one left open is cancelled.
struct PackOutcome {
    std::vector<std::wstring> boxes;
    bool closedByOk = false;
    std::vector<std::string> failures;
};

PackOutcome DrivePack(const std::function<void()>& ui, const std::string& archive) {
    PackOutcome outcome;
    outcome.failures = RunDriven(ui, [&](DialogDriver& d) {
        HWND dialog = d.Expect(kCaption);
        if (!dialog) return;
        d.SetText(dialog, IDC_ARCHIVE_PATH, archive);
        d.Click(dialog, IDOK);
        for (;;) {
            HWND box = nullptr;
            const bool settled = d.WaitFor(
                [&] { return !IsWindowVisible(dialog) || (box = d.WaitForMessageBox(kCaption, 0)) != nullptr; }, 60000);
            if (!settled) return d.Fail("the dialog neither closed nor told anything");
            if (!box) break;
            if (const char* hold = std::getenv("MIVORA_HOLD_MS")) Sleep(std::atoi(hold));
            outcome.boxes.push_back(d.Answer(kCaption, IDOK));
            if (d.WaitFor([&] { return d.WaitForMessageBox(kCaption, 0) != nullptr; }, 500)) continue;
            d.Click(dialog, IDCANCEL);
            d.WaitGone(dialog);
            return;
        }
        outcome.closedByOk = true;
    });
    return outcome;
}

struct ControlSearch {
    int id;
    bool visible;
    HWND found;
};

BOOL CALLBACK MatchControl(HWND child, LPARAM data) {
    auto* s = reinterpret_cast<ControlSearch*>(data);
    if (GetDlgCtrlID(child) != s->id || (s->visible && !IsWindowVisible(child))) return TRUE;
    s->found = child;
    return FALSE;
}

// A control of the dialog or of one of its pages, by id; with `visible`,
// only one that shows.
HWND PageControl(HWND dialog, int id, bool visible) {
    ControlSearch search{id, visible, nullptr};
    EnumChildWindows(dialog, MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Picks tab `index` as a click does: the tab control tells its dialog.
void ChooseTab(HWND dialog, int index) {
    HWND tabs = GetDlgItem(dialog, IDC_FORMAT_TABS);
    NMHDR header{tabs, IDC_FORMAT_TABS, static_cast<UINT>(TCN_SELCHANGING)};
    SendMessageW(dialog, WM_NOTIFY, IDC_FORMAT_TABS, reinterpret_cast<LPARAM>(&header));
    SendMessageW(tabs, TCM_SETCURSEL, index, 0);
    header.code = static_cast<UINT>(TCN_SELCHANGE);
    SendMessageW(dialog, WM_NOTIFY, IDC_FORMAT_TABS, reinterpret_cast<LPARAM>(&header));
}

// The selection packed by every test: a folder with nested and empty
// folders, an empty file and a blank in names, and a file beside it.
std::vector<std::string> MakeTree(const std::string& root) {
    for (const char* folder : {"", "my data", "my data\\sub", "my data\\sub\\deeper", "my data\\empty", "out"})
        CreateDirectoryA((root + folder).c_str(), nullptr);
    WriteFileBytes(root + "my data\\a.txt", std::string(5000, 'a'));
    WriteFileBytes(root + "my data\\sub\\b b.bin", std::string("\x01\x02\x03\x00\xff", 5));
    WriteFileBytes(root + "my data\\sub\\deeper\\c.txt", "deep\r\n");
    WriteFileBytes(root + "my data\\sub\\deeper\\a.txt", "a deeper namesake");
    WriteFileBytes(root + "my data\\sub\\empty.dat", "");
    WriteFileBytes(root + "top file.txt", "top\r\n");
    return {root + "my data", root + "top file.txt"};
}

class CompressDll : public DialogKitTest {
protected:
    void SetUp() override {
        SHDeleteKeyA(HKEY_CURRENT_USER, kProfile);
        DialogKitTest::SetUp();
        library_.Reset(LoadLibraryExA(Dist("Compress.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
        ASSERT_TRUE(library_);
    }
    void TearDown() override {
        library_.Reset();
        DialogKitTest::TearDown();
        SHDeleteKeyA(HKEY_CURRENT_USER, kProfile);
    }
    ExportFn Export(const char* name) const {
        return reinterpret_cast<ExportFn>(reinterpret_cast<void*>(GetProcAddress(library_.Get(), name)));
    }
    ScopedModule library_;
};

TEST_F(CompressDll, ExportsByNameAndOrdinalReturnAtOnceWithoutAList) {
    const struct {
        const char* name;
        WORD ordinal;
    } exports[] = {{"CompressAndSendFiles", 1}, {"ExtractFile", 2}, {"PackFiles", 3}, {"UnPackFile", 4}};
    for (const auto& e : exports) {
        const ExportFn byName = Export(e.name);
        ASSERT_NE(byName, nullptr) << e.name;
        EXPECT_EQ(reinterpret_cast<void*>(byName),
                  reinterpret_cast<void*>(GetProcAddress(library_.Get(), MAKEINTRESOURCEA(e.ordinal))));
        byName(nullptr);
    }
}

// Every format the dialog offers, packed by the real library into the
// folder that check_outputs.sh reads (or a temporary one).
using Artifacts = CompressDll;

TEST_F(Artifacts, EachFormatPacksThroughTheExport) {
    const char* fixed = std::getenv("MIVORA_ARTIFACT_DIR");
    // Blanks in the base folder and in the temporary folder of the list file
    // too, as "Local Settings\Temp" has one.
    const std::string root = fixed ? std::string(fixed) + "\\" : dir.File("a folder\\");
    const std::vector<std::string> items = MakeTree(root);
    const std::string temp = root + "temp dir\\";
    CreateDirectoryA(temp.c_str(), nullptr);
    const std::string previousTemp = std::getenv("TMP") ? std::getenv("TMP") : "";
    SetEnvironmentVariableA("TMP", temp.c_str());
    const struct {
        const char* archive;
        std::vector<Setting> settings;
        const char* made;
        const char* gone;
    } cases[] = {
        {"pack", {{"Pack", "CurSel", 0}, {"Lzh", "Path", 1}}, "pack.lzh", nullptr},
        {"lh7", {{"Pack", "CurSel", 0}, {"Lzh", "Path", 1}, {"Lzh", "Lh0", 3}}, "lh7.lzh", nullptr},
        {"lzhsfx", {{"Pack", "CurSel", 0}, {"Lzh", "Path", 1}, {"Lzh", "SelfExtract", 1}}, "lzhsfx.exe", "lzhsfx.lzh"},
        {"pack", {{"Pack", "CurSel", 1}, {"Tar", "Path", 1}, {"Tar", "GZip", 1}, {"Tar", "radio1", 1}}, "pack.tgz",
         nullptr},
        {"pack", {{"Pack", "CurSel", 1}, {"Tar", "Path", 1}}, "pack.tar", nullptr},
        {"pack", {{"Pack", "CurSel", 2}, {"Zip", "Path", 1}}, "pack.zip", nullptr},
        {"zipsfx", {{"Pack", "CurSel", 2}, {"Zip", "Path", 1}, {"Zip", "SelfExtract", 1}}, "zipsfx.exe", "zipsfx.zip"},
    };
    const ExportFn pack = Export("PackFiles");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.made);
        for (const Setting& s : c.settings) SetProfile(s.section, s.key, s.value);
        const PackOutcome outcome = DrivePack([&] { pack(MakeDrop(items)); }, root + "out\\" + c.archive);
        for (const std::string& f : outcome.failures) ADD_FAILURE() << f;
        EXPECT_TRUE(outcome.boxes.empty()) << (outcome.boxes.empty() ? "" : std::string(outcome.boxes[0].begin(), outcome.boxes[0].end()));
        EXPECT_TRUE(outcome.closedByOk);
        EXPECT_TRUE(Exists(root + "out\\" + c.made));
        if (c.gone) {
            EXPECT_FALSE(Exists(root + "out\\" + c.gone));
        }
        EXPECT_EQ(ProfileValue("Pack", "CurSel"), c.settings[0].value);
        SHDeleteKeyA(HKEY_CURRENT_USER, kProfile);
    }
    // Nothing of the selection went anywhere, and no list file stayed.
    EXPECT_TRUE(Exists(root + "my data\\sub\\deeper\\c.txt") && Exists(root + "top file.txt"));
    WIN32_FIND_DATAA entry{};
    EXPECT_FALSE(ScopedFind(FindFirstFileA((temp + "~HV*").c_str(), &entry)).Valid());
    SetEnvironmentVariableA("TMP", previousTemp.empty() ? nullptr : previousTemp.c_str());
    RemoveDirectoryA(temp.c_str());
}

// The library's code linked into this program, with the archivers copied
// beside it (its own folder is where it looks for them) but for `missing`.
class PackDialog : public DialogKitTest {
protected:
    void SetUp() override {
        theApp.SetAppName("Compress");
        ASSERT_NE(GetApp(), nullptr);
        SHDeleteKeyA(HKEY_CURRENT_USER, kProfile);
        DialogKitTest::SetUp();
        std::string program(MAX_PATH, '\0');
        program.resize(GetModuleFileNameA(nullptr, &program[0], MAX_PATH));
        here_ = program.substr(0, program.rfind('\\') + 1);
    }
    void TearDown() override {
        for (const std::string& file : copied_) DeleteFileA(file.c_str());
        DialogKitTest::TearDown();
        SHDeleteKeyA(HKEY_CURRENT_USER, kProfile);
    }
    void Archivers(const std::string& missing) {
        for (const char* name : {"UNLHA32.dll", "tar32.dll", "UNZIP32.dll", "zip.exe", "sfx.bin"}) {
            if (missing == name) continue;
            copied_.push_back(here_ + name);
            ASSERT_TRUE(CopyFileA(Dist(name).c_str(), copied_.back().c_str(), FALSE)) << name;
        }
    }
    std::string here_;
    std::vector<std::string> copied_;
};

TEST_F(PackDialog, FailuresAreToldOnceAndDeleteNothing) {
    const std::vector<std::string> items = MakeTree(dir.Path());
    CreateDirectoryA(dir.File("out\\taken.lzh").c_str(), nullptr);
    const struct {
        const char* missing;
        std::vector<Setting> settings;
        const char* archive;
        const char* told;
        const char* kept;  // what the failed run left and must keep
        const char* absent = nullptr;  // a selected file that is not there: no archive without it
        const char* notMade = nullptr;
    } cases[] = {
        {"zip.exe", {{"Pack", "CurSel", 2}}, "z", "zip.exe", nullptr},
        {"sfx.bin", {{"Pack", "CurSel", 2}, {"Zip", "Path", 1}, {"Zip", "SelfExtract", 1}}, "z", "sfx.bin", "z.zip"},
        // A folder holds the archive's name: the archiver fails, and "Move" deletes no source.
        {"", {{"Pack", "CurSel", 0}, {"Lzh", "Move", 1}}, "taken", "Unlha", nullptr},
        {"UNLHA32.dll", {{"Pack", "CurSel", 0}}, "l", "UNLHA32.dll", nullptr},
        // Base names only, and two files called a.txt.
        {"", {{"Pack", "CurSel", 2}}, "z", "zip.exe failed", nullptr},
        {"", {{"Pack", "CurSel", 2}, {"Zip", "Path", 1}}, "g", "gone.txt", nullptr, "gone.txt", "g.zip"},
        {"", {{"Pack", "CurSel", 1}, {"Tar", "Path", 1}}, "t", "gone.txt", nullptr, "gone.txt", "t.tar"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told);
        Archivers(c.missing);
        for (const Setting& s : c.settings) SetProfile(s.section, s.key, s.value);
        events.clear();
        std::vector<std::string> selected = items;
        if (c.absent) selected.push_back(dir.File(c.absent));
        const PackOutcome outcome = DrivePack([&] { PackFiles(MakeDrop(selected)); }, dir.File("out\\") + c.archive);
        for (const std::string& f : outcome.failures) ADD_FAILURE() << f;
        ASSERT_EQ(outcome.boxes.size(), 1u);
        EXPECT_NE(std::string(outcome.boxes[0].begin(), outcome.boxes[0].end()).find(c.told), std::string::npos);
        EXPECT_FALSE(outcome.closedByOk);
        EXPECT_EQ(events, (std::vector<int>{11, 4}));
        if (c.kept) {
            EXPECT_TRUE(Exists(dir.File("out\\") + c.kept));
        }
        EXPECT_FALSE(Exists(dir.File("out\\z.exe")));
        if (c.notMade) {
            EXPECT_FALSE(Exists(dir.File("out\\") + c.notMade));
        }
        EXPECT_TRUE(Exists(dir.File("my data\\sub\\deeper\\c.txt")) && Exists(dir.File("top file.txt")));
        // The options of a failed run are not saved.
        EXPECT_EQ(ProfileValue("Lzh", "Lh0"), -1);
        for (const std::string& file : copied_) DeleteFileA(file.c_str());
        copied_.clear();
        SHDeleteKeyA(HKEY_CURRENT_USER, kProfile);
    }
}

// An item too long for the file calls refuses the whole list with a
// message: left out, it would shift the items ExtractFile gives meaning to.
TEST_F(PackDialog, AListWithAnItemTooLongIsRefused) {
    const std::vector<std::string> items = {dir.File("a.zip"), dir.File(std::string(MAX_PATH, 'x')), dir.File("out")};
    for (const auto& [call, caption] :
         {std::make_pair(PackFiles, L"Compression"), std::make_pair(UnPackFile, L"Decompression"),
          std::make_pair(ExtractFile, L"Decompression"), std::make_pair(CompressAndSendFiles, L"Compress and Email")}) {
        events.clear();
        std::wstring told;
        for (const std::string& f :
             RunDriven([&, call = call] { call(MakeDrop(items)); },
                       [&, caption = caption](DialogDriver& d) { told = d.Answer(caption, IDOK); }))
            ADD_FAILURE() << f;
        EXPECT_NE(told.find(L"too long"), std::wstring::npos) << std::string(told.begin(), told.end());
        EXPECT_TRUE(events.empty());
        EXPECT_FALSE(Exists(dir.File("out")));
    }
}

TEST_F(PackDialog, CancelRunsNothingAndSavesNothing) {
    Archivers("");
    const std::vector<std::string> items = MakeTree(dir.Path());
    const auto failures = RunDriven([&] { PackFiles(MakeDrop(items)); }, [&](DialogDriver& d) {
        HWND dialog = d.Expect(kCaption);
        if (!dialog) return;
        // Opened on the first tab, named after the first item.
        if (d.AnsiText(dialog, IDC_ARCHIVE_PATH) != dir.File("my data"))
            d.Fail("archive name " + d.AnsiText(dialog, IDC_ARCHIVE_PATH));
        // Each tab shows its own page; the TAR page's gzip box governs its options.
        const DWORD hold = std::getenv("MIVORA_HOLD_MS") ? std::atoi(std::getenv("MIVORA_HOLD_MS")) : 0;
        const int marks[] = {IDC_LZH_26X_LATER, IDC_GZIP, IDC_ZIP_MOVE};
        for (int tab : {0, 1, 2}) {
            if (tab > 0) ChooseTab(dialog, tab);
            for (int other : {0, 1, 2})
                if ((PageControl(dialog, marks[other], true) != nullptr) != (other == tab))
                    d.Fail("tab " + std::to_string(tab) + " shows the wrong page");
            RECT row{}, page{};
            HWND tabs = GetDlgItem(dialog, IDC_FORMAT_TABS);
            SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
            MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&row), 2);
            GetWindowRect(GetParent(PageControl(dialog, marks[tab], true)), &page);
            if (page.top < row.bottom) d.Fail("page " + std::to_string(tab) + " covers the tabs");
            if (tab == 1) {
                HWND rate = PageControl(dialog, IDC_GZIP_RATE, false);
                if (IsWindowEnabled(rate)) d.Fail("rate without gzip");
                SendMessageW(PageControl(dialog, IDC_GZIP, false), BM_CLICK, 0, 0);
                if (!IsWindowEnabled(rate) || !IsWindowEnabled(PageControl(dialog, IDC_RADIO1_SECOND, true)))
                    d.Fail("gzip without its options");
            }
            Sleep(hold);
        }
        d.Click(dialog, IDCANCEL);
        d.WaitGone(dialog);
    });
    for (const std::string& f : failures) ADD_FAILURE() << f;
    EXPECT_EQ(events, (std::vector<int>{11, 4}));
    EXPECT_EQ(ProfileValue("Pack", "CurSel"), -1);
    EXPECT_FALSE(Exists(dir.File("my data.lzh")));
}

}  // namespace
