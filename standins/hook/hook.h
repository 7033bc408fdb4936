// The hook library the bar starts with its window and stops at its close.
// Between the two calls it sends the bar WM_HOOKNOTIFY (WM_USER + 66): lParam
// -1 with a global atom naming a path a program was started on (not by the
// bar itself), lParam 2 with a top-level window being shown or activated.
#pragma once
#include <windows.h>

extern "C" {
BOOL InstallHook(HWND bar);
BOOL UnInstallHook(void);
}
