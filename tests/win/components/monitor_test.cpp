#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "main/components/Filemoni.h"
#include "tests/win/support/TestSupport.h"

using namespace components;

namespace {

struct Delivery {
    TObject* sender;
    std::string dir;
    DWORD thread;
};

struct Recorder {
    std::vector<Delivery> got;
    TFileSysChange Handler() {
        return [this](TObject* s, const std::string& d) { got.push_back({s, d, GetCurrentThreadId()}); };
    }
};

// Gives the worker time to arm its notification before the test changes anything.
void LetWorkerArm() { PumpFor(300); }

void Append(const std::string& path, const std::string& text) {
    HANDLE h = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    DWORD w;
    WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &w, nullptr);
    CloseHandle(h);
}

}  // namespace

TEST(FileSysMonitor, AChangeReachesTheHandlerOnTheGuiThreadFromTheWorker) {
    TempDir t;
    Recorder r;
    TFileSysMonitor m(nullptr);
    m.SetNotifyFilter(NotifySet(TFileSysNotify::LAST_WRITE));
    m.OnFileSysChange = r.Handler();
    m.SetMonitoredDirectory(t.Path());
    m.SetActive(true);
    EXPECT_TRUE(m.Active());
    LetWorkerArm();
    Append(t.File("a.txt"), "hello");
    ASSERT_TRUE(PumpUntil([&] { return !r.got.empty(); }, 3000));
    EXPECT_EQ(r.got[0].thread, GetCurrentThreadId());
    EXPECT_EQ(r.got[0].dir, t.Path());
    EXPECT_NE(r.got[0].sender, &m);  // the worker that saw it
    EXPECT_NE(r.got[0].sender, nullptr);
    m.SetActive(false);
}

TEST(FileSysMonitor, LastWriteFilterIgnoresRenamesButSeesWrites) {
    TempDir t;
    WriteFileBytes(t.File("old.txt"), "x");
    Recorder r;
    TFileSysMonitor m(nullptr);
    m.SetNotifyFilter(NotifySet(TFileSysNotify::LAST_WRITE));
    m.OnFileSysChange = r.Handler();
    m.SetMonitoredDirectory(t.Path());
    m.SetActive(true);
    LetWorkerArm();
    ASSERT_TRUE(MoveFileA(t.File("old.txt").c_str(), t.File("new.txt").c_str()));
    PumpFor(700);
    EXPECT_TRUE(r.got.empty());
    Append(t.File("new.txt"), "more");
    EXPECT_TRUE(PumpUntil([&] { return !r.got.empty(); }, 3000));
    m.SetActive(false);
}

TEST(FileSysMonitor, FolderSetterRefusesMissingFoldersAndRestartsOnlyOnAChange) {
    TempDir t;
    Recorder r;
    TFileSysMonitor m(nullptr);
    m.SetNotifyFilter(NotifySet(TFileSysNotify::LAST_WRITE));
    m.OnFileSysChange = r.Handler();
    m.SetMonitoredDirectory(t.Path());
    m.SetActive(true);

    try {
        m.SetMonitoredDirectory(t.File("missing"));
        FAIL() << "a missing folder was accepted";
    } catch (const EFileSysMonitor& e) {
        EXPECT_EQ(e.Message(), "Directory does not exist!");
    }
    EXPECT_EQ(m.MonitoredDirectory(), t.Path());

    LetWorkerArm();
    Append(t.File("a.txt"), "1");
    ASSERT_TRUE(PumpUntil([&] { return r.got.size() >= 1; }, 3000));
    TObject* first = r.got.back().sender;

    m.SetMonitoredDirectory(t.Path());  // same text: the worker stays
    PumpFor(200);
    r.got.clear();
    Append(t.File("a.txt"), "2");
    ASSERT_TRUE(PumpUntil([&] { return !r.got.empty(); }, 3000));
    EXPECT_EQ(r.got.back().sender, first);

    std::string otherCase = t.Path();
    for (char& c : otherCase) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    ASSERT_NE(otherCase, t.Path());
    m.SetMonitoredDirectory(otherCase);  // another spelling restarts
    LetWorkerArm();
    r.got.clear();
    Append(t.File("a.txt"), "3");
    ASSERT_TRUE(PumpUntil([&] { return !r.got.empty(); }, 3000));
    EXPECT_NE(r.got.back().sender, first);
    EXPECT_EQ(r.got.back().dir, otherCase);
    m.SetActive(false);
}

TEST(FileSysMonitor, SettersWhileInactiveStartNothing) {
    TFileSysMonitor m(nullptr);
    m.SetWatchSubtree(true);
    m.SetNotifyFilter(NotifySet(TFileSysNotify::SIZE));
    EXPECT_FALSE(m.Active());
    EXPECT_EQ(NotifyFilterMask(NotifySet(TFileSysNotify::SECURITY) | NotifySet(TFileSysNotify::FILE_NAME)), 0x101u);
}

TEST(FileSysMonitor, SwitchingOffReturnsAtOnceAndDeliversNothingAfterwards) {
    TempDir t;
    Recorder r;
    TFileSysMonitor m(nullptr);
    m.SetNotifyFilter(NotifySet(TFileSysNotify::LAST_WRITE));
    m.OnFileSysChange = r.Handler();
    m.SetMonitoredDirectory(t.Path());
    m.SetActive(true);
    LetWorkerArm();
    // A change the worker may already have seen, not yet delivered:
    Append(t.File("a.txt"), "x");
    Sleep(150);
    const DWORD start = GetTickCount();
    m.SetActive(false);
    EXPECT_LT(GetTickCount() - start, 50u);
    EXPECT_FALSE(m.Active());
    Append(t.File("a.txt"), "y");
    PumpFor(600);
    EXPECT_TRUE(r.got.empty());
}

// Failure paths, with the system calls replaced.
namespace {
std::atomic<int> nextCalls{0};
HANDLE WINAPI FailFirst(LPCSTR, BOOL, DWORD) {
    SetLastError(5);
    return INVALID_HANDLE_VALUE;
}
HANDLE WINAPI EventFirst(LPCSTR, BOOL, DWORD) { return CreateEventA(nullptr, TRUE, TRUE, nullptr); }
BOOL WINAPI FailNext(HANDLE) {
    ++nextCalls;
    SetLastError(8);
    return FALSE;
}
DWORD WINAPI FailWait(HANDLE, DWORD) {
    SetLastError(6);
    return WAIT_FAILED;
}
BOOL WINAPI CloseEvent(HANDLE h) { return CloseHandle(h); }

class FailingApi {
public:
    explicit FailingApi(ChangeNotifyApi api) : previous_(SetChangeNotifyApi(api)) {}
    ~FailingApi() { SetChangeNotifyApi(previous_); }

private:
    ChangeNotifyApi previous_;
};
}  // namespace

// Each failing call is reported once, with its code, and nothing more follows:
// a failed start leaves the monitor switched on, a failed re-arm ends the
// watch after the one change it saw.
TEST(FileSysMonitor, AFailingSystemCallIsReportedOnce) {
    struct Case {
        ChangeNotifyApi api;
        const char* report;
        std::size_t notices;
        int nextCalls;
    };
    const Case cases[] = {
        {{FailFirst, FindNextChangeNotification, WaitForSingleObject, FindCloseChangeNotification},
         "TFileWaitThread Error, code 5", 0, 0},
        {{EventFirst, FailNext, WaitForSingleObject, CloseEvent}, "TFileWaitThread Error, code 8", 1, 1},
        {{EventFirst, FindNextChangeNotification, FailWait, CloseEvent}, "TFileWaitThread Error, code 6", 0, 0},
    };
    for (const Case& c : cases) {
        ErrorReports reports;
        TempDir t;
        Recorder r;
        nextCalls = 0;
        FailingApi api(c.api);
        TFileSysMonitor m(nullptr);
        m.OnFileSysChange = r.Handler();
        m.SetMonitoredDirectory(t.Path());
        m.SetActive(true);
        ASSERT_TRUE(PumpUntil([&] { return !reports.messages.empty(); }, 2000)) << c.report;
        PumpFor(400);
        EXPECT_EQ(reports.messages, std::vector<std::string>{c.report});
        EXPECT_EQ(r.got.size(), c.notices) << c.report;
        EXPECT_EQ(nextCalls.load(), c.nextCalls) << c.report;
        EXPECT_TRUE(m.Active()) << c.report;
        m.SetActive(false);
    }
}
