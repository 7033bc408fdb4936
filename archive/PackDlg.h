// The pack dialog: the archive's name, a format on a tab control with that
// format's options on its page, and OK packs.
#pragma once
#include <string>
#include <vector>

#include "dialogkit/IconButton.h"
#include "archive/PackTabsDlg.h"

class CCompressDlg : public CPackTabsDlg {
public:
    CCompressDlg();

    // The selection, set by the caller before the dialog runs.
    std::vector<std::string> items_;
    // The archive's path without extension (edit control), and the folder
    // the items are written relative to.
    std::string archivePath_;
    std::string baseFolder_;
    // What OK made: the archive or its self-extractor.
    std::string made_;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void OnBrowse();

    CIconButton browse_;
    HICON icon_ = nullptr;
};
