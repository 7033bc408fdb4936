// Child dialogs shown one at a time inside a tab control, without a
// property sheet. Each page is a DS_CONTROL|WS_CHILD template created inside
// the tab control's display area. The tab control becomes a control parent,
// so that Tab and Shift+Tab of the dialog around it walk into the page on
// show; the dialog maps TCN_SELCHANGE to Show(GetCurSel()).
#pragma once
#include <string>
#include <vector>

#include "framework/dialogs/Controls.h"
#include "framework/dialogs/Dialog.h"

class CTabPages : public CTabCtrl {
public:
    // Adds a tab titled `title` and creates `page`, hidden, under it. The
    // page object stays the caller's; its window goes with the tab control.
    bool AddPage(CDialog& page, const std::string& title);
    // Shows the page of tab `index` and hides the others.
    void Show(int index) const;
    // Selects tab `index` and shows its page.
    void Select(int index) const;

private:
    std::vector<CDialog*> pages_;
};
