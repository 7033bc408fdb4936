// What the pack dialogs share: a tab control with one option page per
// format, the current tab's page shown, and the tab of the last OK selected
// again when the dialog opens.
#pragma once
#include "framework/dialogs/Dialog.h"
#include "archive/PackPages.h"
#include "dialogkit/TabPages.h"

class CPackTabsDlg : public CDialog {
protected:
    // The pages' templates and profile sections, in tab order LZH, TAR, ZIP.
    struct PageSet {
        UINT lzh, tar, zip;
        const char *lzhSection, *tarSection, *zipSection;
    };
    // `section` keeps the current tab ("CurSel").
    CPackTabsDlg(UINT templateId, const PageSet& pages, const char* section);

    void DoDataExchange(CDataExchange* pDX) override;
    // After the base initialisation: the pages, from their settings, under their tabs.
    void SetUpPages();
    CPackPage& CurrentPage();
    void SaveCurrentTab() const;

    CTabPages tabs_;
    CLzhPage lzh_;
    CTarPage tar_;
    CZipPage zip_;

private:
    const char* section_;
};
