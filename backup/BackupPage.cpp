#include "backup/BackupPage.h"

#include "backup/BackupMainDlg.h"
#include "backup/core/BackupOptions.h"
#include "backup/CopyJob.h"
#include "framework/dialogs/DataExchange.h"
#include "backup/DorvaneApp.h"
#include "backup/ScheduleDlg.h"
#include "backup/resource.h"

namespace backup {

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

namespace {

// Each value of "option.sav" beside where the page or the library keeps it,
// once for loading and saving alike: `copy(value in the record, its place)`.
template <class Copy>
void PairOptions(BackupOptions& o, CBackupPage& page, Copy copy) {
    schedule::ScheduleValues& s = theApp.Schedule;
    copy(o.includeSubfolder, page.IncludeSubfolder);
    copy(o.skipIdentical, page.SkipIdentical);
    copy(o.compareMode, page.CompareMode);
    copy(o.destPath, page.DestPath);
    copy(o.extMode, page.ExtMode);
    copy(o.extList, page.ExtList);
    copy(o.sourcePath, page.SourcePath);
    copy(o.fileOperation, page.FileOperation);
    copy(o.runMode, page.RunMode);
    copy(o.scheduleKind, page.ScheduleKind);
    copy(o.scheduleText, theApp.ScheduleText);
    copy(o.scheduleHour, s.hour);
    copy(o.scheduleMinute, s.minute);
    copy(o.scheduleWeekday, s.weekday);
    copy(o.scheduleDayOfMonth, s.dayOfMonth);
    copy(o.scheduleLastDay, s.lastDay);
}

}  // namespace

void CBackupPage::LoadOptions() {
    BackupOptions o;
    if (!LoadOptionsFile(theApp.OptionsPath(), o)) return;
    PairOptions(o, *this, [](const auto& value, auto& place) { place = value; });
    ScheduleText = theApp.ScheduleText;
    UpdateData(false);
}

void CBackupPage::SaveOptions() {
    UpdateData(true);
    BackupOptions o;
    PairOptions(o, *this, [](auto& value, const auto& place) { value = place; });
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

}  // namespace backup
