#include "dialogkit/TabPages.h"

bool CTabPages::AddPage(CDialog& page, const std::string& title) {
    if (!page.Create(Handle())) return false;
    SetWindowLongA(Handle(), GWL_EXSTYLE, GetWindowLongA(Handle(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    // The tab first: without one the display area has no room for the row
    // of tabs, and the first page would cover it.
    InsertItem(static_cast<int>(pages_.size()), title);
    const RECT area = DisplayRect();
    SetWindowPos(page.Handle(), HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOACTIVATE | SWP_HIDEWINDOW);
    pages_.push_back(&page);
    return true;
}

void CTabPages::Show(int index) const {
    for (std::size_t i = 0; i < pages_.size(); ++i)
        pages_[i]->ShowWindow(static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
}

void CTabPages::Select(int index) const {
    SetCurSel(index);
    Show(index);
}

