// Shell-folder menus: the shell namespace as cascading menus with the
// system's small icons, filled as each submenu opens; with them the item-id
// list routines over the shell's allocator and the Windows version code.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "framework/forms/ImageList.h"
#include "framework/forms/Menus.h"

namespace bar {

// ---- item-id lists from the shell allocator ----
LPITEMIDLIST ShellAlloc(size_t bytes);  // zero-filled; nullptr on failure
void ShellFree(void* block);            // also the release of a menu item's list
size_t IdListSize(LPCITEMIDLIST list);  // with the terminator; 0 for none
size_t IdListItemCount(LPCITEMIDLIST list);
LPCITEMIDLIST IdListItemAt(LPCITEMIDLIST list, size_t n);
// The first `bytes` bytes (the whole list when negative) plus a terminator.
LPITEMIDLIST CopyIdList(LPCITEMIDLIST list, long bytes = -1);
LPITEMIDLIST ConcatIdLists(LPCITEMIDLIST first, LPCITEMIDLIST second);
// The parent folder of an absolute list and a copy of its last item; a
// one-item list gives the desktop. False for an empty list or an unbindable parent.
bool SplitIdList(LPCITEMIDLIST list, IShellFolder** parent, LPITEMIDLIST* last);
LPITEMIDLIST PathToIdList(const std::string& path);
std::string IdListToPath(LPCITEMIDLIST list);
bool IsFolderIdList(LPCITEMIDLIST list);
bool IsFolderItem(IShellFolder* folder, LPCITEMIDLIST item);
bool IsFileSystemIdList(LPCITEMIDLIST list);
DWORD GetPathAttributes(const std::string& path);
int GetSmallIconIndex(const std::string& path);
void AttachSystemImageList(TImageList& list);
bool OpenIdList(HWND owner, const char* verb, LPCITEMIDLIST list);
int GetWinVersionCode();
// Whether the system is Wine, whose unimplemented shell exports end the process.
bool RunningOnWine();

// ---- the menus ----
// What the menu routines need from the window that shows the menus.
struct ShellMenuHost {
    HWND owner = nullptr;
    TImageList* images = nullptr;
};

constexpr int kMaxShellMenuItems = 400;

// Turns `item` into a folder item filled when it opens, or with no item
// rebuilds the whole of `menu` from the folder: `path` when given, else the
// special folder `csidl`, else (0) the desktop.
void BuildShellMenu(const ShellMenuHost& host, TMenuItem* item, TPopupMenu* menu, const std::string& path, int csidl);
// Enumerates a folder (none = the desktop) into `parent`, or into the top level of `menu`.
void FillShellMenu(const ShellMenuHost& host, LPCITEMIDLIST list, TMenuItem* parent, TPopupMenu* menu);
// The same with the folder already bound: `folder` is the folder of `list`.
void FillShellMenuFrom(const ShellMenuHost& host, IShellFolder* folder, LPCITEMIDLIST list, TMenuItem* parent,
                       TPopupMenu* menu);
// The click of every shell item: a file opens; a folder's submenu fills once.
void ShellMenuItemClick(const ShellMenuHost& host, TObject* sender);
// The item-id list a shell item carries.
inline LPCITEMIDLIST ItemIdList(const TMenuItem* item) { return static_cast<LPCITEMIDLIST>(item->Data()); }

}  // namespace bar
