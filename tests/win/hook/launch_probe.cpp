// A small program the tests start. It appends one line to the file named by
// MIVORA_PROBE_LOG: its own path, then its arguments, tab-separated. With
// "--window MS" it shows a window titled "launch probe" for MS milliseconds
// (activated, so hooks see it); "--shown MS" shows it without activating it;
// with "--hidden MS" the window stays hidden.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(hwnd, msg, wp, lp);
}

void Record(int argc, char** argv) {
    char log[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("MIVORA_PROBE_LOG", log, sizeof log)) return;
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string line = self;
    for (int i = 1; i < argc; ++i) line += std::string("\t") + argv[i];
    line += "\r\n";
    HANDLE h = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(h);
}

}  // namespace

int main(int argc, char** argv) {
    Record(argc, argv);
    int showMs = -1;
    std::string mode;
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--window" || a == "--shown" || a == "--hidden") {
            showMs = std::atoi(argv[i + 1]);
            mode = a;
        }
    }
    if (showMs < 0) return 0;
    WNDCLASSA wc{};
    wc.lpfnWndProc = ProbeProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "LaunchProbe";
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(0, "LaunchProbe", "launch probe", WS_OVERLAPPEDWINDOW, 40, 60, 200, 100, nullptr,
                             nullptr, wc.hInstance, nullptr);
    if (mode != "--hidden") ShowWindow(w, mode == "--shown" ? SW_SHOWNOACTIVATE : SW_SHOW);
    if (mode == "--window") SetForegroundWindow(w);
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < static_cast<DWORD>(showMs)) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    DestroyWindow(w);
    return 0;
}
