// The bar's menu reactions under Wine, timed from outside as a user meets
// them (bench/bar-menus.sh):
//   menu_bench FOLDER RUNS
// starts FOLDER\Mivora.exe (whose files.lst names two files) and prints the
// median milliseconds, over RUNS rounds, of:
//   wine     a plain pop-up menu of ten items shown by a thread of this
//            program, from the request until it shows (the reference)
//   plain    a click on the Find button until its plain menu shows
//   recent   a click on the quick-file button until its menu shows
//   context  a right click on a recent file until its context menu shows
//   tip      the cursor onto a recent file until the tip describes it
//   menu_bench FOLDER show TAG [context]
// opens the menu of the button with that Tag, highlights its first entry
// (and right-clicks it) and holds it 4 s, for a screenshot.
// Either way the output goes through bench/xinput.py, which moves the mouse.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/win/support/TestSupport.h"

namespace {

DWORD barThread = 0;

struct Found {
    const char* cls;
    HWND skip;
    HWND hit = nullptr;
};

BOOL CALLBACK Visit(HWND w, LPARAM lp) {
    auto* f = reinterpret_cast<Found*>(lp);
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (w != f->skip && lstrcmpA(cls, f->cls) == 0 && IsWindowVisible(w)) f->hit = w;
    return TRUE;
}

HWND Shown(const char* cls, HWND skip = nullptr) {
    Found f{cls, skip};
    EnumThreadWindows(barThread, Visit, reinterpret_cast<LPARAM>(&f));
    return f.hit;
}

double Now() {
    LARGE_INTEGER c, f;
    QueryPerformanceCounter(&c);
    QueryPerformanceFrequency(&f);
    return 1000.0 * c.QuadPart / f.QuadPart;
}

// Milliseconds until `done`, polled without sleeping; -1 after 5 s.
template <class F>
double Until(double start, F done) {
    while (!done())
        if (Now() - start > 5000) return -1;
    return Now() - start;
}

// The mouse is the X server's, as a user's is: bench/xinput.py reads these
// lines from this program's output and makes them X input. Input injected
// here would move Wine's cursor but not the X pointer while the bar's open
// menu holds the pointer grab, and the bar's next crossing event would put
// its cursor back where the X pointer stayed.
void Move(int x, int y) {
    printf("@move %d %d\n", x, y);
    fflush(stdout);
}

void Click(int button) {
    printf("@down %d\n@up %d\n", button, button);
    fflush(stdout);
}

// Escape posted to the menu itself: the bar need not be the active window.
void CloseMenus() {
    for (int i = 0; i < 3; ++i) {
        HWND menu = Shown("#32768");
        if (!menu) return;
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        PumpUntil([menu] { return !IsWindowVisible(menu); }, 1000);
    }
}

std::string Text(HWND w) {
    char buf[512] = {};
    GetWindowTextA(w, buf, sizeof buf);
    return buf;
}

// A thread with a window that shows a plain menu each time it is asked.
const UINT kShowMenu = WM_APP + 1;
DWORD WINAPI PlainMenuThread(LPVOID ready) {
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    SetEvent(static_cast<HANDLE>(ready));
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message != kShowMenu) continue;
        HMENU menu = CreatePopupMenu();
        for (int i = 1; i <= 10; ++i) AppendMenuA(menu, MF_STRING, i, ("Item " + std::to_string(i)).c_str());
        TrackPopupMenu(menu, TPM_RETURNCMD, 400, 300, 0, owner, nullptr);
        DestroyMenu(menu);
    }
    DestroyWindow(owner);
    return 0;
}

// Of the samples that ended (a timed-out one is -1).
double Median(std::vector<double> v) {
    v.erase(std::remove(v.begin(), v.end(), -1.0), v.end());
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::string folder = argv[1];
    const int runs = atoi(argv[2]);
    std::vector<std::string> names;
    for (const char* n : {"one.txt", "two.txt"}) {
        names.push_back(folder + "\\" + n);
        WriteFileBytes(names.back(), std::string("text of ") + n);
    }
    // A file list the bar shows as it is; the bench's own unless one was put there.
    if (GetFileAttributesA((folder + "\\files.lst").c_str()) == INVALID_FILE_ATTRIBUTES)
        WriteFileBytes(folder + "\\files.lst", names[0] + "\r\n" + names[1] + "\r\n");
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + folder + "\\Mivora.exe\"";
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) return 3;
    HWND bar = nullptr;
    PumpUntil([&] { return (bar = FindWindowA("Tolvex", nullptr)) && IsWindowVisible(bar); }, 20000);
    if (!bar) return 4;
    barThread = GetWindowThreadProcessId(bar, nullptr);
    PumpFor(1500);
    RECT b{};
    GetWindowRect(bar, &b);
    if (std::string(argv[2]) == "show" && argc > 3) {
        const int tag = atoi(argv[3]);
        Move(b.left + 10 + tag * 22 + (tag >= 9 ? 4 : tag >= 6 ? 2 : 0) + 11, b.top + 11);
        Click(1);
        HWND menu = nullptr;
        Until(Now(), [&] { return (menu = Shown("#32768")) != nullptr; });
        RECT m{};
        GetWindowRect(menu, &m);
        Move(m.left + 30, m.top + 12);
        PumpFor(300);
        if (argc > 4) Click(3);
        PumpFor(4000);
        CloseMenus();
        PostMessageA(bar, WM_CLOSE, 0, 0);
        return WaitForSingleObject(pi.hProcess, 15000) == WAIT_OBJECT_0 ? 0 : 1;
    }
    const int findX = b.left + 10 + 7 * 22 + 2 + 11, fileX = b.left + 10 + 3 * 22 + 11, y = b.top + 11;
    std::vector<double> wine, plain, recent, context, tip;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD plainThread = 0;
    HANDLE thread = CreateThread(nullptr, 0, PlainMenuThread, ready, 0, &plainThread);
    WaitForSingleObject(ready, 5000);
    for (int run = 0; run < runs; ++run) {
        if (!getenv("MENU_BENCH_NOREF")) {
            const DWORD keep = barThread;
            barThread = plainThread;
            const double t = Now();
            PostThreadMessageA(plainThread, kShowMenu, 0, 0);
            HWND shown = nullptr;
            wine.push_back(Until(t, [&] { return (shown = Shown("#32768")) != nullptr; }));
            CloseMenus();
            barThread = keep;
        }
        Move(findX, y);
        PumpFor(100);
        double t = Now();
        Click(1);
        plain.push_back(Until(t, [] { return Shown("#32768") != nullptr; }));
        CloseMenus();

        Move(fileX, y);
        PumpFor(100);
        t = Now();
        Click(1);
        HWND menu = nullptr;
        recent.push_back(Until(t, [&] { return (menu = Shown("#32768")) != nullptr; }));
        RECT m{};
        GetWindowRect(menu, &m);
        for (int i = 0; i < 2; ++i) {
            // Alternate entries so each hover changes the tip's text.
            const int k = (run + i) % 2;
            t = Now();
            Move(m.left + 30, m.top + 12 + 20 * k);
            tip.push_back(Until(t, [&] {
                HWND w = Shown("THintWindow");
                return w && Text(w).rfind(names[k], 0) == 0;
            }));
            if (tip.back() < 0) {
                HWND w = Shown("THintWindow");
                fprintf(stderr, "tip for %s missing: %s [%s]\n", names[k].c_str(), w ? "shown" : "hidden",
                        w ? Text(w).c_str() : "");
            }
        }
        PumpFor(100);
        t = Now();
        Move(m.left + 30, m.top + 12);
        Click(3);
        context.push_back(Until(t, [&] { return Shown("#32768", menu) != nullptr; }));
        CloseMenus();
        PumpFor(200);
    }
    PostMessageA(bar, WM_CLOSE, 0, 0);
    const bool closed = WaitForSingleObject(pi.hProcess, 15000) == WAIT_OBJECT_0;
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    PostThreadMessageA(plainThread, WM_QUIT, 0, 0);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    CloseHandle(ready);
    const double w = Median(wine);
    printf("wine %.1f ms (reference)\n", w);
    const std::pair<const char*, std::vector<double>*> rows[] = {
        {"plain", &plain}, {"recent", &recent}, {"context", &context}, {"tip", &tip}};
    for (const auto& row : rows)
        printf("%s %.1f ms (%.2fx), %d of %d timed out\n", row.first, Median(*row.second), Median(*row.second) / w,
               static_cast<int>(std::count(row.second->begin(), row.second->end(), -1.0)),
               static_cast<int>(row.second->size()));
    if (getenv("MENU_BENCH_ALL"))
        for (const auto& row : rows) {
            printf("%s:", row.first);
            for (double v : *row.second) printf(" %.0f", v);
            printf("\n");
        }
    printf("closed %s exit %lu\n", closed ? "yes" : "no", code);
    return 0;
}
