// The recent-item menus: each shows its recent list, cut to its limit and
// cleaned of vanished paths, and under a separator the locked list of its kind.
#include <windows.h>

#include <utility>
#include <vector>

#include "main/components/Funcs.h"
#include "main/bar/ItemTip.h"
#include "main/bar/core/RecentMenuRules.h"
#include "main/bar/RecentMenus.h"
#include "main/bar/ShellMenus.h"
#include "framework/forms/SysUtils.h"
#include "main/bar/mainfrm.h"

namespace bar {

using components::PruneMissingPaths;

namespace {

std::vector<std::pair<const TMenuItem*, RecentMenuEntry>> menuEntries;

void Prune(TStringList& list, const char* file) {
    if (PruneMissingPaths(list, "")) SaveListFile(list, file);
}

void Cut(TStringList& list, int limit, const char* file) {
    if (CutToLimit(list, limit)) SaveListFile(list, file);
}

void StartMenu(TForm1& bar) {
    HideItemTip();
    menuEntries.clear();
    bar.DesktopMenu->Items()->Clear();
    bar.DesktopMenu->Images = bar.ImageList;
}

void AddSeparator(TForm1& bar) {
    auto* item = new TMenuItem(nullptr);
    item->Caption = "-";
    bar.DesktopMenu->Items()->Add(item);
}

TMenuItem* AddEntry(TForm1& bar, const std::string& path, bool locked) {
    auto* item = new TMenuItem(nullptr);
    if (locked) item->Hint = "l";
    bar.DesktopMenu->Items()->Add(item);
    menuEntries.push_back({item, {path, locked}});
    return item;
}

// A file or program opened by the item's click.
void AddFileEntry(TForm1& bar, const std::string& path, bool locked, bool linkNames) {
    TMenuItem* item = AddEntry(bar, path, locked);
    item->Caption = ExtractFileName(path);
    if (linkNames) {
        // Programs show the name of their shortcut in the Start menu.
        const int at = IndexOfPath(*LinkTargets, path, SamePathText);
        if (at >= 0 && at < LinkNames->Count()) item->Caption = (*LinkNames)[at];
    }
    item->SetData(PathToIdList(path), ShellFree);
    item->ImageIndex = GetSmallIconIndex(path);
    item->OnClick = [&bar](TObject* sender) { bar.ShellMenuItemClick(sender); };
}

// A folder that opens as a submenu listing it.
void AddFolderEntry(TForm1& bar, const std::string& path, bool locked) {
    TMenuItem* item = AddEntry(bar, path, locked);
    bar.BuildShellMenu(item, bar.DesktopMenu, path, 0);
    item->Caption = ShortenPath(path);
}

}  // namespace

const RecentMenuEntry* RecentMenuEntryOf(const TMenuItem* item) {
    for (const auto& entry : menuEntries)
        if (entry.first == item) return &entry.second;
    return nullptr;
}

void TForm1::QrecentappClick(TObject*) {
    StartMenu(*this);
    // Programs are cleaned first and cut after, so up to the limit show.
    Prune(*RecentApps, "app.lst");
    Cut(*RecentApps, MaxRecentApps, "app.lst");
    for (const std::string& path : RecentApps->Items()) AddFileEntry(*this, path, false, true);
    Prune(*LockedApps, "lapp.lst");
    Cut(*LockedApps, MaxlRecentApps, "lapp.lst");
    if (LockedApps->Count() > 0) AddSeparator(*this);
    for (const std::string& path : LockedApps->Items()) AddFileEntry(*this, path, true, true);
    OpenBarMenu(DesktopMenu, Qrecentapp, 4);
}

void TForm1::QFileClick(TObject*) {
    StartMenu(*this);
    Cut(*RecentFolders, MaxFolder, "folders.lst");
    Prune(*RecentFolders, "folders.lst");
    for (const std::string& path : RecentFolders->Items()) AddFolderEntry(*this, path, false);
    Cut(*LockedFolders, MaxlFolder, "lfolders.lst");
    // The separator comes before the locked folders are cleaned: it stays
    // when all of them have gone.
    if (LockedFolders->Count() > 0) AddSeparator(*this);
    Prune(*LockedFolders, "lfolders.lst");
    for (const std::string& path : LockedFolders->Items()) AddFolderEntry(*this, path, true);
    OpenBarMenu(DesktopMenu, QFile, 3);
}

void TForm1::QrecentfileClick(TObject*) {
    StartMenu(*this);
    Cut(*RecentFiles, MaxFile, "files.lst");
    Prune(*RecentFiles, "files.lst");
    for (const std::string& path : RecentFiles->Items()) AddFileEntry(*this, path, false, false);
    Cut(*LockedFiles, MaxlFile, "lfiles.lst");
    Prune(*LockedFiles, "lfiles.lst");
    if (LockedFiles->Count() > 0) AddSeparator(*this);
    for (const std::string& path : LockedFiles->Items()) AddFileEntry(*this, path, true, false);
    OpenBarMenu(DesktopMenu, Qrecentfile, 5);
}

}  // namespace bar
