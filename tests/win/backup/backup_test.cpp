// Backup and restore runs through the copy job and its progress dialog,
// driven from a second thread, checked against the source tree on disk.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "CopyJob.h"
#include "DialogDriver.h"
#include "ReplaceConfirmDlg.h"
#include "ScopedHandle.h"
#include "TestSupport.h"
#include "resource.h"

namespace {

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

TEST(DorvaneDllTest, TheExportStillSaysTheWindowIsNotAvailable) {
    HMODULE dll = LoadLibraryA("Dorvane.dll");
    ASSERT_NE(dll, nullptr);
    using Entry = int(__cdecl*)();
    const auto byName = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(dll, "VukFunction")));
    ASSERT_NE(byName, nullptr);
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(dll, MAKEINTRESOURCEA(1))), reinterpret_cast<void*>(byName));
    std::wstring text;
    const std::vector<std::string> failures =
        RunDriven([&] { byName(); }, [&](DialogDriver& d) { text = d.Answer(L"Mivora backup", IDOK); });
    for (const std::string& f : failures) ADD_FAILURE() << f;
    EXPECT_EQ(text, L"The backup window is not available yet.");
    FreeLibrary(dll);
}

}  // namespace
