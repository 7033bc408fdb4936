// A stand-in for the outside hook library: system-wide hooks that tell the bar
// about program windows being shown or activated and about the paths a
// program was started on. A window is reported once shown, not at its
// creation: a window being created is not visible yet, and the bar takes only
// visible ones. Many programs show their window without its ever being
// activated (one started while the bar keeps the foreground, say).
#include "standins/hook/hook.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <string>

#include "framework/win32/ScopedHandle.h"

namespace hook {

namespace {

const UINT WM_HOOKNOTIFY = WM_USER + 66;
const LPARAM kPathNotice = -1;
const LPARAM kWindowNotice = 2;
// A bar that does not answer must not hang the program being hooked.
const UINT kSendTimeout = 2000;

// Shared by every process the hook is loaded into.
HWND sharedBar __attribute__((section(".shared"), shared)) = nullptr;
HHOOK sharedHook __attribute__((section(".shared"), shared)) = nullptr;
HHOOK sharedShowHook __attribute__((section(".shared"), shared)) = nullptr;

HINSTANCE module = nullptr;
bool commandLineReported = false;  // once per process

DWORD BarProcess() {
    DWORD barProcess = 0;
    GetWindowThreadProcessId(sharedBar, &barProcess);
    return barProcess;
}

bool Reporting() { return sharedBar && IsWindow(sharedBar) && BarProcess() != GetCurrentProcessId(); }

// The process that started this one. Toolhelp is looked up at run time: NT 4
// has none, and there every program counts as started by another.
DWORD ParentProcess() {
    using Snapshot = HANDLE(WINAPI*)(DWORD, DWORD);
    using ProcessWalk = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel) return 0;
    const auto snapshot = reinterpret_cast<Snapshot>(GetProcAddress(kernel, "CreateToolhelp32Snapshot"));
    const auto first = reinterpret_cast<ProcessWalk>(GetProcAddress(kernel, "Process32First"));
    const auto next = reinterpret_cast<ProcessWalk>(GetProcAddress(kernel, "Process32Next"));
    if (!snapshot || !first || !next) return 0;
    const ScopedFile snap(snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snap) return 0;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = first(snap.Get(), &entry); more; more = next(snap.Get(), &entry))
        if (entry.th32ProcessID == GetCurrentProcessId()) return entry.th32ParentProcessID;
    return 0;
}

void Send(WPARAM wp, LPARAM lp) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(sharedBar, WM_HOOKNOTIFY, wp, lp, SMTO_ABORTIFHUNG, kSendTimeout, &answer);
}

bool IsAbsolutePath(const std::string& p) {
    return (p.size() >= 3 && p[1] == ':' && (p[2] == '\\' || p[2] == '/')) || p.rfind("\\\\", 0) == 0;
}

// The atom protocol: the atom stays valid until the send returns, then the sender deletes it.
void ReportPath(const std::string& path) {
    if (path.empty() || path.size() > 255) return;  // an atom name holds at most 255 characters
    const ATOM atom = GlobalAddAtomA(path.c_str());
    if (!atom) return;
    Send(atom, kPathNotice);
    GlobalDeleteAtom(atom);
}

void ReportCommandLine() {
    // What the bar starts itself (its registrations at every start, the
    // programs and documents of its menus) is no document the user opened.
    if (ParentProcess() == BarProcess()) return;
    int count = 0;
    const ScopedLocal block(CommandLineToArgvW(GetCommandLineW(), &count));
    auto* args = static_cast<LPWSTR*>(block.Get());
    if (!args) return;
    for (int i = 1; i < count; ++i) {
        // Converted here: the shared conversion would bring the C++ library's
        // wide strings into this library, which every hooked process loads.
        const int n = WideCharToMultiByte(CP_ACP, 0, args[i], -1, nullptr, 0, nullptr, nullptr);
        if (n <= 1) continue;
        std::string path(static_cast<size_t>(n), '\0');
        WideCharToMultiByte(CP_ACP, 0, args[i], -1, &path[0], n, nullptr, nullptr);
        path.resize(static_cast<size_t>(n - 1));
        if (IsAbsolutePath(path) && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) ReportPath(path);
    }
}

LRESULT CALLBACK CbtProc(int code, WPARAM wp, LPARAM lp) {
    if (code >= 0 && Reporting()) {
        try {
            // Not in DllMain: the loader lock would be held there.
            if (!commandLineReported) {
                commandLineReported = true;
                ReportCommandLine();
            }
            if (code == HCBT_ACTIVATE) {
                auto window = reinterpret_cast<HWND>(wp);
                if (!(GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) Send(wp, kWindowNotice);
            }
        } catch (...) {
            // Nothing may unwind into the hooked program.
        }
    }
    return CallNextHookEx(sharedHook, code, wp, lp);
}

// A program's own window (neither a child nor owned by another: no menu, tip
// or list drops down as one) has just become visible.
LRESULT CALLBACK ShowProc(int code, WPARAM wp, LPARAM lp) {
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lp);
    if (code >= 0 && sent->message == WM_WINDOWPOSCHANGED &&
        (reinterpret_cast<const WINDOWPOS*>(sent->lParam)->flags & SWP_SHOWWINDOW) &&
        !(GetWindowLongA(sent->hwnd, GWL_STYLE) & WS_CHILD) && !GetWindow(sent->hwnd, GW_OWNER) && Reporting())
        Send(reinterpret_cast<WPARAM>(sent->hwnd), kWindowNotice);
    return CallNextHookEx(sharedShowHook, code, wp, lp);
}

}  // namespace

}  // namespace hook

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        hook::module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" BOOL UnInstallHook(void) {
    BOOL ok = TRUE;
    for (HHOOK* hook : {&hook::sharedHook, &hook::sharedShowHook}) {
        if (*hook && !UnhookWindowsHookEx(*hook)) ok = FALSE;
        *hook = nullptr;
    }
    hook::sharedBar = nullptr;
    return ok;
}

extern "C" BOOL InstallHook(HWND bar) {
    UnInstallHook();
    hook::sharedBar = bar;
    hook::sharedHook = SetWindowsHookExA(WH_CBT, hook::CbtProc, hook::module, 0);
    hook::sharedShowHook = SetWindowsHookExA(WH_CALLWNDPROCRET, hook::ShowProc, hook::module, 0);
    return hook::sharedHook && hook::sharedShowHook;
}
