#include "framework/win32/ScopedHandle.h"
#include "main/bar/ShellMenus.h"

#include <shellapi.h>

#include <cstring>

#include "framework/forms/Application.h"
#include "framework/core/ComPtr.h"
#include "framework/forms/Controls.h"
#include "framework/core/Exceptions.h"
#include "main/bar/core/BarRules.h"
#include "main/bar/core/IdList.h"
#include "framework/forms/SysUtils.h"
#include "framework/win32/WideText.h"
#include "main/bar/mainfrm.h"

namespace bar {

namespace {

// Shell lists are trusted to be terminated; the walkers still take a bound.
const size_t kUnbounded = static_cast<size_t>(-1);
const uint8_t* Bytes(LPCITEMIDLIST list) { return reinterpret_cast<const uint8_t*>(list); }


std::string HResultText(const char* what, HRESULT hr) {
    char code[16];
    wsprintfA(code, "%08lX", static_cast<unsigned long>(hr));
    return std::string(what) + " failed (error " + code + ")";
}

// Asks the shell for the one attribute only: unasked, it works out every
// attribute, which checks that the item still exists and looks into folders,
// and so waits on slow drives and shares.
bool IdListHasAttribute(LPCITEMIDLIST list, DWORD attribute) {
    if (!list) return false;
    SHFILEINFOA info{};
    info.dwAttributes = attribute;
    if (!SHGetFileInfoA(reinterpret_cast<LPCSTR>(list), 0, &info, sizeof info,
                        SHGFI_PIDL | SHGFI_ATTRIBUTES | SHGFI_ATTR_SPECIFIED))
        return false;
    return info.dwAttributes != static_cast<DWORD>(-1) && (info.dwAttributes & attribute) != 0;
}

TMenuItem* MakeShellItem(const ShellMenuHost& host, const std::string& caption, LPITEMIDLIST list, int image) {
    auto* item = new TMenuItem(nullptr);
    item->Caption = caption;
    item->SetData(list, ShellFree);
    item->ImageIndex = image;
    item->OnClick = [host](TObject* sender) { ShellMenuItemClick(host, sender); };
    return item;
}

void AddPlaceholder(TMenuItem* item) { item->Insert(0, new TMenuItem(nullptr)); }

void AddNotice(TMenuItem* parent, const char* caption) {
    auto* notice = new TMenuItem(nullptr);
    notice->Caption = caption;
    notice->Enabled = false;
    parent->Insert(0, notice);
}

bool FoldersOnlyInForce() {
    return (OpenMenuKind == 1 && NetFoldersOnly) || (OpenMenuKind == 2 && ExplorerFoldersOnly) ||
           (OpenMenuKind == 3 && QuickFoldersOnly);
}

}  // namespace

LPITEMIDLIST ShellAlloc(size_t bytes) {
    void* p = CoTaskMemAlloc(bytes);
    if (p) std::memset(p, 0, bytes);
    return static_cast<LPITEMIDLIST>(p);
}

void ShellFree(void* block) {
    if (block) CoTaskMemFree(block);
}

size_t IdListSize(LPCITEMIDLIST list) { return list ? IdListSize(Bytes(list), kUnbounded) : 0; }

size_t IdListItemCount(LPCITEMIDLIST list) { return list ? IdListItemCount(Bytes(list), kUnbounded) : 0; }

LPCITEMIDLIST IdListItemAt(LPCITEMIDLIST list, size_t n) {
    return reinterpret_cast<LPCITEMIDLIST>(IdListItemAt(Bytes(list), kUnbounded, n));
}

LPITEMIDLIST CopyIdList(LPCITEMIDLIST list, long bytes) {
    const std::vector<uint8_t> copy =
        CopyIdListBytes(Bytes(list), list ? kUnbounded : 0, bytes < 0 ? kIdListWhole : static_cast<size_t>(bytes));
    LPITEMIDLIST out = ShellAlloc(copy.size());
    if (out) std::memcpy(out, copy.data(), copy.size());
    return out;
}

LPITEMIDLIST ConcatIdLists(LPCITEMIDLIST first, LPCITEMIDLIST second) {
    const std::vector<uint8_t> joined =
        ConcatIdListBytes(Bytes(first), first ? kUnbounded : 0, Bytes(second), second ? kUnbounded : 0);
    LPITEMIDLIST out = ShellAlloc(joined.size());
    if (out) std::memcpy(out, joined.data(), joined.size());
    return out;
}

bool SplitIdList(LPCITEMIDLIST list, IShellFolder** parent, LPITEMIDLIST* last) {
    *parent = nullptr;
    *last = nullptr;
    const size_t count = IdListItemCount(list);
    if (count == 0) return false;
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Receive()))) return false;
    LPCITEMIDLIST lastItem = IdListItemAt(list, count - 1);
    if (count == 1) {
        *parent = desktop.Get();
        (*parent)->AddRef();
    } else {
        ScopedIdList parentList(CopyIdList(list, static_cast<long>(IdListParentBytes(Bytes(list), kUnbounded))));
        if (!parentList.Get() ||
            FAILED(desktop->BindToObject(parentList.Get(), nullptr, IID_IShellFolder, reinterpret_cast<void**>(parent))))
            return false;
    }
    *last = CopyIdList(lastItem);
    return *last != nullptr;
}

LPITEMIDLIST PathToIdList(const std::string& path) {
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Receive()))) return nullptr;
    std::wstring wide = WideFromAnsi(path);
    LPITEMIDLIST list = nullptr;
    ULONG eaten = 0;
    if (FAILED(desktop->ParseDisplayName(Application->Handle(), nullptr, &wide[0], &eaten, &list, nullptr)))
        return nullptr;
    return list;
}

std::string IdListToPath(LPCITEMIDLIST list) {
    if (!list) return "";
    char buf[MAX_PATH + 1] = {};
    if (!SHGetPathFromIDListA(list, buf)) return "";
    return buf;
}

bool IsFolderIdList(LPCITEMIDLIST list) {
    // One attribute at a time, as for IsFolderItem.
    return IdListHasAttribute(list, SFGAO_FOLDER) || IdListHasAttribute(list, SFGAO_HASSUBFOLDER);
}

bool IsFolderItem(IShellFolder* folder, LPCITEMIDLIST item) {
    // Whether an item has subfolders can make the shell look into it: a drive
    // without a disk, a share that doesn't answer. A folder is known without
    // that, so only items that are no folders are asked.
    SFGAOF attrs = SFGAO_FOLDER;
    if (FAILED(folder->GetAttributesOf(1, &item, &attrs))) return false;
    if (attrs & SFGAO_FOLDER) return true;
    attrs = SFGAO_HASSUBFOLDER;
    if (FAILED(folder->GetAttributesOf(1, &item, &attrs))) return false;
    return (attrs & SFGAO_HASSUBFOLDER) != 0;
}

bool IsFileSystemIdList(LPCITEMIDLIST list) { return IdListHasAttribute(list, SFGAO_FILESYSTEM); }

DWORD GetPathAttributes(const std::string& path) {
    SHFILEINFOA info{};
    if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ATTRIBUTES)) return 0;
    return info.dwAttributes;
}

int GetSmallIconIndex(const std::string& path) {
    SHFILEINFOA info{};
    if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON)) return -1;
    return info.iIcon;
}

void AttachSystemImageList(TImageList& list) {
    SHFILEINFOA info{};
    // Any item's answer carries the list. One named by its attributes alone
    // touches no disk and needs no icon beyond those the shell starts with,
    // where a drive's icon costs a fifth of the list's whole set-up under
    // Wine. Shells older than that flag take the name as a file: a drive then.
    auto system = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("x", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                                                              SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX |
                                                                  SHGFI_SMALLICON));
    if (!system)
        system = reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    // Borrowed: the shell owns its icon list, destroying it would break every program's icons.
    if (system) list.SetHandle(system, true);
}

bool OpenIdList(HWND owner, const char* verb, LPCITEMIDLIST list) {
    SHELLEXECUTEINFOA sei{};
    sei.cbSize = sizeof sei;
    sei.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_FLAG_NO_UI;
    sei.hwnd = owner;
    sei.lpVerb = verb;
    sei.lpIDList = const_cast<ITEMIDLIST*>(list);
    sei.nShow = SW_SHOWNORMAL;
    return ShellExecuteExA(&sei) != FALSE;
}

int GetWinVersionCode() {
    OSVERSIONINFOA vi{};
    vi.dwOSVersionInfoSize = sizeof vi;
    if (!GetVersionExA(&vi)) return 0;
    return WinVersionCodeFor(vi.dwPlatformId, vi.dwMajorVersion, vi.dwMinorVersion, vi.dwBuildNumber,
                             vi.szCSDVersion);
}

bool RunningOnWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void BuildShellMenu(const ShellMenuHost& host, TMenuItem* item, TPopupMenu* menu, const std::string& path,
                    int csidl) {
    ScopedIdList folder;
    if (!path.empty()) {
        folder.Reset(PathToIdList(path));
    } else if (csidl != 0) {
        const HRESULT hr = SHGetSpecialFolderLocation(host.owner, csidl, folder.Receive());
        if (FAILED(hr)) throw Exception(HResultText("Locating a special folder", hr));
    }
    if (item) {
        if (folder.Get()) {
            SHFILEINFOA info{};
            if (SHGetFileInfoA(reinterpret_cast<LPCSTR>(folder.Get()), 0, &info, sizeof info,
                               SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON)) {
                item->Caption = info.szDisplayName;
                item->ImageIndex = info.iIcon;
            }
        }
        item->HelpContext = 0;
        item->SetData(folder.Release(), ShellFree);
        item->OnClick = [host](TObject* sender) { ShellMenuItemClick(host, sender); };
        AddPlaceholder(item);
        return;
    }
    menu->Items()->Clear();
    menu->Images = host.images;
    FillShellMenu(host, folder.Get(), nullptr, menu);
}

void FillShellMenu(const ShellMenuHost& host, LPCITEMIDLIST list, TMenuItem* parent, TPopupMenu* menu) {
    TScreenHourGlass hourglass;
    ComPtr<IShellFolder> desktop;
    HRESULT hr = SHGetDesktopFolder(desktop.Receive());
    if (FAILED(hr)) throw Exception(HResultText("Opening the desktop folder", hr));
    const bool isDesktop = IdListItemCount(list) == 0;
    ComPtr<IShellFolder> bound;
    if (!isDesktop) {
        hr = desktop->BindToObject(list, nullptr, IID_IShellFolder, bound.ReceiveVoid());
        if (FAILED(hr)) throw Exception(HResultText("Opening a folder", hr));
    }
    FillShellMenuFrom(host, isDesktop ? desktop.Get() : bound.Get(), list, parent, menu);
}

void FillShellMenuFrom(const ShellMenuHost& host, IShellFolder* folder, LPCITEMIDLIST list, TMenuItem* parent,
                       TPopupMenu* menu) {
    const bool isDesktop = IdListItemCount(list) == 0;
    SHCONTF flags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN;
    if (FoldersOnlyInForce()) flags &= ~SHCONTF_NONFOLDERS;
    ComPtr<IEnumIDList> items;
    const HRESULT hr = folder->EnumObjects(nullptr, flags, items.Receive());
    // S_FALSE without a list is a folder with nothing to show, not a failure.
    if (FAILED(hr) || (hr == S_OK && !items)) {
        if (parent) AddNotice(parent, "<Not valid>");
        return;
    }
    if (!items) {
        if (parent) AddNotice(parent, "<Empty>");
        return;
    }
    const int winCode = GetWinVersionCode();
    TMenuItem* top = menu ? menu->Items() : nullptr;
    int count = 0;
    for (;;) {
        ScopedIdList child;
        if (items->Next(1, child.Receive(), nullptr) != S_OK || !child.Get()) break;
        if (count == kMaxShellMenuItems) break;  // the 401st ends the walk
        ++count;
        ScopedIdList absolute(ConcatIdLists(list, child.Get()));
        if (!absolute.Get()) continue;
        SHFILEINFOA info{};
        SHGetFileInfoA(reinterpret_cast<LPCSTR>(absolute.Get()), 0, &info, sizeof info,
                       SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        std::string caption = info.szDisplayName;
        // Windows 98 names shared network folders by their share path there.
        if ((winCode == 4 || winCode == 5) && OpenMenuKind == 1) {
            const std::string p = IdListToPath(absolute.Get());
            if ((GetPathAttributes(p) & 0xF000000F) == 0xF0000004) caption = p.substr(p.find_last_of('\\') + 1);
        }
        TMenuItem* item = MakeShellItem(host, caption, absolute.Release(), info.iIcon);
        TMenuItem* into = parent ? parent : top;
        if (IsFolderItem(folder, child.Get())) {
            // Folders go first, latest found on top; on the desktop the first
            // folder found (usually "My Computer") keeps the top place.
            const int at = (!parent && isDesktop && into->Count() > 0) ? 1 : 0;
            into->Insert(at, item);
            AddPlaceholder(item);
        } else {
            into->Add(item);
        }
    }
    if (parent && count == 0) AddNotice(parent, "<Empty>");
}

void ShellMenuItemClick(const ShellMenuHost& host, TObject* sender) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item || item->HelpContext == 1) return;
    LPCITEMIDLIST list = ItemIdList(item);
    if (!list) {
        // A folder whose path gave no item-id list: without a list the walk
        // would show the desktop under its name, so it shows nothing valid.
        if (item->Count() > 0) {
            item->Items(0)->Visible = false;
            AddNotice(item, "<Not valid>");
            item->HelpContext = 1;
        }
        return;
    }
    if (!IsFolderIdList(list)) {
        OpenIdList(Application->Handle(), nullptr, list);
        return;
    }
    if (item->Count() > 0) item->Items(0)->Visible = false;
    FillShellMenu(host, list, item, nullptr);
    item->HelpContext = 1;
}

}  // namespace bar
