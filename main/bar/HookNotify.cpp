// The receiving side of the bar's notices: paths opened and program windows
// shown, recorded in the recent lists and saved at once; and the table of
// Start-menu shortcuts that name programs.
#include <windows.h>
#include <tlhelp32.h>

#include "main/components/Funcs.h"
#include "main/bar/core/RecentLists.h"
#include "framework/win32/ScopedHandle.h"
#include "framework/forms/SysUtils.h"
#include "main/bar/mainfrm.h"

namespace bar {

using components::TShortcutReader;

namespace {

// Toolhelp is looked up at run time: NT 4 has none.
struct Toolhelp {
    using Snapshot = HANDLE(WINAPI*)(DWORD, DWORD);
    using ProcessWalk = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);
    using ModuleWalk = BOOL(WINAPI*)(HANDLE, MODULEENTRY32*);
    Snapshot snapshot = nullptr;
    ProcessWalk processFirst = nullptr, processNext = nullptr;
    ModuleWalk moduleFirst = nullptr, moduleNext = nullptr;
    Toolhelp() {
        HMODULE k = GetModuleHandleA("kernel32.dll");
        if (!k) return;
        snapshot = reinterpret_cast<Snapshot>(GetProcAddress(k, "CreateToolhelp32Snapshot"));
        processFirst = reinterpret_cast<ProcessWalk>(GetProcAddress(k, "Process32First"));
        processNext = reinterpret_cast<ProcessWalk>(GetProcAddress(k, "Process32Next"));
        moduleFirst = reinterpret_cast<ModuleWalk>(GetProcAddress(k, "Module32First"));
        moduleNext = reinterpret_cast<ModuleWalk>(GetProcAddress(k, "Module32Next"));
    }
    bool ok() const { return snapshot && processFirst && processNext && moduleFirst && moduleNext; }
};

// The executable of a process: its process entry's name, looked up among its
// modules when the entry holds a bare name (NT-family systems).
std::string ProcessExePath(DWORD pid) {
    static const Toolhelp th;
    if (!th.ok()) return "";
    std::string name;
    {
        ScopedFile snap(th.snapshot(TH32CS_SNAPPROCESS, 0));
        if (!snap) return "";
        PROCESSENTRY32 pe{};
        pe.dwSize = sizeof pe;
        for (BOOL more = th.processFirst(snap.Get(), &pe); more; more = th.processNext(snap.Get(), &pe)) {
            if (pe.th32ProcessID == pid) {
                name = pe.szExeFile;
                break;
            }
        }
    }
    if (!NeedsModuleLookup(name)) return name;
    ScopedFile snap(th.snapshot(TH32CS_SNAPMODULE, pid));
    if (!snap) return "";
    MODULEENTRY32 me{};
    me.dwSize = sizeof me;
    for (BOOL more = th.moduleFirst(snap.Get(), &me); more; more = th.moduleNext(snap.Get(), &me))
        if (SameTextAscii(me.szModule, name)) return me.szExePath;
    return "";
}

}  // namespace

void TForm1::WMHookNotify(TMessage& Message) {
    Message.Result = 0;
    // Notices come from other processes at any time: none is taken before the
    // lists are loaded or once the bar is closing.
    if (closing_ || !ListsReady) return;
    switch (ClassifyHookNotice(static_cast<long long>(Message.LParam))) {
        case HookNotice::Path: {
            // 256: an atom name can be 255 characters, plus the terminator.
            std::string buffer(256, '\0');
            const UINT got = GlobalGetAtomNameA(static_cast<ATOM>(LOWORD(Message.WParam)), &buffer[0], 256);
            const std::string path = AtomNameFromBuffer(buffer, got);
            // The suite's own files are no documents of the user's: the
            // registrations name them at every start.
            if (path.empty() || SamePathText(ExtractFilePath(path), BarFolder())) return;
            // The sender may go on (and delete its atom): a failed save below
            // must not keep it waiting behind an error box.
            if (InSendMessage()) ReplyMessage(0);
            const DWORD attrs = GetFileAttributesA(path.c_str());
            // Unreadable attributes (all bits set) count as a folder.
            if (attrs & FILE_ATTRIBUTE_DIRECTORY)
                RecordRecentPath(*RecentFolders, *LockedFolders, path, SamePathText);
            else
                RecordRecentPath(*RecentFiles, *LockedFiles, path, SamePathText);
            SaveListFile(*RecentFolders, "folders.lst");
            SaveListFile(*RecentFiles, "files.lst");
            return;
        }
        case HookNotice::Window: {
            auto window = reinterpret_cast<HWND>(Message.WParam);
            if (!IsWindowVisible(window)) return;
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (InSendMessage()) ReplyMessage(0);
            if (!pid) return;
            const std::string path = ProcessExePath(pid);
            if (path.empty() || !IsRecordableProgram(path, Application->ExeName())) return;
            RecordRecentPath(*RecentApps, *LockedApps, path, SamePathText);
            SaveListFile(*RecentApps, "app.lst");
            return;
        }
        case HookNotice::Ignored:
            return;
    }
}

void TForm1::ProgramFinderFileFound(TObject*, const std::string& Directory, TSearchRec& SearchRec, bool&) {
    if (!programLinks_) programLinks_ = std::make_unique<TShortcutReader>();
    const std::string target = programLinks_->Target(Directory + SearchRec.Name);
    if (UpperCaseAscii(ExtractFileExt(target)) != ".EXE") return;
    LinkNames->Add(SearchRec.Name.substr(0, SearchRec.Name.size() >= 4 ? SearchRec.Name.size() - 4 : 0));
    LinkTargets->Add(target);
}

}  // namespace bar
