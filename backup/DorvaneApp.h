// The backup library's application object: its settings live under
// HKEY_CURRENT_USER\Software\Mivora\Dorvane. It also holds what the whole
// library shares: the one backup window, the tab it shows, and the schedule
// the schedule dialogs set and the Backup page's timer checks.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "backup/core/Schedule.h"
#include "framework/dialogs/WinApp.h"

namespace backup {

class CBackupMainDlg;

class CDorvaneApp : public CWinApp {
public:
    CDorvaneApp();
    bool InitInstance() override;

    // The window while it exists, shown or hidden.
    CBackupMainDlg* MainWindow = nullptr;
    // 0 Backup, 1 Restore: what the window shows, never the way a run goes.
    int ActiveTab = 0;
    schedule::ScheduleValues Schedule;
    std::string ScheduleText = "at 17:00";

    // Seams a test replaces: the local time the schedule is checked against,
    // and the folder "option.sav" lives in (empty: the Windows folder).
    std::function<SYSTEMTIME()> LocalTime;
    std::string OptionsFolder;
    std::string OptionsPath() const;
};

extern CDorvaneApp theApp;

}  // namespace backup
