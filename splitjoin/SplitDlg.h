// The split dialog: where the pieces go, how large they are, plain pieces or
// cabinet volumes, with a live preview of the piece names.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "framework/dialogs/Controls.h"
#include "framework/dialogs/Dialog.h"
#include "dialogkit/IconButton.h"

namespace splitjoin {

class CSplitDlg : public CDialog {
public:
    CSplitDlg();
    ~CSplitDlg() override;

    // Set by the caller before the dialog runs.
    std::string source_;
    // The choices, valid after IDOK.
    int sizeChoice_ = 3;  // 0 640 KB, 1 720 KB, 2 1.25 MB, 3 1.44 MB, 4 others
    int cabinet_ = 0;
    int pieceKB_ = 1440;
    std::string destination_;
    std::uint64_t sourceLength_ = 0;
    // Pieces or volumes of an earlier split that the user agreed to replace
    // and that the new run would not overwrite itself: they go before it starts.
    std::vector<std::string> replaced_;

    void UpdateSplitPreview();
    // The source's name without folder and extension, for the preview, and
    // the piece size the current choice stands for. Each dialog has its own:
    // two splits may run at once in one process.
    std::string pieceBaseName_;
    int selectedSizeKB_ = 1440;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnHelp() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void OnPreset(int choice);
    void OnOthers();
    void OnSizeChanged();
    void OnBrowse();
    // The checks that keep a split from destroying data: false keeps the dialog open.
    bool ConfirmPieces();

    CIconButton browse_;
    CSpinButtonCtrl spin_;
    HICON icon_ = nullptr;
};

}  // namespace splitjoin
