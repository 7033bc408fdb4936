#include "archive/PackTabsDlg.h"

#include "archive/CompressApp.h"
#include "framework/dialogs/DataExchange.h"
#include "archive/resource.h"

CPackTabsDlg::CPackTabsDlg(UINT templateId, const PageSet& pages, const char* section)
    : CDialog(templateId),
      lzh_(pages.lzh, pages.lzhSection),
      tar_(pages.tar, pages.tarSection),
      zip_(pages.zip, pages.zipSection),
      section_(section) {
    MapNotify(IDC_FORMAT_TABS, TCN_SELCHANGING, [this](NMHDR*, LRESULT* result) {
        CurrentPage().ShowWindow(SW_HIDE);
        *result = 0;
    });
    MapNotify(IDC_FORMAT_TABS, TCN_SELCHANGE, [this](NMHDR*, LRESULT*) { tabs_.Show(tabs_.GetCurSel()); });
}

void CPackTabsDlg::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, IDC_FORMAT_TABS, tabs_); }

CPackPage& CPackTabsDlg::CurrentPage() {
    CPackPage* pages[] = {&lzh_, &tar_, &zip_};
    const int index = tabs_.GetCurSel();
    return *pages[index >= 0 && index < 3 ? index : 0];
}

void CPackTabsDlg::SetUpPages() {
    lzh_.Load();
    tar_.Load();
    zip_.Load();
    tabs_.AddPage(lzh_, "LZH");
    tabs_.AddPage(tar_, "TAR");
    tabs_.AddPage(zip_, "ZIP");
    // The format used last time comes up again.
    const int saved = static_cast<int>(theApp.GetProfileInt(section_, "CurSel", 0));
    tabs_.Select(saved >= 0 && saved < 3 ? saved : 0);
}

void CPackTabsDlg::SaveCurrentTab() const { theApp.WriteProfileInt(section_, "CurSel", tabs_.GetCurSel()); }
