// Notices sent to the real bar: paths go to the recent files or folders,
// shown programs to the recent applications, each list file rewritten at once.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "tests/win/bar/BarFixture.h"

namespace {

const UINT WM_HOOKNOTIFY = WM_USER + 66;

class NoticeTest : public BarTest {
protected:
    // The atom protocol of the senders: the atom lives until the send returns.
    void SendPath(const std::string& path, LPARAM kind = -1) {
        const ATOM atom = GlobalAddAtomA(path.c_str());
        ASSERT_NE(atom, 0);
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(bar_->Window(), WM_HOOKNOTIFY, atom, kind, SMTO_ABORTIFHUNG, 5000, &answer);
        GlobalDeleteAtom(atom);
    }
    std::string Expect(const char* list, const std::string& text) {
        return WaitForFileBytes(dir_.File(list), text);
    }
    TempDir docs_;  // the user's documents, away from the bar's own files
};

TEST_F(NoticeTest, PathsGoToTheirListsAndBothFilesAreWritten) {
    const std::string file = docs_.File("doc.txt"), folder = docs_.File("sub"), missing = docs_.File("gone\\x.txt");
    WriteFileBytes(file, "x");
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(bar_->Start());
    SendPath(file);
    EXPECT_EQ(Expect("files.lst", file + "\r\n"), file + "\r\n");
    EXPECT_EQ(Expect("folders.lst", ""), "");
    SendPath(folder);
    EXPECT_EQ(Expect("folders.lst", folder + "\r\n"), folder + "\r\n");
    // A path that can't be read counts as a folder.
    SendPath(missing);
    EXPECT_EQ(Expect("folders.lst", missing + "\r\n" + folder + "\r\n"), missing + "\r\n" + folder + "\r\n");
    // The bar's own files stay out: its registrations name them at every start.
    const std::string own = dir_.File("Norquil.dll");
    WriteFileBytes(own, "x");
    SendPath(own);
    SendPath(folder);
    EXPECT_EQ(Expect("folders.lst", folder + "\r\n" + missing + "\r\n"), folder + "\r\n" + missing + "\r\n");
    // Rewritten again with the same content: wait for the write to end.
    EXPECT_EQ(Expect("files.lst", file + "\r\n"), file + "\r\n");
}

TEST_F(NoticeTest, RepeatedPathsMoveToTheFrontKeepingTheirSpelling) {
    const std::string a = docs_.File("Alpha.TXT"), b = docs_.File("beta.txt");
    WriteFileBytes(a, "a");
    WriteFileBytes(b, "b");
    WriteFileBytes(dir_.File("files.lst"), a + "\r\n" + b + "\r\n");
    ASSERT_TRUE(bar_->Start());
    SendPath(b);
    EXPECT_EQ(Expect("files.lst", b + "\r\n" + a + "\r\n"), b + "\r\n" + a + "\r\n");
    std::string lower = a;
    for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    SendPath(lower);
    EXPECT_EQ(Expect("files.lst", a + "\r\n" + b + "\r\n"), a + "\r\n" + b + "\r\n");
}

TEST_F(NoticeTest, LockedPathsStayOutButTheFilesAreStillWritten) {
    const std::string locked = docs_.File("pinned.txt");
    WriteFileBytes(locked, "p");
    WriteFileBytes(dir_.File("lfiles.lst"), locked + "\r\n");
    ASSERT_TRUE(bar_->Start());
    SendPath(locked);
    ASSERT_TRUE(WaitFor([&] { return GetFileAttributesA(dir_.File("files.lst").c_str()) != INVALID_FILE_ATTRIBUTES; },
                        5000));
    EXPECT_EQ(Expect("files.lst", ""), "");
    EXPECT_EQ(List("lfiles.lst"), locked + "\r\n");
}

TEST_F(NoticeTest, ALongestAtomNameArrivesWhole) {
    // 255 characters, the most an atom holds; it names nothing, so it counts as a folder.
    std::string path = docs_.File("");
    path += std::string(255 - path.size(), 'q');
    ASSERT_EQ(path.size(), 255u);
    ASSERT_TRUE(bar_->Start());
    SendPath(path);
    EXPECT_EQ(Expect("folders.lst", path + "\r\n"), path + "\r\n");
}

TEST_F(NoticeTest, RecordingHasNoLengthLimit) {
    WriteIni("[Quick File]\r\nMaxFile=3\r\n");
    ASSERT_TRUE(bar_->Start());
    std::string expected;
    for (int i = 0; i < 12; ++i) {
        const std::string f = docs_.File("f" + std::to_string(i) + ".txt");
        WriteFileBytes(f, "x");
        SendPath(f);
        expected = f + "\r\n" + expected;
    }
    EXPECT_EQ(Expect("files.lst", expected), expected);
}

// Another program holds a file open without sharing it.
struct HeldFile {
    HANDLE h;
    explicit HeldFile(const std::string& path)
        : h(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                        nullptr)) {}
    ~HeldFile() { Release(); }
    void Release() {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        h = INVALID_HANDLE_VALUE;
    }
};

TEST_F(NoticeTest, AListFileThatCantBeReadAtStartGivesAnEmptyList) {
    const std::string pinned = docs_.File("pinned.txt");
    WriteFileBytes(pinned, "p");
    WriteFileBytes(dir_.File("lfiles.lst"), pinned + "\r\n");
    HeldFile held(dir_.File("lfiles.lst"));
    ASSERT_NE(held.h, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(bar_->Start());
    // The start went on to its end, and the lock list it couldn't read is empty.
    SendPath(pinned);
    EXPECT_EQ(Expect("files.lst", pinned + "\r\n"), pinned + "\r\n");
}

// A settings file the bar can't write (a program folder without write rights
// behaves alike): each failed write is reported, the start-up still ends with
// a working bar, and Exit still ends the program.
TEST_F(NoticeTest, ASettingsFileThatCantBeWrittenIsReportedAndTheBarStillWorks) {
    const std::string file = docs_.File("doc.txt");
    WriteFileBytes(file, "x");
    WriteIni("[ToolBar]\r\nTop=1\r\nLeft=300\r\n");
    HeldFile held(dir_.File("mivora.ini"));
    ASSERT_NE(held.h, INVALID_HANDLE_VALUE);
    auto acknowledgeError = [&] {
        HWND box = nullptr;
        if (!WaitFor([&] { return (box = bar_->MessageBoxWindow("Mivora")) != nullptr; }, 20000)) return std::string();
        char text[512] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return std::string(text);
    };
    ASSERT_TRUE(bar_->Launch());
    EXPECT_NE(acknowledgeError().find("mivora.ini"), std::string::npos);
    ASSERT_TRUE(bar_->WaitShown());
    SendPath(file);
    EXPECT_EQ(Expect("files.lst", file + "\r\n"), file + "\r\n");
    PostMessageA(bar_->Window(), WM_CLOSE, 0, 0);
    EXPECT_NE(acknowledgeError().find("mivora.ini"), std::string::npos);
    EXPECT_TRUE(WaitFor([&] { return !bar_->Running(); }, 10000));
    EXPECT_EQ(bar_->Close(), 0u);
}

// The clock's choice lives in "Zonefset.ini" in the Windows folder, which a
// user may not be allowed to write: at close that is reported, and the close
// still saves the bar's place and ends the program.
TEST_F(NoticeTest, AClockChoiceThatCantBeSavedAtCloseIsReportedAndTheCloseGoesOn) {
    std::string windows(GetWindowsDirectoryA(nullptr, 0), '\0');
    windows.resize(GetWindowsDirectoryA(&windows[0], static_cast<UINT>(windows.size())));
    WriteIni("[ToolBar]\r\nTop=7\r\nLeft=300\r\n");
    ASSERT_TRUE(bar_->Start());
    HeldFile held(windows + "\\Zonefset.ini");
    ASSERT_NE(held.h, INVALID_HANDLE_VALUE);
    PostMessageA(bar_->Window(), WM_CLOSE, 0, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = bar_->MessageBoxWindow("Mivora")) != nullptr; }, 10000));
    char text[512] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_NE(std::string(text).find("Zonefset.ini"), std::string::npos) << text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !bar_->Running(); }, 10000));
    EXPECT_EQ(bar_->Close(), 0u);
    EXPECT_EQ(bar_->Ini("ToolBar", "Top"), "7");
}

TEST_F(NoticeTest, AFailedSaveIsReportedWithoutHoldingTheSender) {
    const std::string first = docs_.File("first.txt"), second = docs_.File("second.txt");
    WriteFileBytes(first, "1");
    WriteFileBytes(second, "2");
    ASSERT_TRUE(bar_->Start());
    HeldFile held(dir_.File("files.lst"));
    ASSERT_NE(held.h, INVALID_HANDLE_VALUE);
    const ATOM atom = GlobalAddAtomA(first.c_str());
    DWORD_PTR answer = 0;
    // The bar answers once it has the path; its error box must not keep the
    // sender (a hooked program, the shell's copy) waiting.
    EXPECT_NE(SendMessageTimeoutA(bar_->Window(), WM_HOOKNOTIFY, atom, -1, SMTO_ABORTIFHUNG, 5000, &answer), 0);
    GlobalDeleteAtom(atom);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            for (HWND w : ThreadWindows(bar_->ThreadId(), "#32770"))
                if (IsWindowVisible(w)) box = w;
            return box != nullptr;
        },
        5000));
    char text[512] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_NE(std::string(text).find("files.lst"), std::string::npos) << text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 5000));
    held.Release();
    // The list kept the path it could not save.
    SendPath(second);
    EXPECT_EQ(Expect("files.lst", second + "\r\n" + first + "\r\n"), second + "\r\n" + first + "\r\n");
}

TEST_F(NoticeTest, OtherKindsChangeNothing) {
    const std::string file = docs_.File("doc.txt");
    WriteFileBytes(file, "x");
    ASSERT_TRUE(bar_->Start());
    SendPath(file, 7);
    SendPath(file, 0);
    PumpFor(1000);
    EXPECT_EQ(GetFileAttributesA(dir_.File("files.lst").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(dir_.File("folders.lst").c_str()), INVALID_FILE_ATTRIBUTES);
}

struct Probe {
    PROCESS_INFORMATION pi{};
    HWND window = nullptr;
    Probe(const std::string& exe, const char* mode) {
        std::string cmd = "\"" + exe + "\" " + mode + " 6000";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
        WaitFor(
            [&] {
                window = FindWindowA("LaunchProbe", nullptr);
                DWORD pid = 0;
                if (window) GetWindowThreadProcessId(window, &pid);
                if (pid != pi.dwProcessId) window = nullptr;
                return window != nullptr;
            },
            8000);
    }
    ~Probe() {
        if (!pi.hProcess) return;
        TerminateProcess(pi.hProcess, 0);
        WaitForSingleObject(pi.hProcess, 5000);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
};

TEST_F(NoticeTest, ShownProgramsAreRecordedByTheirFullPath) {
    const std::string app = dir_.File("app.exe"), helper = dir_.File("RUNDLL32.EXE"), quiet = dir_.File("quiet.exe");
    for (const std::string& p : {app, helper, quiet}) ASSERT_TRUE(CopyFileA(ProbePath().c_str(), p.c_str(), FALSE));
    ASSERT_TRUE(bar_->Start());
    {
        Probe shown(app, "--window");
        ASSERT_NE(shown.window, nullptr);
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(bar_->Window(), WM_HOOKNOTIFY, reinterpret_cast<WPARAM>(shown.window), 2,
                            SMTO_ABORTIFHUNG, 5000, &answer);
        const bool recorded = WaitFor([&] { return List("app.lst").find(app + "\r\n") != std::string::npos; }, 5000);
        EXPECT_TRUE(recorded) << List("app.lst");
    }
    {
        Probe host(helper, "--window");
        Probe hidden(quiet, "--hidden");
        ASSERT_NE(host.window, nullptr);
        ASSERT_NE(hidden.window, nullptr);
        for (HWND w : {host.window, hidden.window, bar_->Window()}) {
            DWORD_PTR answer = 0;
            SendMessageTimeoutA(bar_->Window(), WM_HOOKNOTIFY, reinterpret_cast<WPARAM>(w), 2, SMTO_ABORTIFHUNG,
                                5000, &answer);
        }
        PumpFor(1000);
    }
    const std::string apps = List("app.lst");
    EXPECT_EQ(apps.find("RUNDLL32.EXE"), std::string::npos) << apps;
    EXPECT_EQ(apps.find("quiet.exe"), std::string::npos) << apps;
    EXPECT_EQ(apps.find("Mivora.exe"), std::string::npos) << apps;
}

TEST_F(NoticeTest, TheHookLibraryReportsProgramsStartedWhileTheBarRuns) {
    const std::string app = dir_.File("viewer.exe"), doc = docs_.File("report.txt");
    ASSERT_TRUE(CopyFileA(ProbePath().c_str(), app.c_str(), FALSE));
    WriteFileBytes(doc, "r");
    ASSERT_TRUE(bar_->Start());
    {
        std::string cmd = "\"" + app + "\" --window 3000 \"" + doc + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(CreateProcessA(app.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
        EXPECT_TRUE(WaitFor([&] { return List("app.lst").find(app + "\r\n") != std::string::npos; }, 10000))
            << List("app.lst");
        EXPECT_TRUE(WaitFor([&] { return List("files.lst").find(doc + "\r\n") != std::string::npos; }, 10000))
            << List("files.lst");
        TerminateProcess(pi.hProcess, 0);
        WaitForSingleObject(pi.hProcess, 5000);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
}

}  // namespace

namespace {

std::string RecentFolder() {
    return GetRegString(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                        "Recent");
}

TEST_F(NoticeTest, ANewShortcutInTheRecentFolderRecordsTheDocumentAndItsFolder) {
    const std::string recent = RecentFolder();
    ASSERT_FALSE(recent.empty());
    const std::string docs = dir_.File("docs");
    CreateDirectoryA(docs.c_str(), nullptr);
    const std::string doc = docs + "\\report.txt";
    WriteFileBytes(doc, "r");
    const std::string rootDoc = "C:\\mvt-root-note.txt";
    WriteFileBytes(rootDoc, "n");
    const std::string link1 = recent + "\\mvt report.lnk", link2 = recent + "\\mvt root.lnk";
    ASSERT_TRUE(bar_->Start());
    ASSERT_TRUE(MakeShortcut(link1, doc));
    EXPECT_TRUE(WaitFor([&] { return List("files.lst") == doc + "\r\n"; }, 10000)) << List("files.lst");
    EXPECT_TRUE(WaitFor([&] { return List("folders.lst") == docs + "\r\n"; }, 5000)) << List("folders.lst");
    // A document in a drive root is recorded, its root folder isn't (by default).
    ASSERT_TRUE(MakeShortcut(link2, rootDoc));
    EXPECT_TRUE(WaitFor([&] { return List("files.lst") == rootDoc + "\r\n" + doc + "\r\n"; }, 10000))
        << List("files.lst");
    PumpFor(500);
    EXPECT_EQ(WaitForFileBytes(dir_.File("folders.lst"), docs + "\r\n"), docs + "\r\n");
    DeleteFileA(link1.c_str());
    DeleteFileA(link2.c_str());
    DeleteFileA(rootDoc.c_str());
}

// The [Record] flags as the settings file holds them at start: a drive root
// recorded, a folder under a listed one not.
TEST_F(NoticeTest, TheRecordingFlagsComeFromTheSettingsFile) {
    const std::string recent = RecentFolder();
    ASSERT_FALSE(recent.empty());
    const std::string docs = dir_.File("docs"), sub = docs + "\\sub";
    CreateDirectoryA(docs.c_str(), nullptr);
    CreateDirectoryA(sub.c_str(), nullptr);
    const std::string subDoc = sub + "\\minutes.txt", rootDoc = "C:\\mvt-root-flags.txt";
    WriteFileBytes(subDoc, "m");
    WriteFileBytes(rootDoc, "n");
    WriteFileBytes(dir_.File("folders.lst"), docs + "\r\n");
    WriteIni("[Record]\r\nRecRoot=1\r\nRecSubDir=0\r\n");
    const std::string link1 = recent + "\\mvt flags sub.lnk", link2 = recent + "\\mvt flags root.lnk";
    ASSERT_TRUE(bar_->Start());
    ASSERT_TRUE(MakeShortcut(link1, subDoc));
    EXPECT_TRUE(WaitFor([&] { return List("files.lst") == subDoc + "\r\n"; }, 10000)) << List("files.lst");
    ASSERT_TRUE(MakeShortcut(link2, rootDoc));
    EXPECT_TRUE(WaitFor([&] { return List("files.lst") == rootDoc + "\r\n" + subDoc + "\r\n"; }, 10000))
        << List("files.lst");
    const std::string folders = "C:\\\r\n" + docs + "\r\n";
    EXPECT_EQ(WaitForFileBytes(dir_.File("folders.lst"), folders), folders);
    DeleteFileA(link1.c_str());
    DeleteFileA(link2.c_str());
    DeleteFileA(rootDoc.c_str());
}

}  // namespace
