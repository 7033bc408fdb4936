// The Restore tab: copies a backup back. Its paths follow the Backup page
// each time the tab is chosen; nothing of it is saved.
#pragma once
#include "backup/PathsPage.h"

namespace backup {

class CBackupPage;

class CRestorePage : public CPathsPage {
public:
    explicit CRestorePage(CBackupPage& backupPage);
    // From the folder the backup made, into the folder above its source.
    void FollowBackupPage();

protected:
    BOOL OnInitDialog() override;

private:
    CBackupPage& backupPage_;
};

}  // namespace backup
