#include "backup/PathsPage.h"

#include <shlobj.h>

#include "backup/core/BackupPaths.h"
#include "dialogkit/BrowseFolder.h"
#include "backup/CopyJob.h"
#include "framework/dialogs/DataExchange.h"
#include "dialogkit/FileRoutines.h"
#include "framework/dialogs/Text.h"
#include "framework/win32/WideText.h"
#include "backup/resource.h"

namespace backup {

CPathsPage::CPathsPage(UINT templateId, const char* sourceTitle, int includeSubfolder, int fileOperation)
    : CDialog(templateId), IncludeSubfolder(includeSubfolder), FileOperation(fileOperation) {
    MapClicked(IDC_FROM_BROWSE, [this, sourceTitle] { Browse(sourceTitle, SourcePath); });
    MapClicked(IDC_TO_BROWSE, [this] { Browse("Please choose destination path.", DestPath); });
}

BOOL CPathsPage::OnInitDialog() {
    CDialog::OnInitDialog();
    fromBrowse_.SetIcon(IDI_BROWSE, 16, 16);
    toBrowse_.SetIcon(IDI_BROWSE, 16, 16);
    return TRUE;
}

void CPathsPage::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_FROM_BROWSE, fromBrowse_);
    DDX_Control(pDX, IDC_TO_BROWSE, toBrowse_);
    DDX_Text(pDX, IDC_FROM, SourcePath);
    DDX_Text(pDX, IDC_TO, DestPath);
    DDX_Check(pDX, IDC_SUBFOLDERS, IncludeSubfolder);
    DDX_Radio(pDX, IDC_COMPARE, CompareMode);
    DDX_Radio(pDX, IDC_OP_OVERWRITE, FileOperation);
    DDX_Check(pDX, IDC_SKIP_IDENTICAL, SkipIdentical);
}

void CPathsPage::Browse(const char* title, std::string& field) {
    UpdateData(true);
    const auto folder = BrowseForFolder(Handle(), WideFromAnsi(title), kNoInitialFolder);
    if (!folder) return;
    field = WithBackslash(*folder, SystemLeadByte);
    UpdateData(false);
}

bool CPathsPage::ValidateRunPaths(HWND owner) {
    UpdateData(true);
    // Compared in their full, long form: "..", "." and short names must not
    // hide a destination inside the source. A file is no folder to copy.
    const PathProblem problem = CheckRunPaths(dialogkit::NormalisedPath(SourcePath),
                                              dialogkit::NormalisedPath(DestPath), dialogkit::FolderExists,
                                              SystemLeadByte);
    if (problem == PathProblem::None) return true;
    MessageBoxW(owner, WideFromAnsi(PathProblemText(problem)).c_str(), L"Error", MB_OK);
    GotoDlgCtrl(GetDlgItem(PathProblemField(problem) == PathField::Source ? IDC_FROM : IDC_TO));
    return false;
}

CopyRequest CPathsPage::Request(CopyDirection direction) const {
    return CopyRequest(dialogkit::NormalisedPath(SourcePath), dialogkit::NormalisedPath(DestPath),
                       IncludeSubfolder != 0, FileOperation, 0, std::string(), direction);
}

bool CPathsPage::Run(CopyDirection direction, HWND owner) const {
    const CopyRequest request = Request(direction);
    if (FileOperation == 2)
        return RunShellCopyJob(request.source, request.destination, Handle(), request.includeSubfolders);
    CopyOutcome outcome;
    return RunCopyJob(request, owner, outcome);
}

}  // namespace backup
