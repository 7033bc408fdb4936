// What the Backup and Restore pages have in common: a source and a
// destination folder with their browse buttons, the copy options, the checks
// before a run and the run itself. Both pages use the same control ids.
#pragma once
#include <string>

#include "backup/core/CopyEngine.h"
#include "framework/dialogs/Dialog.h"
#include "dialogkit/IconButton.h"

namespace backup {

class CPathsPage : public CDialog {
public:
    CPathsPage(UINT templateId, const char* sourceTitle, int includeSubfolder, int fileOperation);

    // Reads the controls, then tells the user (a box owned by `owner`) what
    // keeps these paths from a run and puts the focus on that edit.
    bool ValidateRunPaths(HWND owner);
    // One run in `direction`, by the shell road for "Need confirmation",
    // else the copy engine with its progress dialog owned by `owner`. False
    // when another run was going on.
    bool Run(CopyDirection direction, HWND owner) const;

    std::string SourcePath;
    std::string DestPath;
    int IncludeSubfolder;
    int CompareMode = 0;
    int FileOperation;
    int SkipIdentical = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // The request of a run of these fields; the Backup page adds its filter.
    virtual CopyRequest Request(CopyDirection direction) const;

private:
    void Browse(const char* title, std::string& field);

    CIconButton fromBrowse_;
    CIconButton toBrowse_;
};

}  // namespace backup
