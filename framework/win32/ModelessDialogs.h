// The modeless dialogs of the process and the one call a message loop makes
// for them. A modeless dialog gets Tab, Enter and Escape only from a loop
// that hands its messages to IsDialogMessage, and the libraries that show
// one have no loop: they run inside the bar's. Every module links its own
// copy of the frameworks, so a list kept in static storage would be one list
// per module; the mark lives on the dialog's window instead, where the loop
// of any module finds it.
#pragma once
#include <windows.h>

constexpr char kModelessDialogMark[] = "MivoraModelessDialog";

inline void RegisterModelessDialog(HWND dialog) { SetPropA(dialog, kModelessDialogMark, dialog); }
inline void UnregisterModelessDialog(HWND dialog) { RemovePropA(dialog, kModelessDialogMark); }

// For every message loop of a thread that may own a modeless dialog: true
// when the dialog has taken the message, which is then neither translated
// nor dispatched.
inline bool RouteToModelessDialog(MSG& msg) {
    HWND root = msg.hwnd;
    // GetAncestor is missing from Windows 95.
    while (root && (GetWindowLongA(root, GWL_STYLE) & WS_CHILD)) root = GetParent(root);
    return root && GetPropA(root, kModelessDialogMark) && IsDialogMessageA(root, &msg);
}
