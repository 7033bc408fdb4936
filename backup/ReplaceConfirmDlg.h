// Asks whether a file that is already in the destination is to be replaced,
// showing the size and time of both: "Yes", "No", or "All Files" (yes to
// this one and to every later one of the run).
#pragma once
#include <string>

#include "framework/dialogs/Dialog.h"

namespace backup {

class CReplaceConfirmDlg : public CDialog {
public:
    // `destinationFolder` ends in "\"; the existing file has the source's name there.
    CReplaceConfirmDlg(const std::string& sourceFile, const std::string& destinationFolder, CWnd* parent = nullptr);

    bool AllFiles() const { return m_allFiles; }
    std::string m_headerText;
    std::string m_detailText;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // Yes to this file and to every later one of the run.
    void OnAllFiles();

    std::string m_sourceFilePath;
    std::string m_targetFilePath;
    bool m_allFiles = false;
};

}  // namespace backup
