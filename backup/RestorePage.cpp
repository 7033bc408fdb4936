#include "backup/RestorePage.h"

#include "backup/BackupPage.h"
#include "backup/core/BackupPaths.h"
#include "framework/dialogs/Text.h"
#include "backup/resource.h"

namespace backup {

// The source's browse button asks for a "destination" too: the text stands
// as the user has always read it.
CRestorePage::CRestorePage(CBackupPage& backupPage)
    : CPathsPage(IDD_RESTORE_PAGE, "Please choose destination path.", 0, 0), backupPage_(backupPage) {}

BOOL CRestorePage::OnInitDialog() {
    CPathsPage::OnInitDialog();
    SourcePath = backupPage_.DestPath;
    DestPath = backupPage_.SourcePath;
    UpdateData(false);
    return TRUE;
}

void CRestorePage::FollowBackupPage() {
    backupPage_.UpdateData(true);
    const RestorePaths paths = RestoreFor(backupPage_.SourcePath, backupPage_.DestPath, SystemLeadByte);
    SourcePath = paths.from;
    DestPath = paths.to;
    UpdateData(false);
}

}  // namespace backup
