#include "Wnd.h"

#include "WindowText.h"

std::string CWnd::GetWindowText() const { return WindowText(hwnd_); }
