// The recent lists' other two sources: the shell's Recent folder, whose new
// shortcuts name the documents the user opened, and files dropped on the bar.
#include <windows.h>
#include <shellapi.h>

#include "framework/win32/DropPaths.h"
#include "main/components/Funcs.h"
#include "main/bar/core/RecentFolderRules.h"
#include "main/bar/core/RecentLists.h"
#include "framework/win32/ScopedHandle.h"
#include "framework/forms/SysUtils.h"
#include "main/bar/mainfrm.h"

namespace bar {

using components::GetLinkTarget;
using components::GetShellFolder;

namespace {
const char kQuickStart[] = "Quick Start";

// The file system's modification stamp, as decimal text; "" when unreadable.
// A search by the exact name gives the stamp GetFileAttributesExA would,
// which Windows 95 lacks; "?" and "*" would match other names.
std::string FileAgeText(const std::string& path) {
    if (path.find_first_of("?*") != std::string::npos) return "";
    TSearchRec found;
    if (FindFirst(path, faAnyFile, found) != 0) return "";
    const FILETIME& t = found.FindData.ftLastWriteTime;
    const unsigned long long stamp = (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    return std::to_string(stamp);
}

}  // namespace

void TForm1::FileFinder1FileFound(TObject*, const std::string& Directory, TSearchRec& SearchRec, bool&) {
    if (!RecentRescan) {
        RecentLinks->Add(SearchRec.Name);
        RecentLinkAges->Add(FileAgeText(Directory + SearchRec.Name));
    } else {
        RecentLinksNow->Add(SearchRec.Name);
    }
}

bool TForm1::ScanRecentFolder() {
    // The finder pumps messages: a change notice handled inside it would
    // start a second scan over the lists this one is filling. It is kept for
    // one rescan after this one instead.
    recentChangePending_ = false;
    recentScanning_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{recentScanning_};
    FileFinder1->Root = IncludeTrailingBackslash(GetShellFolder("Recent"));
    FileFinder1->Filename = "*.lnk";
    FileFinder1->Execute();
    return recentChangePending_;
}

void TForm1::FileSysMonitor1FileSysChange(TObject*, const std::string&) {
    if (closing_ || !ListsReady) return;
    if (recentScanning_) {
        recentChangePending_ = true;
        return;
    }
    RescanRecentFolder();
}

void TForm1::RescanRecentFolder() {
    bool again = true;
    while (again && !closing_ && ListsReady) {
        RecentRescan = true;
        RecentLinksNow->Clear();
        const std::string folder = IncludeTrailingBackslash(GetShellFolder("Recent"));
        again = ScanRecentFolder();
        std::vector<std::string> ages;
        for (const std::string& name : RecentLinksNow->Items()) ages.push_back(FileAgeText(folder + name));
        // One notice records at most one shortcut: the first new one.
        const int fresh = FirstNewShortcut(RecentLinksNow->Items(), ages, *RecentLinks, *RecentLinkAges);
        if (fresh >= 0) {
            const std::string target = GetLinkTarget(folder + (*RecentLinksNow)[fresh]);
            const DWORD attrs = target.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(target.c_str());
            if (attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY)) {
                RecordRecentPath(*RecentFiles, *LockedFiles, target, SamePathText);
                const std::string parent = FolderOfFile(target);
                const FolderRecordOptions options{RecRoot, RecDesktop, RecNet, RecSubDir};
                if (ShouldRecordFolder(parent, options, GetShellFolder("Desktop"), *RecentFolders, *LockedFolders))
                    RecordRecentPath(*RecentFolders, *LockedFolders, parent, SamePathText);
            }
        }
        *RecentLinks = *RecentLinksNow;
        RecentLinkAges->Clear();
        for (const std::string& age : ages) RecentLinkAges->Add(age);
        SaveListFile(*RecentFiles, "files.lst");
        SaveListFile(*RecentFolders, "folders.lst");
    }
}

void TForm1::WMDropFiles(TMessage& Message) {
    Message.Result = 0;
    const ScopedDrop drop(reinterpret_cast<HDROP>(Message.WParam));
    if (closing_ || !ListsReady || !drop.Get()) return;
    TIniFile ini(BarIniPath());
    TStringList keys;
    ini.ReadSection(kQuickStart, keys);
    std::vector<std::string> programs;
    for (const std::string& path : DropPaths(drop.Get())) {
        const DWORD attrs = GetFileAttributesA(path.c_str());
        const bool folder = attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
        switch (ClassifyDrop(path, folder)) {
            case DropKind::Folder: RecordRecentPath(*RecentFolders, *LockedFolders, path, SamePathText); break;
            case DropKind::QuickStart: programs.push_back(path); break;
            case DropKind::File: RecordRecentPath(*RecentFiles, *LockedFiles, path, SamePathText); break;
        }
    }
    SaveListFile(*RecentFolders, "folders.lst");
    SaveListFile(*RecentFiles, "files.lst");
    ini.EraseSection(kQuickStart);
    for (const std::string& key : QuickStartAfterDrop(programs, keys.Items())) ini.WriteString(kQuickStart, key, "");
    if (!programs.empty()) ArrangeBar();
}

}  // namespace bar
