// The pack-for-mail dialog: the selection packed into the temporary folder
// in the format of the chosen tab, then handed to the mail sender Brimo,
// which turns the archive into an unsent message.
#pragma once
#include <string>
#include <vector>

#include "archive/PackTabsDlg.h"

class CCompressMailDlg : public CPackTabsDlg {
public:
    CCompressMailDlg();

    // The selection, set by the caller before the dialog runs.
    std::vector<std::string> items_;
    // The archive's name without extension (edit control): the first item's
    // name unless the user types another.
    std::string name_;
    // What OK made and handed to the mail sender.
    std::string made_;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // Removes what an earlier run left under the names this run writes.
    bool ClearEarlierArchive(const archive::PackRequest& request);
    void StartMailSender();

    HICON icon_ = nullptr;
    std::string baseFolder_;
    std::string tempFolder_;
};
