// The bar follows the highlighted item of its open menus through the window
// procedure of the pop-up list window (the owner of every menu) and a mouse
// hook: the tip, a folder opened by a double click, and the shell's context
// menu of an item, which in the recent-item menus starts with the bar's own
// "Lock item" / "Unlock item" and "Delete item".
#pragma once
#include <windows.h>

namespace bar {

// The highlighted item: its command id, or its submenu's handle when it opens one.
extern UINT_PTR HoverMenuCommand;
extern bool HoverIsSubmenu;
// An item context menu is being tracked.
extern bool ContextMenuActive;

// Puts the bar's procedure in place of the pop-up list window's, and back.
// The bar puts it back at close, so the window never calls into a gone bar.
void InstallPopupListProc();
void RestorePopupListProc();
void InstallPopupMouseHook();
// Also lets go of the last item context menu, which must happen before COM goes.
void RemovePopupMouseHook();

// The pop-up list window's procedure while the bar runs.
LRESULT CALLBACK PopupListWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace bar
