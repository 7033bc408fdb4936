#include "BackupPage.h"

#include "BackupMainDlg.h"
#include "BackupOptions.h"
#include "CopyJob.h"
#include "DataExchange.h"
#include "DorvaneApp.h"
#include "ScheduleDlg.h"
#include "resource.h"

namespace {

constexpr UINT_PTR kScheduleTimer = 1;
constexpr UINT kScheduleMs = 60000;
const int kScheduleButtons[] = {IDC_EVERY_HOUR, IDC_EVERY_WEEK, IDC_EVERY_DAY, IDC_EVERY_MONTH};

}  // namespace

CBackupPage::CBackupPage() : CPathsPage(IDD_BACKUP_PAGE, "Please choose Source file path.", 1, 1) {
    MapClicked(IDC_MANUALLY, [this] { OnRunMode(false); });
    MapClicked(IDC_AUTO, [this] { OnRunMode(true); });
    for (int kind = 0; kind < 4; ++kind)
        MapClicked(kScheduleButtons[kind], [this, kind] { OnScheduleButton(kind); });
    MapMessage(WM_TIMER, [this](WPARAM id, LPARAM) {
        if (id == kScheduleTimer) CheckSchedule();
        return 0;
    });
}

void CBackupPage::DoDataExchange(CDataExchange* pDX) {
    CPathsPage::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_EXT_ALL, ExtMode);
    DDX_Text(pDX, IDC_EXT_LIST, ExtList);
    DDX_Radio(pDX, IDC_MANUALLY, RunMode);
    DDX_Text(pDX, IDC_SCHEDULE_TEXT, ScheduleText);
    DDX_Radio(pDX, IDC_EVERY_HOUR, ScheduleKind);
}

BOOL CBackupPage::OnInitDialog() {
    theApp.Schedule = schedule::ScheduleValues();
    CPathsPage::OnInitDialog();
    LoadOptions();
    if (ScheduleText.empty()) {
        TakeScheduleText();
        UpdateData(false);
    }
    if (RunMode == 0) EnableSchedules(false);
    UpdateData(true);
    if (RunMode == 1) StartScheduleTimer();
    return TRUE;
}

CopyRequest CBackupPage::Request(CopyDirection direction) const {
    CopyRequest request = CPathsPage::Request(direction);
    request.extMode = ExtMode;
    request.extList = ExtList;
    return request;
}

void CBackupPage::LoadOptions() {
    BackupOptions o;
    if (!LoadOptionsFile(theApp.OptionsPath(), o)) return;
    IncludeSubfolder = o.includeSubfolder;
    SkipIdentical = o.skipIdentical;
    CompareMode = o.compareMode;
    DestPath = o.destPath;
    ExtMode = o.extMode;
    ExtList = o.extList;
    SourcePath = o.sourcePath;
    FileOperation = o.fileOperation;
    RunMode = o.runMode;
    ScheduleKind = o.scheduleKind;
    ScheduleText = theApp.ScheduleText = o.scheduleText;
    theApp.Schedule = {o.scheduleHour, o.scheduleMinute, o.scheduleWeekday, o.scheduleDayOfMonth, o.scheduleLastDay};
    UpdateData(false);
}

void CBackupPage::SaveOptions() {
    UpdateData(true);
    const schedule::ScheduleValues& s = theApp.Schedule;
    BackupOptions o;
    o.includeSubfolder = IncludeSubfolder;
    o.skipIdentical = SkipIdentical;
    o.compareMode = CompareMode;
    o.destPath = DestPath;
    o.extMode = ExtMode;
    o.extList = ExtList;
    o.sourcePath = SourcePath;
    o.fileOperation = FileOperation;
    o.runMode = RunMode;
    o.scheduleKind = ScheduleKind;
    o.scheduleText = theApp.ScheduleText;
    o.scheduleHour = s.hour;
    o.scheduleMinute = s.minute;
    o.scheduleWeekday = s.weekday;
    o.scheduleDayOfMonth = s.dayOfMonth;
    o.scheduleLastDay = s.lastDay;
    // Nothing to tell: the options are a convenience, and a failed save
    // leaves the previous file as it was.
    SaveOptionsFile(theApp.OptionsPath(), o);
}

void CBackupPage::StartScheduleTimer() const { SetTimer(Handle(), kScheduleTimer, kScheduleMs, nullptr); }

void CBackupPage::EnableSchedules(bool enable) const {
    for (int id : kScheduleButtons) EnableDlgItem(id, enable);
}

void CBackupPage::TakeScheduleText() {
    ScheduleText = theApp.ScheduleText;
    if (ScheduleText.size() == schedule::kHourlyTextLength) ScheduleKind = schedule::kEveryHour;
}

void CBackupPage::OnRunMode(bool automatic) {
    EnableSchedules(automatic);
    UpdateData(true);
    if (!automatic) {
        KillTimer(Handle(), kScheduleTimer);
        return;
    }
    TakeScheduleText();
    UpdateData(false);
}

void CBackupPage::OnScheduleButton(int kind) {
    const int previous = ScheduleKind;
    UpdateData(true);
    if (RunScheduleDialog(kind, this) == IDOK)
        ScheduleText = theApp.ScheduleText;
    else
        ScheduleKind = previous;
    UpdateData(false);
}

void CBackupPage::CheckSchedule() {
    // The timer keeps ticking in every modal loop of a check, including the
    // run it starts: those ticks must not start a second one.
    if (checking_) return;
    checking_ = true;
    UpdateData(true);
    const SYSTEMTIME t = theApp.LocalTime();
    const schedule::LocalMinute now{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wDayOfWeek};
    if (gate_.ShouldRun(ScheduleKind, theApp.Schedule, now, CopyRunActive())) RunScheduledBackup();
    checking_ = false;
}

void CBackupPage::RunScheduledBackup() {
    if (!ValidateRunPaths(Handle())) return;
    // Always a backup, whichever tab the window shows; the window is the
    // progress dialog's owner, so it cannot be closed under the run.
    HWND owner = theApp.MainWindow ? theApp.MainWindow->Handle() : Handle();
    Run(CopyDirection::Backup, owner);
}
