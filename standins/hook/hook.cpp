// A stand-in for the outside hook library: a system-wide CBT hook that tells
// the bar about program windows being activated and about the paths a
// program was started on. It reports activation, not creation: a window
// being created is not visible yet, and the bar takes only visible ones.
#include "hook.h"

#include <shellapi.h>

#include <string>

#include "ScopedHandle.h"

namespace {

const UINT WM_HOOKNOTIFY = WM_USER + 66;
const LPARAM kPathNotice = -1;
const LPARAM kWindowNotice = 2;
// A bar that does not answer must not hang the program being hooked.
const UINT kSendTimeout = 2000;

// Shared by every process the hook is loaded into.
HWND sharedBar __attribute__((section(".shared"), shared)) = nullptr;
HHOOK sharedHook __attribute__((section(".shared"), shared)) = nullptr;

HINSTANCE module = nullptr;
bool commandLineReported = false;  // once per process

bool InBarProcess() {
    DWORD barProcess = 0;
    GetWindowThreadProcessId(sharedBar, &barProcess);
    return barProcess == GetCurrentProcessId();
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
    if (code >= 0 && sharedBar && IsWindow(sharedBar) && !InBarProcess()) {
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

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" BOOL InstallHook(HWND bar) {
    if (sharedHook) UnhookWindowsHookEx(sharedHook);
    sharedBar = bar;
    sharedHook = SetWindowsHookExA(WH_CBT, CbtProc, module, 0);
    return sharedHook != nullptr;
}

extern "C" BOOL UnInstallHook(void) {
    BOOL ok = TRUE;
    if (sharedHook) ok = UnhookWindowsHookEx(sharedHook);
    sharedHook = nullptr;
    sharedBar = nullptr;
    return ok;
}
