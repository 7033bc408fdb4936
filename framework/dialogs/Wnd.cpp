#include "framework/dialogs/Wnd.h"

#include "framework/win32/WindowText.h"

std::string CWnd::GetWindowText() const { return WindowText(hwnd_); }
