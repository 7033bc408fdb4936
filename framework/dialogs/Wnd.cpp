#include "Wnd.h"

#include "Text.h"

std::string CWnd::GetWindowText() const { return WindowTextOf(hwnd_); }
