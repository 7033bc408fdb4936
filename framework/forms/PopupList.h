// The pop-up list: one hidden window that owns every menu shown with
// TPopupMenu::PopupAt. It fills submenus as they open (the item's OnClick),
// draws item icons, and delivers the chosen item's click after the menu call.
#pragma once
#include <windows.h>

#include <deque>
#include <utility>
#include <vector>

#include "framework/win32/ScopedHandle.h"

class TPopupMenu;
class TMenuItem;

class TPopupList {
public:
    static TPopupList& Instance();

    // The window; its procedure may be replaced, as long as the replacement
    // passes on what it does not handle (to DefaultProc when nothing was there before).
    HWND Window();
    static LRESULT CALLBACK DefaultProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    void Track(TPopupMenu* menu, int x, int y);
    // A menu that goes away: it is no longer searched, and its pending click is dropped.
    void Forget(TPopupMenu* menu);
    // The menus being shown, innermost last.
    const std::vector<TPopupMenu*>& Tracking() const { return tracking_; }
    // The item of a shown menu with that command id or submenu handle.
    TMenuItem* FindItemByCommand(UINT command) const;
    TMenuItem* FindItemBySubmenu(HMENU submenu) const;

private:
    TPopupList() = default;
    LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void MeasureItem(MEASUREITEMSTRUCT& mis);
    void DrawItem(const DRAWITEMSTRUCT& dis);
    TMenuItem* KnownItem(ULONG_PTR data, TPopupMenu** owner = nullptr) const;
    HFONT MenuFont(bool bold);

    HWND window_ = nullptr;
    std::vector<TPopupMenu*> tracking_;
    std::deque<std::pair<TPopupMenu*, UINT>> pending_;
    ScopedFont font_;
    ScopedFont boldFont_;
};
