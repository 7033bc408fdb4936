// The Backup tab: the folders and options of a backup, the extension filter
// that only "option.sav" sets, and the schedule with its once-a-minute check.
#pragma once
#include "backup/PathsPage.h"
#include "backup/core/Schedule.h"

namespace backup {

class CBackupPage : public CPathsPage {
public:
    CBackupPage();

    // "option.sav" into the fields and the library's schedule; a missing or
    // damaged file changes nothing. Saving replaces the file only whole.
    void LoadOptions();
    void SaveOptions();
    // Timer 1, once a minute, checks the schedule.
    void StartScheduleTimer() const;
    void CheckSchedule();
    void RunScheduledBackup();
    // A schedule check is under way (it may wait in a message box or a run).
    bool Checking() const { return checking_; }

    int ExtMode = 0;
    std::string ExtList;
    int RunMode = 1;
    std::string ScheduleText;
    int ScheduleKind = 2;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    CopyRequest Request(CopyDirection direction) const override;

private:
    void EnableSchedules(bool enable) const;
    // The library's text; an hourly one is known by its length.
    void TakeScheduleText();
    void OnRunMode(bool automatic);
    void OnScheduleButton(int kind);

    schedule::ScheduleGate gate_;
    bool checking_ = false;
};

}  // namespace backup
