#include "tests/win/bar/BarProcess.h"

#include <algorithm>

std::string DistPath(const std::string& name) { return HostPathToWindows(std::string(MIVORA_DIST_DIR) + "/" + name); }

std::string ProbePath() { return HostPathToWindows(LAUNCH_PROBE); }

namespace {
struct WindowSearch {
    DWORD pid;
    const char* cls;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<WindowSearch*>(lp);
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (lstrcmpA(cls, s->cls) == 0 && (s->pid == 0 || pid == s->pid)) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindBarWindow(DWORD pid) {
    WindowSearch s{pid, "Tolvex", nullptr};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

bool WaitFor(const std::function<bool()>& done, DWORD ms) { return PumpUntil(done, ms); }

std::string WaitForFileBytes(const std::string& path, const std::string& expected, DWORD ms) {
    std::string got;
    PumpUntil([&] { return (got = ReadFileBytes(path)) == expected; }, ms);
    return got;
}

namespace {
struct ChildSearch {
    const char* cls;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChildren(HWND w, LPARAM lp) {
    auto* c = reinterpret_cast<ChildSearch*>(lp);
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (lstrcmpA(cls, c->cls) == 0) c->found.push_back(w);
    return TRUE;
}
}  // namespace

std::vector<HWND> ThreadWindows(DWORD thread, const char* className) {
    ChildSearch ctx{className, {}};
    EnumThreadWindows(thread, CollectChildren, reinterpret_cast<LPARAM>(&ctx));
    return ctx.found;
}

void ChooseMenuItem(HWND menu, int downs) {
    for (int i = 0; i < downs; ++i) {
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PumpFor(50);
    }
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
}

BarProcess::BarProcess(std::string folder) : folder_(std::move(folder)) {
    for (const char* f : {"Mivora.exe", "Dorvane.dll", "hook.dll", "logo.bmp"})
        CopyFileA(DistPath(f).c_str(), (folder_ + f).c_str(), FALSE);
}

BarProcess::~BarProcess() {
    if (pi_.hProcess) {
        if (Running()) {
            Close(5000);
            if (Running()) TerminateProcess(pi_.hProcess, 1);
            WaitForSingleObject(pi_.hProcess, 5000);
        }
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
}

bool BarProcess::Start(DWORD waitMs) { return Launch() && WaitShown(waitMs); }

bool BarProcess::Launch() {
    const std::string exe = folder_ + "Mivora.exe";
    std::string cmd = "\"" + exe + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    return CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &si, &pi_) !=
           FALSE;
}

HWND BarProcess::MessageBoxWindow(const char* caption) const {
    struct Search {
        DWORD pid;
        const char* caption;
        HWND found;
        static BOOL CALLBACK Visit(HWND w, LPARAM lp) {
            auto* s = reinterpret_cast<Search*>(lp);
            char cls[16] = {}, title[64] = {};
            GetClassNameA(w, cls, sizeof cls);
            GetWindowTextA(w, title, sizeof title);
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid != s->pid || lstrcmpA(cls, "#32770") != 0 || lstrcmpA(title, s->caption) != 0 ||
                !IsWindowVisible(w))
                return TRUE;
            s->found = w;
            return FALSE;
        }
    } s{pi_.dwProcessId, caption, nullptr};
    if (pi_.hProcess) EnumWindows(Search::Visit, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

bool BarProcess::WaitShown(DWORD waitMs) {
    if (!pi_.hProcess) return false;
    const bool shown = PumpUntil(
        [&] {
            window_ = FindBarWindow(pi_.dwProcessId);
            return window_ && IsWindowVisible(window_);
        },
        waitMs);
    if (shown) thread_ = GetWindowThreadProcessId(window_, nullptr);
    // Let the start-up's last steps (timers, the tip window) settle.
    PumpFor(300);
    return shown;
}

DWORD BarProcess::StartSecond(DWORD waitMs) {
    const std::string exe = folder_ + "Mivora.exe";
    std::string cmd = "\"" + exe + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &si, &pi))
        return static_cast<DWORD>(-1);
    DWORD code = STILL_ACTIVE;
    if (PumpUntil([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, waitMs))
        GetExitCodeProcess(pi.hProcess, &code);
    else
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return code;
}

DWORD BarProcess::Close(DWORD waitMs) {
    if (!pi_.hProcess) return static_cast<DWORD>(-1);
    if (window_ && IsWindow(window_)) PostMessageA(window_, WM_CLOSE, 0, 0);
    DWORD code = STILL_ACTIVE;
    if (PumpUntil([&] { return !Running(); }, waitMs)) GetExitCodeProcess(pi_.hProcess, &code);
    return code;
}

bool BarProcess::Running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

RECT BarProcess::Rect() const {
    RECT r{};
    GetWindowRect(window_, &r);
    return r;
}

std::vector<HWND> BarProcess::Children(const char* className) const {
    ChildSearch ctx{className, {}};
    EnumChildWindows(window_, CollectChildren, reinterpret_cast<LPARAM>(&ctx));
    HWND bar = window_;
    std::sort(ctx.found.begin(), ctx.found.end(), [bar](HWND a, HWND b) {
        RECT ra{}, rb{};
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.left < rb.left;
    });
    return ctx.found;
}

HWND BarProcess::ButtonAt(int left) const {
    const RECT bar = Rect();
    for (HWND b : Children("TSpeedButton")) {
        RECT r{};
        GetWindowRect(b, &r);
        if (r.left - bar.left == left && r.top - bar.top == 0) return b;
    }
    return nullptr;
}

void BarProcess::Click(HWND control, bool right) const {
    const LPARAM at = MAKELPARAM(5, 5);
    PostMessageA(control, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
    PostMessageA(control, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
}

std::string BarProcess::Ini(const std::string& section, const std::string& key) const {
    char buf[1024] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buf, sizeof buf, (folder_ + "mivora.ini").c_str());
    return buf;
}

std::vector<std::string> BarProcess::IniKeys(const std::string& section) const {
    std::vector<char> buf(32768);
    const DWORD n = GetPrivateProfileStringA(section.c_str(), nullptr, "", buf.data(), static_cast<DWORD>(buf.size()),
                                             (folder_ + "mivora.ini").c_str());
    std::vector<std::string> keys;
    for (DWORD i = 0; i < n;) {
        std::string k(&buf[i]);
        if (k.empty()) break;
        keys.push_back(k);
        i += static_cast<DWORD>(k.size()) + 1;
    }
    return keys;
}
