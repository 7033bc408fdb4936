// Wine's menu loop sends the owner neither WM_MENURBUTTONUP nor the right
// button's messages, and its mouse hook sees the menu windows (class
// "#32768") rather than the owner, each message twice. The hook therefore
// takes the right button's release and the double click on this thread's
// menu windows, once, and posts them to the pop-up list window,
// whose handler runs inside the menu loop, where a nested menu may open.
#include "main/bar/PopupHook.h"

#include <shlobj.h>

#include "framework/forms/Application.h"
#include "framework/core/ComPtr.h"
#include "main/bar/ItemTip.h"
#include "framework/forms/PopupList.h"
#include "main/bar/core/RecentMenuRules.h"
#include "main/bar/RecentMenus.h"
#include "framework/win32/ScopedHandle.h"
#include "main/bar/ShellMenus.h"
#include "main/bar/mainfrm.h"

namespace bar {

UINT_PTR HoverMenuCommand = 0;
bool HoverIsSubmenu = false;
bool ContextMenuActive = false;

namespace {

// wParam: the hovered command or submenu at the click; lParam: 1 for a folder item.
const UINT CM_ITEMMENU = WM_APP + 0x3E4;
// wParam: the hovered submenu at the double click.
const UINT CM_OPENFOLDER = WM_APP + 0x3E5;
// The tip of the highlighted item, once the menu has taken the mouse message
// that moved the highlight.
const UINT CM_ITEMTIP = WM_APP + 0x3E6;

WNDPROC SavedPopupListProc = nullptr;
ScopedHook PopupHook;
ComPtr<IContextMenu> ItemContextMenu;
ComPtr<IContextMenu2> ItemContextMenu2;
bool itemMenuPending = false;
bool itemTipPending = false;

HWND PopupListWindow() { return TPopupList::Instance().Window(); }

// Closes every open menu. Windows 95's user32 lacks EndMenu: there the menu
// owner is told to cancel, which ends the menu it tracks.
void CloseAllMenus() {
    using EndMenuFn = BOOL(WINAPI*)();
    static const auto endMenu =
        reinterpret_cast<EndMenuFn>(GetProcAddress(GetModuleHandleA("user32.dll"), "EndMenu"));
    if (endMenu)
        endMenu();
    else
        SendMessageA(PopupListWindow(), WM_CANCELMODE, 0, 0);
}

LRESULT CallSaved(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return SavedPopupListProc ? CallWindowProcA(SavedPopupListProc, hwnd, msg, wp, lp)
                              : DefWindowProcA(hwnd, msg, wp, lp);
}

// The bar's item of a command or submenu: the shared menu first, then the network menu.
TMenuItem* FindBarItem(UINT_PTR hover, bool submenu) {
    if (!Form1) return nullptr;
    for (TPopupMenu* menu : {Form1->DesktopMenu, NetworkMenu}) {
        if (!menu) continue;
        TMenuItem* item = submenu ? menu->Items()->FindBySubmenu(reinterpret_cast<HMENU>(hover))
                                  : menu->Items()->FindByCommand(static_cast<UINT>(hover));
        if (item) return item;
    }
    return nullptr;
}

bool IsOwnMenuWindow(HWND hwnd) {
    char cls[16] = {};
    return hwnd && GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId() &&
           GetClassNameA(hwnd, cls, sizeof cls) && lstrcmpA(cls, "#32768") == 0;
}

// Whether an owner-drawn entry is one of the bar's own menus' items.
bool IsBarMenuItemData(ULONG_PTR data) {
    auto* item = reinterpret_cast<const TMenuItem*>(data);
    for (TPopupMenu* menu : TPopupList::Instance().Tracking())
        if (menu->Items()->Contains(item)) return true;
    return false;
}

void DismissItemMenu() {
    if (!ContextMenuActive) return;
    ContextMenuActive = false;
    keybd_event(VK_ESCAPE, 0, 0, 0);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
}

void AddItemCommands(HMENU menu, bool locked, bool withCaption, const std::string& caption) {
    InsertMenuA(menu, 0, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING, kDeleteCommand,
                ItemCommandText(kDeleteCommand, locked, withCaption, caption).c_str());
    InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING, kLockCommand,
                ItemCommandText(kLockCommand, locked, withCaption, caption).c_str());
}

struct OwnCommands {
    bool present = false;
    bool locked = false;
    bool withCaption = false;
    std::string caption;
};

// The shell's context menu of the object, with the own commands on top when
// asked; the chosen id, 0 for none.
unsigned ShowItemMenu(LPCITEMIDLIST list, const OwnCommands& own) {
    POINT pt{};
    GetCursorPos(&pt);
    ComPtr<IShellFolder> parent;
    ScopedIdList last;
    if (!SplitIdList(list, parent.Receive(), last.Receive())) return 0;
    LPCITEMIDLIST items[] = {last.Get()};
    ItemContextMenu2.Reset();
    if (FAILED(parent->GetUIObjectOf(Application->Handle(), 1, items, IID_IContextMenu, nullptr,
                                     ItemContextMenu.ReceiveVoid())))
        return 0;
    // The second version, when offered, also draws the shell's own submenus.
    ItemContextMenu->QueryInterface(IID_IContextMenu2, ItemContextMenu2.ReceiveVoid());
    ScopedMenu menu(CreatePopupMenu());
    if (!menu) return 0;
    ItemContextMenu->QueryContextMenu(menu.Get(), 0, FirstShellCommand(own.present), 0x7FFF, CMF_EXPLORE);
    if (own.present) AddItemCommands(menu.Get(), own.locked, own.withCaption, own.caption);
    ContextMenuActive = true;
    const auto chosen = static_cast<unsigned>(
        TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RECURSE, pt.x, pt.y, 0, PopupListWindow(), nullptr));
    ContextMenuActive = false;
    ItemContextMenu2.Reset();
    return chosen;
}

void InvokeItemCommand(int offset) {
    if (offset < 0 || !ItemContextMenu) return;
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.hwnd = Application->Handle();
    info.lpVerb = MAKEINTRESOURCEA(offset);
    info.nShow = SW_SHOWNORMAL;
    ItemContextMenu->InvokeCommand(&info);
}

// Clicks the bar's button so that its menu opens again, showing the change.
void ReopenBarMenu(TSpeedButton* button) {
    POINT old{};
    GetCursorPos(&old);
    SetCursorPos(Form1->Left() + button->Left() + 10, Form1->Top() + 10);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    SetCursorPos(old.x, old.y);
}

struct RecentKind {
    int kind;
    std::unique_ptr<TStringList>*recent, *locked;
    const char *recentFile, *lockedFile;
    TSpeedButton* TForm1::*button;
};
const RecentKind kRecentKinds[] = {
    {3, &RecentFolders, &LockedFolders, "folders.lst", "lfolders.lst", &TForm1::QFile},
    {4, &RecentApps, &LockedApps, "app.lst", "lapp.lst", &TForm1::Qrecentapp},
    {5, &RecentFiles, &LockedFiles, "files.lst", "lfiles.lst", &TForm1::Qrecentfile},
};

// Moves an entry of a recent list to its locked twin or back, or deletes
// it, and saves each list that changed to its file; false when the entry is
// no longer in its list.
bool UpdateListFile(const RecentKind& kind, unsigned command, const RecentMenuEntry& entry) {
    TStringList& recent = **kind.recent;
    TStringList& locked = **kind.locked;
    const ListMove move = ApplyItemCommand(command, entry.locked, recent, locked, entry.path, SamePathText);
    if (move == ListMove::None) return false;
    if (move != ListMove::Deleted || !entry.locked) SaveListFile(recent, kind.recentFile);
    if (move != ListMove::Deleted || entry.locked) SaveListFile(locked, kind.lockedFile);
    return true;
}

// The context menu of a bar item; the own commands for an entry of a recent
// list (a top-level item of the recent menu that is open).
void RunItemMenu(UINT_PTR hover, bool folder) {
    HideItemTip();
    TMenuItem* item = FindBarItem(hover, folder);
    if (!item || !ItemIdList(item) || item->Caption == "-") return;
    const RecentKind* kind = nullptr;
    for (const RecentKind& k : kRecentKinds)
        if (k.kind == OpenMenuKind && (k.kind == 3) == folder) kind = &k;
    const RecentMenuEntry* found = kind && item->Parent() == Form1->DesktopMenu->Items() ? RecentMenuEntryOf(item)
                                                                                       : nullptr;
    // Copied now: the nested menu's loop may rebuild the bar's menus under it.
    const RecentMenuEntry entry = found ? *found : RecentMenuEntry{};
    const OwnCommands own{found != nullptr, entry.locked, kind && kind->kind != 3, item->Caption};
    const ScopedIdList list(CopyIdList(ItemIdList(item)));
    const unsigned chosen = ShowItemMenu(list.Get(), own);
    if (chosen == 0) return;
    CloseAllMenus();
    const int offset = ShellCommandOffset(chosen, own.present);
    if (offset >= 0) {
        InvokeItemCommand(offset);
        return;
    }
    if (ListsReady && UpdateListFile(*kind, chosen, entry)) ReopenBarMenu(Form1->*kind->button);
}

// The right button released over a folder item (one that opens a submenu)
// or over a command item.
void FolderItemMenu(UINT_PTR submenu) { RunItemMenu(submenu, true); }
void ListItemMenu(UINT_PTR command) { RunItemMenu(command, false); }

// Whether the right button's release over the hovered item opens its
// context menu; the request runs from the pop-up list window's queue.
bool RequestItemMenu(bool folder) {
    if (itemMenuPending) return true;
    TMenuItem* item = FindBarItem(HoverMenuCommand, folder);
    if (!item || !ItemIdList(item) || item->Caption == "-") return false;
    itemMenuPending = PostMessageA(PopupListWindow(), CM_ITEMMENU, HoverMenuCommand, folder) != FALSE;
    return itemMenuPending;
}

// Wine folds a mouse move that comes while the menu still handles the one
// before into that one, and the menu then takes both away as handled: the
// pointer rests on an item the menu never highlighted. The menu is then told
// the pointer's place again (menu loops read it in screen coordinates).
void CatchUpWithPointer() {
    using ItemFromPointFn = int(WINAPI*)(HWND, HMENU, POINT);
    static const auto itemFromPoint =
        reinterpret_cast<ItemFromPointFn>(GetProcAddress(GetModuleHandleA("user32.dll"), "MenuItemFromPoint"));
    POINT pt{};
    if (!itemFromPoint || ContextMenuActive || !GetCursorPos(&pt)) return;
    HWND under = WindowFromPoint(pt);
    if (!IsOwnMenuWindow(under)) return;
    auto* menu = reinterpret_cast<HMENU>(SendMessageA(under, MN_GETHMENU, 0, 0));
    const int pos = menu ? itemFromPoint(nullptr, menu, pt) : -1;
    const UINT state = pos >= 0 ? GetMenuState(menu, static_cast<UINT>(pos), MF_BYPOSITION) : ~0u;
    if (state != ~0u && !(state & (MF_HILITE | MF_SEPARATOR)))
        PostMessageA(under, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
}

void OpenHoveredFolder(UINT_PTR submenu) {
    TMenuItem* item = FindBarItem(submenu, true);
    if (!item || !ItemIdList(item)) return;
    CloseAllMenus();
    OpenIdList(Application->Handle(), nullptr, ItemIdList(item));
}

LRESULT CALLBACK PopupMouseHookProc(int code, WPARAM wp, LPARAM lp) {
    LRESULT swallow = 0;
    if ((code == HC_ACTION || code == HC_NOREMOVE) && Form1) {
        CallGuarded([&] {
            const auto* mouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lp);
            if (!IsOwnMenuWindow(mouse->hwnd) && mouse->hwnd != PopupListWindow()) return;
            // The menu looks at a message before it takes it from the queue:
            // the release must go at that first look, or the menu chooses the item.
            if (wp == WM_RBUTTONUP) {
                if (!ContextMenuActive && RequestItemMenu(HoverIsSubmenu)) swallow = 1;
            } else if (code != HC_ACTION) {
                return;
            } else if (wp == WM_LBUTTONDBLCLK && HoverIsSubmenu && !ContextMenuActive) {
                PostMessageA(PopupListWindow(), CM_OPENFOLDER, HoverMenuCommand, 0);
            } else if (wp == WM_RBUTTONDOWN) {
                DismissItemMenu();
            }
        });
    }
    if (swallow) return swallow;
    return CallNextHookEx(PopupHook.Get(), code, wp, lp);
}

}  // namespace

LRESULT CALLBACK PopupListWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (!Form1) return CallSaved(hwnd, msg, wp, lp);
    LRESULT result = 0;
    bool handled = false;
    CallGuarded([&] {
        switch (msg) {
            case WM_DRAWITEM:
            case WM_MEASUREITEM: {
                const ULONG_PTR data = msg == WM_DRAWITEM ? reinterpret_cast<DRAWITEMSTRUCT*>(lp)->itemData
                                                          : reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemData;
                // The bar's own items beneath the context menu still draw themselves.
                if (!ItemContextMenu2 || IsBarMenuItemData(data)) break;
                ItemContextMenu2->HandleMenuMsg(msg, wp, lp);
                result = TRUE;
                handled = true;
                break;
            }
            case WM_INITMENUPOPUP:
                if (!ItemContextMenu2) break;
                ItemContextMenu2->HandleMenuMsg(msg, wp, lp);
                handled = true;
                break;
            case WM_MENUSELECT:
                // The context menu's own highlights never retarget the bar's item.
                if (ContextMenuActive) break;
                HoverMenuCommand = LOWORD(wp);
                if (HIWORD(wp) != 0xFFFF) HoverIsSubmenu = (HIWORD(wp) & MF_POPUP) != 0;
                if (HoverIsSubmenu)
                    HoverMenuCommand = reinterpret_cast<UINT_PTR>(GetSubMenu(reinterpret_cast<HMENU>(lp), LOWORD(wp)));
                // Built after the menu is done with this move: a move that
                // comes meanwhile is then a message of its own.
                if (!itemTipPending) itemTipPending = PostMessageA(hwnd, CM_ITEMTIP, 0, 0) != FALSE;
                if (!itemTipPending) ShowItemTip();
                break;
            case CM_ITEMTIP:
                itemTipPending = false;
                ShowItemTip();
                CatchUpWithPointer();
                handled = true;
                break;
            case WM_MENURBUTTONUP:
                if (!ContextMenuActive) RequestItemMenu(false);
                break;
            case WM_RBUTTONDOWN: DismissItemMenu(); break;
            case WM_RBUTTONUP:
                if (HoverIsSubmenu && !ContextMenuActive) RequestItemMenu(true);
                break;
            case CM_ITEMMENU:
                itemMenuPending = false;
                // A failed command or a vanished entry ends the action quietly.
                try {
                    if (lp)
                        FolderItemMenu(static_cast<UINT_PTR>(wp));
                    else
                        ListItemMenu(static_cast<UINT_PTR>(wp));
                } catch (...) {
                }
                handled = true;
                break;
            case CM_OPENFOLDER:
                OpenHoveredFolder(static_cast<UINT_PTR>(wp));
                handled = true;
                break;
            default: break;
        }
    });
    return handled ? result : CallSaved(hwnd, msg, wp, lp);
}

void InstallPopupListProc() {
    HWND window = PopupListWindow();
    if (!window || SavedPopupListProc) return;
    // A tip asked for before went to the window's own procedure.
    itemTipPending = false;
    SavedPopupListProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PopupListWndProc)));
}

void RestorePopupListProc() {
    HWND window = PopupListWindow();
    if (!SavedPopupListProc) return;
    if (window && reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)) == &PopupListWndProc)
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SavedPopupListProc));
    SavedPopupListProc = nullptr;
}

void InstallPopupMouseHook() {
    if (!PopupHook) PopupHook.Reset(SetWindowsHookExA(WH_MOUSE, PopupMouseHookProc, nullptr, GetCurrentThreadId()));
}

void RemovePopupMouseHook() {
    PopupHook.Reset();
    ItemContextMenu2.Reset();
    ItemContextMenu.Reset();
}

}  // namespace bar
