// The "Mivora Backup" window: a modeless dialog, living inside its caller's
// process and message loop, with the Backup and Restore tabs. Its buttons run
// a copy and close it, or hand the Backup page over to its schedule and hide
// it. It deletes itself once its window is gone.
#pragma once
#include "backup/BackupPage.h"
#include "framework/dialogs/Dialog.h"
#include "backup/RestorePage.h"
#include "dialogkit/TabPages.h"

namespace backup {

class CBackupMainDlg : public CDialog {
public:
    CBackupMainDlg();

    CBackupPage& BackupPage() { return backupPage_; }
    CRestorePage& RestorePage() { return restorePage_; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCancel() override;
    void OnClose() override;
    void PostNcDestroy() override;
    virtual void DestroyPages();

private:
    // A run or a schedule check is under way: nothing may end the window
    // that owns it or start another.
    bool Busy() const;
    void OnSelChange(int tab);
    void OnRun();
    void OnOkButton();
    // Ends the window after a run or on "Ok".
    void Finish();

    CTabPages tabs_;
    CBackupPage backupPage_;
    CRestorePage restorePage_;
};

// What the library's export does: shows the window, making it first when
// there is none.
void OpenBackupWindow();

}  // namespace backup
