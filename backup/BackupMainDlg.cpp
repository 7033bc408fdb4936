#include "backup/BackupMainDlg.h"

#include <new>

#include "backup/CopyJob.h"
#include "framework/dialogs/DataExchange.h"
#include "backup/DorvaneApp.h"
#include "backup/resource.h"

namespace backup {

namespace {

constexpr char kTitle[] = "Mivora Backup";

}  // namespace

CBackupMainDlg::CBackupMainDlg() : CDialog(IDD_BACKUP_MAIN), restorePage_(backupPage_) {
    MapNotify(IDC_MAIN_TABS, TCN_SELCHANGING, [this](NMHDR*, LRESULT* result) {
        tabs_.Show(-1);
        *result = 0;
    });
    MapNotify(IDC_MAIN_TABS, TCN_SELCHANGE, [this](NMHDR*, LRESULT*) { OnSelChange(tabs_.GetCurSel()); });
    MapClicked(IDC_MAIN_RUN, [this] { OnRun(); });
    MapClicked(IDC_MAIN_OK, [this] { OnOkButton(); });
    MapClicked(IDC_MAIN_CANCEL, [this] { OnCancel(); });
}

void CBackupMainDlg::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, IDC_MAIN_TABS, tabs_); }

BOOL CBackupMainDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    tabs_.AddPage(backupPage_, "Backup");
    tabs_.AddPage(restorePage_, "Restore");
    OnSelChange(0);
    tabs_.Select(0);
    return TRUE;
}

bool CBackupMainDlg::Busy() const { return CopyRunActive() || backupPage_.Checking(); }

void CBackupMainDlg::OnSelChange(int tab) {
    tabs_.Show(tab);
    if (tab == 1) {
        restorePage_.FollowBackupPage();
        ::ShowWindow(GetDlgItem(IDC_MAIN_OK), SW_HIDE);
        SetDlgItemText(IDC_MAIN_RUN, "Restore");
    } else {
        ::ShowWindow(GetDlgItem(IDC_MAIN_OK), SW_SHOW);
        SetDlgItemText(IDC_MAIN_RUN, "Backup Now");
    }
    theApp.ActiveTab = tab;
}

void CBackupMainDlg::OnRun() {
    if (Busy()) return;
    if (tabs_.GetCurSel() == 1) {
        if (!restorePage_.ValidateRunPaths(Handle())) return;
        restorePage_.Run(CopyDirection::Restore, Handle());
    } else {
        if (!backupPage_.ValidateRunPaths(Handle())) return;
        backupPage_.SaveOptions();
        backupPage_.Run(CopyDirection::Backup, Handle());
    }
    Finish();
}

void CBackupMainDlg::OnOkButton() {
    if (Busy()) return;
    if (tabs_.GetCurSel() == 1) return Finish();
    if (!backupPage_.ValidateRunPaths(Handle())) return;
    backupPage_.SaveOptions();
    if (backupPage_.RunMode == 0) {
        backupPage_.Run(CopyDirection::Backup, Handle());
        return Finish();
    }
    backupPage_.StartScheduleTimer();
    backupPage_.CheckSchedule();
    ShowWindow(SW_HIDE);
}

void CBackupMainDlg::Finish() {
    OnOK();
    DestroyPages();
}

void CBackupMainDlg::OnCancel() {
    if (Busy()) return;
    EndDialog(IDCANCEL);
    DestroyPages();
}

void CBackupMainDlg::OnClose() { OnCancel(); }

void CBackupMainDlg::DestroyPages() { DestroyWindow(); }

void CBackupMainDlg::PostNcDestroy() {
    if (theApp.MainWindow == this) theApp.MainWindow = nullptr;
    delete this;
}

void OpenBackupWindow() {
    // The settings' registry root is fixed on first use.
    GetApp();
    // Also a hidden window: one waiting for its schedule. The library's own
    // first, since a run's summary box bears the same title.
    HWND existing = theApp.MainWindow ? theApp.MainWindow->Handle() : FindWindowA(nullptr, kTitle);
    if (existing) {
        ShowWindow(existing, SW_SHOW);
        return;
    }
    auto* window = new (std::nothrow) CBackupMainDlg;
    if (!window) {
        MessageBoxA(nullptr, "err", kTitle, MB_OK);
        return;
    }
    theApp.MainWindow = window;
    if (!window->Create(nullptr)) {
        theApp.MainWindow = nullptr;
        delete window;
        return;
    }
    window->ShowWindow(SW_SHOW);
    RECT r{};
    GetWindowRect(window->Handle(), &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    SetWindowPos(window->Handle(), nullptr, (GetSystemMetrics(SM_CXFULLSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYFULLSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetWindowPos(window->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace backup
