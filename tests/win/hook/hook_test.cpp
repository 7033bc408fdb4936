// The stand-in hook library: between InstallHook and UnInstallHook it tells
// the window it was given about program windows being activated (lParam 2)
// and about the paths programs were started on (lParam -1, a global atom
// that lives only until the send returns).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/win32/ScopedHandle.h"
#include "tests/win/support/TestSupport.h"
#include "framework/forms/UtilWindow.h"

namespace {

const UINT WM_HOOKNOTIFY = WM_USER + 66;

struct Notice {
    LPARAM kind;
    HWND window = nullptr;
    DWORD pid = 0;
    std::string path;
};

// The window the hook reports to; atom names are read while the send lasts.
class Receiver {
public:
    Receiver()
        : window_([this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
              if (msg != WM_HOOKNOTIFY) return false;
              Notice n;
              n.kind = lp;
              if (lp == 2) {
                  n.window = reinterpret_cast<HWND>(wp);
                  GetWindowThreadProcessId(n.window, &n.pid);
              } else if (lp == -1) {
                  char name[256] = {};
                  GlobalGetAtomNameA(static_cast<ATOM>(wp), name, sizeof name);
                  n.path = name;
              }
              notices.push_back(n);
              result = 0;
              return true;
          }) {}
    HWND Handle() const { return window_.Handle(); }
    std::vector<Notice> notices;

    bool WindowOf(DWORD pid) const {
        for (const Notice& n : notices)
            if (n.kind == 2 && n.pid == pid) return true;
        return false;
    }
    bool Path(const std::string& p) const {
        for (const Notice& n : notices)
            if (n.kind == -1 && n.path == p) return true;
        return false;
    }

private:
    TUtilWindow window_;
};

struct Child {
    PROCESS_INFORMATION pi{};
    // Through cmd, the probe is not a program this process started.
    explicit Child(const std::string& args, bool viaCmd = false) {
        const std::string probe = HostPathToWindows(LAUNCH_PROBE);
        std::string cmd = "\"" + probe + "\" " + args;
        if (viaCmd) cmd = "cmd.exe /c \"" + cmd + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        if (!CreateProcessA(viaCmd ? nullptr : probe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &si, &pi))
            ADD_FAILURE() << "cannot start " << probe << ", error " << GetLastError();
    }
    ~Child() {
        if (pi.hProcess) {
            if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
            CloseHandle(pi.hProcess);
            CloseHandle(pi.hThread);
        }
    }
    bool Ended() const { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }
};

class HookTest : public ::testing::Test {
protected:
    void SetUp() override {
        lib_.Reset(LoadLibraryA(HostPathToWindows(MIVORA_DIST_DIR "/hook.dll").c_str()));
        ASSERT_TRUE(lib_);
        install_ = reinterpret_cast<Install>(GetProcAddress(lib_.Get(), "InstallHook"));
        uninstall_ = reinterpret_cast<Uninstall>(GetProcAddress(lib_.Get(), "UnInstallHook"));
        ASSERT_TRUE(install_ && uninstall_);
        ASSERT_TRUE(install_(receiver_.Handle()));
    }
    void TearDown() override {
        if (uninstall_) uninstall_();
        lib_.Reset();
    }
    using Install = BOOL (*)(HWND);
    using Uninstall = BOOL (*)();
    ScopedModule lib_;
    Install install_ = nullptr;
    Uninstall uninstall_ = nullptr;
    Receiver receiver_;
    TempDir dir_;
};

TEST_F(HookTest, AnotherProgramsShownWindowIsReportedActivatedOrNot) {
    for (const char* mode : {"--window", "--shown"}) {
        Child child(std::string(mode) + " 2500");
        ASSERT_TRUE(PumpUntil([&] { return receiver_.WindowOf(child.pi.dwProcessId); }, 10000)) << mode;
        for (const Notice& n : receiver_.notices) {
            if (n.kind != 2 || n.pid != child.pi.dwProcessId) continue;
            char title[64] = {};
            GetWindowTextA(n.window, title, sizeof title);
            EXPECT_STREQ(title, "launch probe");
            EXPECT_FALSE(GetWindowLongA(n.window, GWL_STYLE) & WS_CHILD);
        }
    }
}

TEST_F(HookTest, StartPathsAreReportedAndTheirAtomsDeleted) {
    const std::string file = dir_.File("opened file.txt");
    WriteFileBytes(file, "x");
    CreateDirectoryA(dir_.File("folder").c_str(), nullptr);
    const std::string folder = dir_.File("folder");
    const std::string missing = dir_.File("missing.txt");
    Child child("--window 1500 \"" + file + "\" \"" + folder + "\" relative.txt \"" + missing + "\"", true);
    ASSERT_TRUE(PumpUntil([&] { return receiver_.Path(file) && receiver_.Path(folder); }, 10000));
    PumpUntil([&] { return child.Ended(); }, 10000);
    PumpFor(300);
    EXPECT_FALSE(receiver_.Path("relative.txt"));
    EXPECT_FALSE(receiver_.Path(missing));
    // Once per program: a second window of the same program reports nothing new.
    int count = 0;
    for (const Notice& n : receiver_.notices) count += n.kind == -1 && n.path == file;
    EXPECT_EQ(count, 1);
    // The sender deletes its atom after the send.
    EXPECT_EQ(GlobalFindAtomA(file.c_str()), 0);
}

TEST_F(HookTest, PathsOfProgramsTheReceiversProcessStartsAreNotReported) {
    const std::string file = dir_.File("Norquil.dll");  // as the bar's registrations name it
    WriteFileBytes(file, "x");
    Child child("--window 1500 \"" + file + "\"");
    // Its path would come before its window.
    ASSERT_TRUE(PumpUntil([&] { return receiver_.WindowOf(child.pi.dwProcessId); }, 10000));
    EXPECT_FALSE(receiver_.Path(file));
}

TEST_F(HookTest, HiddenWindowsAndTheReceiversOwnWindowsAreNotReported) {
    Child hidden("--hidden 1500");
    HWND own = CreateWindowExA(0, "STATIC", "own", WS_OVERLAPPEDWINDOW, 10, 10, 100, 80, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    ShowWindow(own, SW_SHOW);
    SetForegroundWindow(own);
    PumpUntil([&] { return hidden.Ended(); }, 10000);
    PumpFor(500);
    EXPECT_FALSE(receiver_.WindowOf(hidden.pi.dwProcessId));
    for (const Notice& n : receiver_.notices) EXPECT_NE(n.window, own);
    DestroyWindow(own);
}

TEST_F(HookTest, NothingArrivesAfterUnInstall) {
    ASSERT_TRUE(uninstall_());
    const std::string file = dir_.File("later.txt");
    WriteFileBytes(file, "x");
    Child child("--window 1000 \"" + file + "\"");
    PumpUntil([&] { return child.Ended(); }, 10000);
    PumpFor(500);
    EXPECT_TRUE(receiver_.notices.empty());
}

}  // namespace
