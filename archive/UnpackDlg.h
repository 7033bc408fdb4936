// The unpack dialog: a destination folder and three options; OK unpacks
// every archive of the selection into that folder, each by the archiver its
// extension names.
#pragma once
#include <string>
#include <vector>

#include "framework/dialogs/Dialog.h"
#include "dialogkit/IconButton.h"

class CDecompressDlg : public CDialog {
public:
    CDecompressDlg();

    // Set by the caller: the selection (the dialog leaves the list itself
    // alone), the text every extraction command ends with, and a destination
    // chosen beforehand (empty: the first archive's folder).
    std::vector<std::string> items_;
    std::string extra_;
    std::string destination_;

    int onlyNew_ = 0;
    int serial_ = 0;  // shown and kept, no archiver reads it
    int usePath_ = 1;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnHelp() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void OnBrowse();

    CIconButton browse_;
    HICON icon_ = nullptr;
    // The destination shown at start, which an emptied field falls back to.
    std::string kept_;
};
