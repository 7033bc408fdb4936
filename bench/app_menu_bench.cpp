// Opening the bar's application menu with 500 programs in 20 groups (the nine
// fixed ones and eleven of the user's), against opening a plain menu of the
// same bar with 16 items, in the same run: the milliseconds from the click to
// the menu window's first paint having returned. Prints the median of RUNS
// openings of each (default 7), the first (cold) opening apart.
//   app_menu_bench [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "main/bar/core/AppGroups.h"
#include "tests/win/support/MenuDriver.h"
#include "framework/win32/ScopedHandle.h"
#include "main/bar/ShellMenus.h"
#include "tests/win/support/TestSupport.h"
#include "main/bar/mainfrm.h"

using namespace bar;

namespace {

LARGE_INTEGER shownAt;
bool shown = false;

LRESULT CALLBACK AfterMessage(int code, WPARAM wp, LPARAM lp) {
    const auto* m = reinterpret_cast<const CWPRETSTRUCT*>(lp);
    char cls[16] = {};
    if (code == HC_ACTION && !shown && m->message == WM_PAINT && GetClassNameA(m->hwnd, cls, sizeof cls) &&
        lstrcmpA(cls, "#32768") == 0) {
        QueryPerformanceCounter(&shownAt);
        shown = true;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

double TimeOpening(const std::function<void()>& open) {
    LARGE_INTEGER start, freq;
    QueryPerformanceFrequency(&freq);
    shown = false;
    MenuDriver closer({[](HWND) {}}, 50);
    QueryPerformanceCounter(&start);
    open();
    return shown ? 1000.0 * double(shownAt.QuadPart - start.QuadPart) / double(freq.QuadPart) : -1;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    TempDir dir;
    const std::string program = dir.File("program.exe");
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    CopyFileA((std::string(self).substr(0, std::string(self).rfind('\\') + 1) + "launch_probe.exe").c_str(),
              program.c_str(), FALSE);
    std::string ini = "[User]\r\n";
    for (int g = 0; g < 11; ++g) ini += "user group " + std::to_string(g) + "=\r\n";
    for (int g = 0; g < 20; ++g) {
        ini += "[" + (g < kFixedGroupCount ? std::string(kFixedGroups[g].section)
                                           : "user group " + std::to_string(g - kFixedGroupCount)) + "]\r\n";
        for (int p = 0; p < 25; ++p) {
            // 500 files of their own, each found and asked for its icon.
            const std::string path = dir.File("program " + std::to_string(g * 25 + p) + ".exe");
            CreateHardLinkA(path.c_str(), program.c_str(), nullptr);
            ini += "program " + std::to_string(p) + "=" + path + "\r\n";
        }
    }
    WriteFileBytes(dir.File("mivora.ini"), ini);
    // Wine reloads a profile file written in the last two seconds at every
    // call; a settings file is older than that when the user opens the menu.
    {
        const ScopedFile f(CreateFileA(dir.File("mivora.ini").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
        FILETIME hourAgo{};
        GetSystemTimeAsFileTime(&hourAgo);
        ULARGE_INTEGER t{{hourAgo.dwLowDateTime, hourAgo.dwHighDateTime}};
        t.QuadPart -= 36000000000ULL;
        hourAgo = {t.LowPart, t.HighPart};
        SetFileTime(f.Get(), nullptr, nullptr, &hourAgo);
    }
    SetBarFolder(dir.Path());
    TForm1 bar(nullptr);
    bar.SetBounds(0, 0, 406, 22);
    bar.HandleNeeded();
    AttachSystemImageList(*bar.ImageList);
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterMessage, nullptr, GetCurrentThreadId());
    const double coldApp = TimeOpening([&] { bar.QAppClick(nullptr); });
    const double coldPlain = TimeOpening([&] { bar.QfindClick(nullptr); });
    std::vector<double> app, plain;
    for (int i = 0; i < runs; ++i) {
        app.push_back(TimeOpening([&] { bar.QAppClick(nullptr); }));
        plain.push_back(TimeOpening([&] { bar.QfindClick(nullptr); }));
    }
    UnhookWindowsHookEx(hook);
    const int programs = bar.GroupItems[0]->Count();
    std::printf("application menu, 500 programs in 20 groups: first %.1f ms, median %.1f ms (%d a group)\n", coldApp,
                Median(app), programs);
    std::printf("plain bar menu (find, 7 items), same run: first %.1f ms, median %.1f ms\n", coldPlain, Median(plain));
    SetBarFolder("");
    return 0;
}
