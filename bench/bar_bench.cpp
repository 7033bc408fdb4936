// The start-up benchmark's helper (bench/bar-startup.sh):
//   bar_bench links PROGRAMS RECENT TARGET   shortcuts to TARGET in the Start menu's
//                                            Programs folder and in the Recent folder
//   bar_bench unlink                         removes them
//   bar_bench start HOLD_MS EXE [ARGS...]    starts EXE, prints the milliseconds until
//                                            its first window shows, holds it HOLD_MS,
//                                            then closes it
//   bar_bench scan                           does the work of the bar's two start-up
//                                            scans in the plainest way (the Recent
//                                            folder's shortcuts with their file times,
//                                            the Programs tree's shortcuts resolved
//                                            with one shell link object) and prints
//                                            the milliseconds: the scans' own share
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/win/support/TestSupport.h"
#include "framework/win32/WideText.h"

namespace {

const char kBenchFolder[] = "\\Mivora bench";
const int kPerFolder = 100;  // creating files slows down with the count in one folder

std::string SpecialFolder(int csidl) {
    char path[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, path, csidl, TRUE);
    return path;
}

int Links(int programs, int recent, const std::string& target) {
    const std::string root = SpecialFolder(CSIDL_PROGRAMS) + kBenchFolder;
    CreateDirectoryA(root.c_str(), nullptr);
    for (int i = 0; i < programs; ++i) {
        const std::string sub = root + "\\group " + std::to_string(i / kPerFolder);
        if (i % kPerFolder == 0) CreateDirectoryA(sub.c_str(), nullptr);
        if (!MakeShortcut(sub + "\\program " + std::to_string(i) + ".lnk", target)) return 1;
    }
    const std::string rec = SpecialFolder(CSIDL_RECENT);
    for (int i = 0; i < recent; ++i)
        if (!MakeShortcut(rec + "\\mivora bench " + std::to_string(i) + ".lnk", target)) return 1;
    return 0;
}

int Unlink() {
    RemoveTree(SpecialFolder(CSIDL_PROGRAMS) + kBenchFolder);
    const std::string rec = SpecialFolder(CSIDL_RECENT);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((rec + "\\mivora bench *.lnk").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do DeleteFileA((rec + "\\" + fd.cFileName).c_str());
        while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    return 0;
}

// Every "*.lnk" under dir (with a trailing backslash), subfolders too when deep.
void FindLinks(const std::string& dir, bool deep, std::vector<std::string>& out) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    std::vector<std::string> subs;
    do {
        const std::string name = fd.cFileName;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (deep && name != "." && name != "..") subs.push_back(dir + name + "\\");
        } else if (name.size() > 4 && lstrcmpiA(name.c_str() + name.size() - 4, ".lnk") == 0) {
            out.push_back(dir + name);
        }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    for (const std::string& sub : subs) FindLinks(sub, deep, out);
}

int Scan() {
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t0);
    std::vector<std::string> recent, programs;
    FindLinks(SpecialFolder(CSIDL_RECENT) + "\\", false, recent);
    unsigned long long stamps = 0;
    for (const std::string& link : recent) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (GetFileAttributesExA(link.c_str(), GetFileExInfoStandard, &data))
            stamps += data.ftLastWriteTime.dwLowDateTime;
    }
    FindLinks(SpecialFolder(CSIDL_PROGRAMS) + "\\", true, programs);
    IShellLinkA* sl = nullptr;
    IPersistFile* pf = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&sl))))
        return 1;
    if (FAILED(sl->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pf)))) {
        sl->Release();
        return 1;
    }
    size_t resolved = 0;
    for (const std::string& link : programs) {
        const std::wstring wide = WideFromAnsi(link);
        if (wide.empty()) continue;
        char target[MAX_PATH + 1] = {};
        if (SUCCEEDED(pf->Load(wide.c_str(), STGM_READ)) &&
            sl->GetPath(target, MAX_PATH, nullptr, SLGP_UNCPRIORITY) == S_OK)
            ++resolved;
    }
    pf->Release();
    sl->Release();
    QueryPerformanceCounter(&t1);
    printf("%lu\n", static_cast<unsigned long>((t1.QuadPart - t0.QuadPart) * 1000 / f.QuadPart));
    fprintf(stderr, "%zu recent, %zu programs (%zu resolved), stamp sum %llu\n", recent.size(), programs.size(),
            resolved, stamps);
    return 0;
}

struct Shown {
    DWORD pid;
    HWND window;
};

BOOL CALLBACK FindShown(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<Shown*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == s->pid && IsWindowVisible(w)) {
        s->window = w;
        return FALSE;
    }
    return TRUE;
}

int Start(DWORD holdMs, int argc, char** argv, int first) {
    std::string cmd;
    for (int i = first; i < argc; ++i) cmd += std::string(i > first ? " \"" : "\"") + argv[i] + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const DWORD t0 = GetTickCount();
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
    Shown s{pi.dwProcessId, nullptr};
    while (!s.window && GetTickCount() - t0 < 120000) {
        EnumWindows(FindShown, reinterpret_cast<LPARAM>(&s));
        if (!s.window) Sleep(2);
    }
    printf("%lu\n", static_cast<unsigned long>(GetTickCount() - t0));
    fflush(stdout);
    Sleep(holdMs);
    if (s.window) PostMessageA(s.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return s.window ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    CoInitialize(nullptr);
    const std::string what = argc > 1 ? argv[1] : "";
    int rc = 2;
    if (what == "links" && argc == 5) rc = Links(atoi(argv[2]), atoi(argv[3]), argv[4]);
    if (what == "unlink") rc = Unlink();
    if (what == "start" && argc >= 4) rc = Start(static_cast<DWORD>(atoi(argv[2])), argc, argv, 3);
    if (what == "scan") rc = Scan();
    if (rc == 2) fprintf(stderr, "usage: bar_bench links N M TARGET | unlink | start HOLD_MS EXE [ARGS] | scan\n");
    CoUninitialize();
    return rc;
}
