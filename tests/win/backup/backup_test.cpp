// Backup and restore runs through the copy job and its progress dialog and
// through the backup window, its pages and schedule, driven from a second
// thread and checked against the source tree on disk.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>

#include "backup/BackupMainDlg.h"
#include "backup/core/BackupOptions.h"
#include "backup/CopyJob.h"
#include "backup/DorvaneApp.h"
#include "dialogkit/FileRoutines.h"
#include "tests/win/support/DialogDriver.h"
#include "backup/ReplaceConfirmDlg.h"
#include "framework/win32/ScopedHandle.h"
#include "framework/dialogs/Services.h"
#include "tests/win/support/TestSupport.h"
#include "dialogkit/Win32EngineFiles.h"
#include "backup/resource.h"

using namespace backup;

namespace {

using dialogkit::FileExists;

struct Seen {
    std::string content;
    std::uint64_t time = 0;
    DWORD readOnly = 0;
    bool operator==(const Seen& o) const { return content == o.content && time == o.time && readOnly == o.readOnly; }
};

// Every file below `folder` (with "\") by relative path: content, time, read-only.
std::map<std::string, Seen> Snapshot(const std::string& folder) {
    std::map<std::string, Seen> out;
    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstFileA((folder + "*.*").c_str(), &data));
    if (!find) return out;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            for (const auto& [path, seen] : Snapshot(folder + name + "\\")) out[name + "\\" + path] = seen;
            out[name + "\\"] = Seen{};
        } else {
            out[name] = {
                ReadFileBytes(folder + name),
                (std::uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime) /
                    10000000,
                data.dwFileAttributes & FILE_ATTRIBUTE_READONLY};
        }
    } while (FindNextFileA(find.Get(), &data));
    return out;
}

void Unprotect(const std::string& folder) {
    for (const auto& entry : Snapshot(folder))
        SetFileAttributesA((folder + entry.first).c_str(), FILE_ATTRIBUTE_NORMAL);
}

CopyOutcome RunJob(const CopyRequest& request, const std::function<void(DialogDriver&)>& script = {}) {
    CopyOutcome outcome;
    const std::vector<std::string> failures = RunDriven([&] { EXPECT_TRUE(RunCopyJob(request, nullptr, outcome)); },
                                                        [&](DialogDriver& d) {
                                                            if (script) script(d);
                                                        });
    for (const std::string& f : failures) ADD_FAILURE() << f;
    return outcome;
}

class BackupJobTest : public ::testing::Test {
protected:
    void TearDown() override { Unprotect(dir.Path()); }
    TempDir dir;
};

TEST_F(BackupJobTest, BackupThenRestoreMatchTheSource) {
    const std::string src = dir.File("live\\proj\\");
    const std::string longName(120, 'L');
    CreateDirectoryA(dir.File("live").c_str(), nullptr);
    CreateDirectoryA(src.c_str(), nullptr);
    for (const char* folder : {"a", "a\\b", "a\\b\\c", ".git", "L"}) CreateDirectoryA((src + folder).c_str(), nullptr);
    WriteFileBytes(src + "a\\b\\c\\deep.txt", "deep");
    WriteFileBytes(src + ".htaccess", "dot");
    WriteFileBytes(src + ".git\\HEAD", "ref");
    WriteFileBytes(src + "L\\" + longName + ".txt", std::string(100000, 'x'));
    WriteFileBytes(src + "readonly.txt", "keep");
    SetFileAttributesA((src + "readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string bk = dir.File("bk\\");
    CreateDirectoryA(bk.c_str(), nullptr);

    const CopyOutcome backup = RunJob({src, bk, true, 1});
    EXPECT_EQ(backup.status, CopyStatus::Done);
    EXPECT_EQ(backup.copied, 5u);
    const std::map<std::string, Seen> original = Snapshot(src);
    EXPECT_EQ(Snapshot(bk + "proj\\"), original);
    EXPECT_EQ(RunJob({src, bk, true, 1}).toCopy, 0u);

    // The live tree is damaged; a restore over it brings back the backup.
    Unprotect(src);
    WriteFileBytes(src + ".htaccess", "broken");
    DeleteFileA((src + "a\\b\\c\\deep.txt").c_str());
    const CopyOutcome restore = RunJob({bk + "proj\\", dir.File("live\\"), true, 0, 0, "", CopyDirection::Restore});
    EXPECT_EQ(restore.copied, 5u);
    EXPECT_TRUE(restore.failures.empty());
    EXPECT_EQ(Snapshot(src), original);
}

TEST_F(BackupJobTest, CancelInALargeFileKeepsTheOldCopyAndNotTheNextRun) {
    const std::string src = dir.File("src\\");
    CreateDirectoryA(src.c_str(), nullptr);
    // Sparse on the Linux side: reading it costs no disk, writing it does.
    {
        ScopedFile big(CreateFileA((src + "big.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        LONG high = 1;  // 4 GiB
        SetFilePointer(big.Get(), 0, &high, FILE_BEGIN);
        ASSERT_TRUE(SetEndOfFile(big.Get()));
    }
    const std::string bk = dir.File("bk\\src\\");
    CreateDirectoryA(dir.File("bk").c_str(), nullptr);
    CreateDirectoryA(bk.c_str(), nullptr);
    WriteFileBytes(bk + "big.bin", "old copy");

    DWORD took = 0;
    const CopyOutcome cancelled = RunJob({src, dir.File("bk"), true, 0}, [&](DialogDriver& d) {
        HWND progress = d.Expect(L"Copying...");
        if (!progress) return;
        if (!d.WaitFor([&] { return !d.AnsiText(progress, IDC_COPY_SOURCE).empty(); })) d.Fail("no file shown");
        if (!CopyRunActive()) d.Fail("no run active");
        Sleep(200);
        const DWORD start = GetTickCount();
        d.Click(progress, IDC_COPY_CANCEL);
        d.WaitFor([&] { return d.uiDone.load(); });
        took = GetTickCount() - start;
    });
    EXPECT_EQ(cancelled.status, CopyStatus::Stopped);
    EXPECT_LT(took, 2000u);
    EXPECT_EQ(Snapshot(bk).size(), 1u);  // no temporary file left
    EXPECT_EQ(ReadFileBytes(bk + "big.bin"), "old copy");

    DeleteFileA((src + "big.bin").c_str());
    WriteFileBytes(src + "small.txt", "s");
    const CopyOutcome next = RunJob({src, dir.File("bk"), true, 0});
    EXPECT_EQ(next.status, CopyStatus::Done);
    EXPECT_EQ(next.copied, 1u);
}

TEST_F(BackupJobTest, FailuresAreSummarisedAndNeverCounted) {
    const std::string src = dir.File("src\\");
    const std::string bk = dir.File("bk\\src\\");
    CreateDirectoryA(src.c_str(), nullptr);
    CreateDirectoryA(dir.File("bk").c_str(), nullptr);
    CreateDirectoryA(bk.c_str(), nullptr);
    WriteFileBytes(src + "held.txt", "new");
    WriteFileBytes(src + "fine.txt", "fine");
    WriteFileBytes(bk + "held.txt", "old");
    ScopedFile held(CreateFileA((bk + "held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    std::wstring summary;
    const CopyOutcome outcome = RunJob({src, dir.File("bk"), true, 0},
                                       [&](DialogDriver& d) { summary = d.Answer(L"Mivora Backup", IDOK, 30000); });
    held.Reset();
    EXPECT_EQ(outcome.copied, 1u);
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_NE(summary.find(L"1 file or folder could not be copied"), std::wstring::npos);
    EXPECT_NE(summary.find(L"held.txt"), std::wstring::npos);
    EXPECT_EQ(ReadFileBytes(bk + "held.txt"), "old");
    EXPECT_EQ(Snapshot(bk).size(), 2u);
}

// The replace of a file near the path limit needs no longer path than its first copy.
TEST_F(BackupJobTest, AFileNearThePathLimitIsUpdatedToo) {
    const std::string src = dir.File("src\\");
    CreateDirectoryA(src.c_str(), nullptr);
    const std::string bk = dir.Path() + std::string(246 - dir.Path().size(), 'd') + "\\";
    CreateDirectoryA(bk.c_str(), nullptr);
    ASSERT_EQ((bk + "src\\a.txt").size(), 256u);
    for (const char* text : {"first", "second"}) {
        WriteFileBytes(src + "a.txt", text);
        EXPECT_TRUE(RunJob({src, bk, true, 0}).failures.empty());
        EXPECT_EQ(ReadFileBytes(bk + "src\\a.txt"), text);
    }
}

// Neither a source gone since the check nor a worker that cannot start may pass for a backup.
TEST_F(BackupJobTest, ARunThatCannotHappenTellsTheUser) {
    const std::string src = dir.File("src\\");
    CreateDirectoryA(src.c_str(), nullptr);
    CreateDirectoryA(dir.File("bk").c_str(), nullptr);
    for (const bool threadFails : {false, true}) {
        if (threadFails) Services().beginThread = [](unsigned(__stdcall*)(void*), void*) { return uintptr_t(0); };
        std::wstring summary;
        RunJob({threadFails ? src : dir.File("gone\\"), dir.File("bk"), true, 0},
               [&](DialogDriver& d) { summary = d.Answer(L"Mivora Backup", IDOK); });
        ResetServices();
        EXPECT_NE(summary.find(threadFails ? L"could not be started" : L"source folder was not found"),
                  std::wstring::npos);
    }
}

TEST_F(BackupJobTest, ShellRoadCopiesIntoAFreshFolderOfTheSourcesName) {
    const std::string src = dir.File("src\\");
    CreateDirectoryA(src.c_str(), nullptr);
    CreateDirectoryA((src + "sub").c_str(), nullptr);
    WriteFileBytes(src + ".top", "t");
    WriteFileBytes(src + "sub\\deep", "d");
    for (bool subfolders : {true, false}) {
        const std::string bk = dir.File(subfolders ? "all\\" : "top\\");
        CreateDirectoryA(bk.c_str(), nullptr);
        ShellCopyFolder(src, bk, nullptr, subfolders);
        EXPECT_EQ(Snapshot(bk + "src\\").size(), subfolders ? 3u : 1u);
    }
}

TEST(ReplaceConfirmTest, ShowsBothFilesAndAnswers) {
    TempDir dir;
    WriteFileBytes(dir.File("report.txt"), std::string(1500, 'n'));
    CreateDirectoryA(dir.File("bk").c_str(), nullptr);
    WriteFileBytes(dir.File("bk\\report.txt"), std::string(5000, 'o'));
    const struct {
        bool all;
        INT_PTR result;
    } cases[] = {{true, IDOK}, {false, IDCANCEL}};
    for (const auto& c : cases) {
        CReplaceConfirmDlg question(dir.File("report.txt"), dir.File("bk\\"));
        INT_PTR result = 0;
        const std::vector<std::string> failures = RunDriven(
            [&] { result = question.DoModal(); },
            [&](DialogDriver& d) {
                HWND dialog = d.Expect(L"Mivora");
                if (!dialog) return;
                if (d.AnsiText(dialog, IDC_REPLACE_HEADER) !=
                    "This folder already contains a file named ' report.txt'.")
                    d.Fail("header: " + d.AnsiText(dialog, IDC_REPLACE_HEADER));
                const std::string detail = d.AnsiText(dialog, IDC_REPLACE_DETAIL);
                if (detail.find("size :4 KB") == std::string::npos || detail.find("size:1 KB") == std::string::npos)
                    d.Fail("detail: " + detail);
                if (c.all)
                    d.Click(dialog, IDC_REPLACE_ALL);
                else
                    PostMessageA(dialog, WM_CLOSE, 0, 0);
            });
        for (const std::string& f : failures) ADD_FAILURE() << f;
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(question.AllFiles(), c.all);
    }
}

// The page of the window's Backup or Restore tab; only the Backup page has "Manually".
HWND PageOf(HWND window, bool restore) {
    HWND tabs = GetDlgItem(window, IDC_MAIN_TABS);
    for (HWND p = FindWindowExA(tabs, nullptr, "#32770", nullptr); p; p = FindWindowExA(tabs, p, "#32770", nullptr))
        if ((GetDlgItem(p, IDC_MANUALLY) != nullptr) != restore) return p;
    return nullptr;
}

// What a click on a tab does: the notices around the new selection.
void SelectTab(HWND window, int index) {
    HWND tabs = GetDlgItem(window, IDC_MAIN_TABS);
    NMHDR notice{tabs, IDC_MAIN_TABS, static_cast<UINT>(TCN_SELCHANGING)};
    SendMessageA(window, WM_NOTIFY, IDC_MAIN_TABS, reinterpret_cast<LPARAM>(&notice));
    SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    notice.code = static_cast<UINT>(TCN_SELCHANGE);
    SendMessageA(window, WM_NOTIFY, IDC_MAIN_TABS, reinterpret_cast<LPARAM>(&notice));
}

HWND FocusOf(DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

void MakeTree(const std::string& root) {
    for (const char* folder : {"", "a", "a\\b", ".git"}) CreateDirectoryA((root + folder).c_str(), nullptr);
    WriteFileBytes(root + "a\\b\\deep.txt", "deep");
    WriteFileBytes(root + ".htaccess", "dot");
    WriteFileBytes(root + ".git\\HEAD", "ref");
    WriteFileBytes(root + std::string(100, 'L') + ".txt", "long");
}

class BackupWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        theApp.OptionsFolder = dir.Path();
        theApp.LocalTime = [this] { return now; };
    }
    void TearDown() override {
        theApp.OptionsFolder.clear();
        theApp.LocalTime = realClock;
        Unprotect(dir.Path());
    }
    // Opens the window here, runs it until it is gone, and drives it meanwhile.
    void Drive(const std::function<void(DialogDriver&, HWND window)>& script) {
        const std::vector<std::string> failures = RunDriven(
            [] {
                OpenBackupWindow();
                PumpUntil([] { return theApp.MainWindow == nullptr; }, 120000);
            },
            [&](DialogDriver& d) {
                if (HWND window = d.Expect(L"Mivora Backup")) script(d, window);
            });
        for (const std::string& f : failures) ADD_FAILURE() << f;
    }

    TempDir dir;
    SYSTEMTIME now{};
    const std::function<SYSTEMTIME()> realClock = theApp.LocalTime;
};

TEST_F(BackupWindowTest, DefaultsRestorePathsAndRefusedPaths) {
    const DWORD ui = GetCurrentThreadId();
    Drive([&](DialogDriver& d, HWND window) {
        HWND backup = PageOf(window, false);
        HWND restore = PageOf(window, true);
        for (int id : {IDC_SUBFOLDERS, IDC_OP_MODIFIED, IDC_AUTO, IDC_EVERY_DAY})
            if (!d.IsChecked(backup, id)) d.Fail("not checked by default: " + std::to_string(id));
        if (d.AnsiText(backup, IDC_SCHEDULE_TEXT) != "at 17:00") d.Fail("schedule text");
        const struct {
            const char *source, *dest, *from, *to;
        } paths[] = {{"C:\\data\\proj\\", "D:\\bk\\", "D:\\bk\\proj\\", "C:\\data\\"},
                     {"C:\\", "D:\\bk", "D:\\bk\\", "C:\\"}};
        for (const auto& p : paths) {
            d.SetText(backup, IDC_FROM, p.source);
            d.SetText(backup, IDC_TO, p.dest);
            SelectTab(window, 1);
            if (d.AnsiText(restore, IDC_FROM) != p.from || d.AnsiText(restore, IDC_TO) != p.to)
                d.Fail("restore paths of " + std::string(p.source));
            if (d.AnsiText(window, IDC_MAIN_RUN) != "Restore" || IsWindowVisible(GetDlgItem(window, IDC_MAIN_OK)))
                d.Fail("buttons on the Restore tab");
            if (d.IsChecked(restore, IDC_SUBFOLDERS) || !d.IsChecked(restore, IDC_OP_OVERWRITE))
                d.Fail("restore options");
            SelectTab(window, 0);
        }
        if (d.AnsiText(window, IDC_MAIN_RUN) != "Backup Now") d.Fail("button on the Backup tab");
        const std::string src = dir.File("src\\");
        CreateDirectoryA(src.c_str(), nullptr);
        const struct {
            std::string source, dest;
            const wchar_t* text;
            int focus;
        } refused[] = {
            {"", "", L"Please input a path name. ", IDC_FROM},
            {dir.File("missing\\"), src, L"The source path don't exist. ", IDC_FROM},
            // Written another way, the destination still lies inside the source.
            {src, dir.File("other\\..\\src\\bk"), L"Source path can't include destination path. ", IDC_TO},
            {src, dir.File("none\\"), L"The destination path don't exist. ", IDC_TO},
        };
        for (const auto& r : refused) {
            d.SetText(backup, IDC_FROM, r.source);
            d.SetText(backup, IDC_TO, r.dest);
            d.Click(window, IDC_MAIN_RUN);
            const std::wstring text = d.Answer(L"Error", IDOK);
            if (text != r.text) d.Fail("message for " + r.source + " -> " + r.dest);
            if (!d.WaitFor([&] { return FocusOf(ui) == GetDlgItem(backup, r.focus); }, 3000))
                d.Fail("focus for " + r.source + " -> " + r.dest);
        }
        d.Click(window, IDC_MAIN_CANCEL);
    });
    EXPECT_EQ(theApp.MainWindow, nullptr);
}

TEST_F(BackupWindowTest, ScheduleDialogsStoreTheirSchedule) {
    SYSTEMTIME at{};
    at.wYear = 2026;
    at.wMonth = 1;
    at.wDay = 1;
    const struct {
        int button;
        const wchar_t* caption;
        const char* section;
        WORD hour, minute;
        std::function<void(DialogDriver&, HWND)> fill;
        const char* text;
        const char* key;
        std::string stored;
    } cases[] = {
        // A minute past the spin's range is clamped, not stored with its error flag.
        {IDC_EVERY_HOUR, L"Auto backup every hour", "HOUR", 0, 0,
         [](DialogDriver& d, HWND dlg) { d.SetText(dlg, IDC_SCHEDULE_MINUTE, "75"); }, "at 59th minute", "HOU", "59"},
        {IDC_EVERY_DAY, L"Auto backup every day", "DAY", 8, 5, nullptr, "at 08:05", "MIN", "5"},
        {IDC_EVERY_WEEK, L"Auto backup every week", "WEEK", 9, 30,
         [](DialogDriver&, HWND dlg) { SendDlgItemMessageA(dlg, IDC_SCHEDULE_WEEKDAY, CB_SETCURSEL, 6, 0); },
         "at 09:30,Sunday", "WEE", "Sunday"},
        {IDC_EVERY_MONTH, L"Auto backup every month", "MONTH", 22, 15,
         [](DialogDriver& d, HWND dlg) { d.SetText(dlg, IDC_SCHEDULE_DAY, "22"); }, "at 22:15,22th date", "DAY",
         "22"},
    };
    Drive([&](DialogDriver& d, HWND window) {
        HWND backup = PageOf(window, false);
        for (const auto& c : cases) {
            for (bool confirm : {false, true}) {
                const std::string before = d.AnsiText(backup, IDC_SCHEDULE_TEXT);
                d.ClickRadio(backup, c.button);
                HWND dlg = d.Expect(c.caption);
                if (!dlg) return;
                if (!confirm) {
                    d.Click(dlg, IDCANCEL);
                    d.WaitGone(dlg);
                    // The schedule chosen before is chosen again.
                    if (!d.WaitFor([&] { return !d.IsChecked(backup, c.button); }, 3000) ||
                        d.AnsiText(backup, IDC_SCHEDULE_TEXT) != before)
                        d.Fail("cancel changed the schedule");
                    continue;
                }
                SYSTEMTIME t = at;
                t.wHour = c.hour;
                t.wMinute = c.minute;
                SendDlgItemMessageA(dlg, IDC_SCHEDULE_TIME, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&t));
                if (c.fill) c.fill(d, dlg);
                d.Click(dlg, IDOK);
                d.WaitGone(dlg);
                d.WaitFor([&] { return d.AnsiText(backup, IDC_SCHEDULE_TEXT) == c.text; }, 3000);
                if (d.AnsiText(backup, IDC_SCHEDULE_TEXT) != c.text) d.Fail("text " + std::string(c.text));
                if (theApp.GetProfileString(c.section, c.key, "?") != c.stored) d.Fail("stored " + c.stored);
            }
        }
        if (theApp.GetProfileInt("WEEK", "WEENU", 0) != 7 || theApp.Schedule.weekday != 7) d.Fail("Sunday is 7");
        if (theApp.Schedule.dayOfMonth != 22 || theApp.Schedule.lastDay != 0) d.Fail("monthly values");
        d.Click(window, IDC_MAIN_CANCEL);
    });
}

TEST_F(BackupWindowTest, AScheduledBackupFiresOnceInItsMinute) {
    const std::string src = dir.File("live\\proj\\");
    CreateDirectoryA(dir.File("live").c_str(), nullptr);
    MakeTree(src);
    const std::string bk = dir.File("bk\\");
    CreateDirectoryA(bk.c_str(), nullptr);
    now.wYear = 2026;
    now.wMonth = 12;
    now.wDay = 9;
    now.wDayOfWeek = 3;
    now.wHour = 17;
    Drive([&](DialogDriver& d, HWND window) {
        HWND backup = PageOf(window, false);
        // The daily dialog's OK sets the minute, which no dialog has set yet.
        d.ClickRadio(backup, IDC_EVERY_DAY);
        HWND daily = d.Expect(L"Auto backup every day");
        if (!daily) return;
        SYSTEMTIME t = now;
        SendDlgItemMessageA(daily, IDC_SCHEDULE_TIME, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&t));
        d.Click(daily, IDOK);
        d.WaitGone(daily);
        d.SetText(backup, IDC_FROM, src);
        d.SetText(backup, IDC_TO, bk);
        // "Ok" with Auto checks at once, in the due minute, and hides the window.
        d.Click(window, IDC_MAIN_OK);
        if (!d.WaitFor([&] { return !IsWindowVisible(window) && !CopyRunActive(); })) d.Fail("not hidden");
        if (ReadFileBytes(bk + "proj\\a\\b\\deep.txt") != "deep") d.Fail("the due minute ran nothing");
        // A second tick in that minute, and ticks in minutes that are not due, run nothing.
        WriteFileBytes(src + "later.txt", "later");
        const WORD minutes[] = {0, 1, 0};
        for (WORD minute : minutes) {
            now.wMinute = minute;
            SendMessageA(backup, WM_TIMER, 1, 0);
            if (FileExists(bk + "proj\\later.txt")) d.Fail("ran again at minute " + std::to_string(minute));
        }
        now.wDay = 10;
        now.wMinute = 0;
        SendMessageA(backup, WM_TIMER, 1, 0);
        if (!d.WaitFor([&] { return !CopyRunActive() && FileExists(bk + "proj\\later.txt"); }))
            d.Fail("the next day's minute ran nothing");
        d.Click(window, IDC_MAIN_CANCEL);
    });
    BackupOptions saved;
    ASSERT_TRUE(LoadOptionsFile(dir.File("option.sav"), saved));
    EXPECT_EQ(saved.sourcePath, src);
    EXPECT_EQ(saved.runMode, 1);
    EXPECT_EQ(saved.scheduleKind, 2);
    EXPECT_EQ(saved.scheduleText, "at 17:00");
    EXPECT_EQ(saved.scheduleMinute, 0);
    // A new window shows what was saved.
    Drive([&](DialogDriver& d, HWND window) {
        if (d.AnsiText(PageOf(window, false), IDC_TO) != bk) d.Fail("saved destination not shown");
        d.Click(window, IDC_MAIN_CANCEL);
    });
}

TEST_F(BackupWindowTest, TheWindowOutlivesNoRunItOwns) {
    const std::string src = dir.File("src\\");
    CreateDirectoryA(src.c_str(), nullptr);
    {
        ScopedFile big(CreateFileA((src + "big.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        LONG high = 1;  // 4 GiB, sparse
        SetFilePointer(big.Get(), 0, &high, FILE_BEGIN);
        ASSERT_TRUE(SetEndOfFile(big.Get()));
    }
    const std::string bk = dir.File("bk\\");
    CreateDirectoryA(bk.c_str(), nullptr);
    Drive([&](DialogDriver& d, HWND window) {
        HWND backup = PageOf(window, false);
        d.SetText(backup, IDC_FROM, src);
        d.SetText(backup, IDC_TO, bk);
        d.ClickRadio(backup, IDC_OP_OVERWRITE);
        d.ClickRadio(backup, IDC_MANUALLY);
        d.Click(window, IDC_MAIN_RUN);
        HWND progress = d.Expect(L"Copying...");
        if (!progress) return;
        if (IsWindowEnabled(window)) d.Fail("the window stays usable under the run");
        // The close box, Escape and "Cancel" all leave it alone meanwhile.
        PostMessageA(window, WM_CLOSE, 0, 0);
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        d.Click(window, IDC_MAIN_CANCEL);
        Sleep(300);
        if (!IsWindow(window) || theApp.MainWindow == nullptr) d.Fail("closed under the run");
        d.Click(progress, IDC_COPY_CANCEL);
        if (!d.WaitGone(progress, 3000)) d.Fail("the run went on");
    });
    EXPECT_FALSE(FileExists(bk + "src\\big.bin"));  // nothing half-copied
    DeleteFileA((src + "big.bin").c_str());
}

// The real library as the bar loads it, its window driven the user's way:
// a backup, then a restore into a fresh folder. MIVORA_BACKUP_ROAD names a
// folder whose "live\proj" tree backup_road.sh has made and then compares
// with diff -r; otherwise a small tree of its own.
// Run by disk_full.sh: the destination lies on a drive that fills up
// half-way. Every file that did not fit is named in the summary and counted
// as failed; the script checks that the old copies there survived.
TEST(DiskFullTest, FilesThatDoNotFitAreNamedAndNotCounted) {
    char given[MAX_PATH] = {}, to[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("MIVORA_BACKUP_FULL", given, MAX_PATH) ||
        !GetEnvironmentVariableA("MIVORA_BACKUP_FULL_TO", to, MAX_PATH))
        GTEST_SKIP() << "run by disk_full.sh";
    std::wstring summary;
    const CopyOutcome outcome =
        RunJob({given, to, true, 0}, [&](DialogDriver& d) { summary = d.Answer(L"Mivora Backup", IDOK, 60000); });
    EXPECT_EQ(outcome.copied + outcome.failures.size(), outcome.toCopy);
    EXPECT_EQ(outcome.failures.size(), 4u);
    for (const wchar_t* name : {L"a.bin", L"b.bin", L"c.bin", L"new.bin"})
        EXPECT_NE(summary.find(name), std::wstring::npos) << name;
}

// Run by backup_road.sh, which makes what Wine cannot (a folder link back up
// the tree, names that differ only in letter case) and checks what arrived.
TEST(FolderLinkTest, LinksAndLetterCaseTwinsArePassedOverAndNamed) {
    char given[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("MIVORA_BACKUP_LINKS", given, MAX_PATH)) GTEST_SKIP() << "run by backup_road.sh";
    const std::string root = std::string(given) + "\\";
    Win32EngineFiles files;
    EXPECT_TRUE(files.FolderIdentity(root + "src\\p\\loop\\").SameAs(files.FolderIdentity(root + "src\\p")));
    EXPECT_FALSE(files.FolderIdentity(root + "src\\").SameAs(files.FolderIdentity(root + "src\\p\\")));
    std::wstring summary;
    RunJob({root + "src\\", root + "bk\\", true, 0},
           [&](DialogDriver& d) { summary = d.Answer(L"Mivora Backup", IDOK); });
    EXPECT_NE(summary.find(L"src\\p\\loop\\: a link to a folder"), std::wstring::npos) << summary;
    EXPECT_NE(summary.find(L"src\\Report.txt: another name"), std::wstring::npos) << summary;
}

TEST(DorvaneDllTest, BackupAndRestoreThroughTheWindow) {
    TempDir own;
    char given[MAX_PATH] = {};
    const std::string root = GetEnvironmentVariableA("MIVORA_BACKUP_ROAD", given, MAX_PATH) ? std::string(given) + "\\"
                                                                                              : own.Path();
    const std::string src = root + "live\\proj\\";
    if (!FileExists(src)) {
        CreateDirectoryA((root + "live").c_str(), nullptr);
        MakeTree(src);
    }
    for (const char* folder : {"bk", "restored"}) CreateDirectoryA((root + folder).c_str(), nullptr);
    const std::string options = theApp.OptionsPath();
    const std::string savedOptions = ReadFileBytes(options);

    const ScopedModule dll(LoadLibraryA("Dorvane.dll"));
    ASSERT_TRUE(dll);
    using Entry = int(__cdecl*)();
    const auto open = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(dll.Get(), "VukFunction")));
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(dll.Get(), MAKEINTRESOURCEA(1))), reinterpret_cast<void*>(open));
    const auto windows = [] {
        int count = 0;
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, nullptr, "Mivora Backup"));) ++count;
        return count;
    };
    for (bool restore : {false, true}) {
        const std::vector<std::string> failures = RunDriven(
            [&] {
                open();
                open();
                PumpUntil([&] { return windows() == 0; }, 300000);
            },
            [&](DialogDriver& d) {
                HWND window = d.Expect(L"Mivora Backup");
                if (!window) return;
                if (windows() != 1) d.Fail("a second window");
                HWND page = PageOf(window, restore);
                if (restore) {
                    SelectTab(window, 1);
                    d.SetText(page, IDC_TO, root + "restored\\");
                    d.SetCheck(page, IDC_SUBFOLDERS, true);
                } else {
                    d.SetText(page, IDC_FROM, src);
                    d.SetText(page, IDC_TO, root + "bk\\");
                    d.ClickRadio(page, IDC_OP_OVERWRITE);
                }
                d.Click(window, IDC_MAIN_RUN);
            },
            300000);  // the script's tree holds a 5 GB file
        for (const std::string& f : failures) ADD_FAILURE() << f;
    }
    if (savedOptions.empty())
        DeleteFileA(options.c_str());
    else
        WriteFileBytes(options, savedOptions);
    if (root != own.Path()) return;  // the script compares, by diff -r
    const std::map<std::string, Seen> original = Snapshot(src);
    EXPECT_EQ(Snapshot(root + "bk\\proj\\"), original);
    EXPECT_EQ(Snapshot(root + "restored\\proj\\"), original);
}

}  // namespace
