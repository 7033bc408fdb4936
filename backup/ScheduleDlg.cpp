#include "backup/ScheduleDlg.h"

#include <algorithm>
#include <string>

#include "framework/dialogs/Controls.h"
#include "framework/dialogs/DataExchange.h"
#include "backup/DorvaneApp.h"
#include "backup/core/Schedule.h"
#include "backup/resource.h"

namespace backup {

using namespace schedule;

namespace {

const char* const kWeekdays[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

// The spin's position, or the nearest end when the user typed past it.
int SpinValue(const CSpinButtonCtrl& spin, const std::string& buddyText, int low, int high) {
    return SpinPosition(static_cast<long>(spin.Send(UDM_GETPOS)), low, high, buddyText);
}

// OK stores the settings of a schedule dialog and takes its text as the
// library's schedule text.
class CScheduleDlg : public CDialog {
protected:
    using CDialog::CDialog;
    // Stores the settings; gives the schedule's text.
    virtual std::string Store() = 0;

private:
    void OnOK() final {
        UpdateData(true);
        theApp.ScheduleText = Store();
        EndDialog(IDOK);
    }
};

class CHourlyScheduleDlg : public CScheduleDlg {
public:
    explicit CHourlyScheduleDlg(CWnd* parent) : CScheduleDlg(IDD_SCHEDULE_HOUR, parent) {}

private:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_SCHEDULE_MINUTE_SPIN, spin_);
        DDX_Text(pDX, IDC_SCHEDULE_MINUTE, minuteText_);
    }
    BOOL OnInitDialog() override {
        minuteText_ = theApp.GetProfileString("HOUR", "HOU", "0");
        CDialog::OnInitDialog();
        spin_.SetRange(0, 59);
        UpdateData(false);
        return TRUE;
    }
    std::string Store() override {
        const int minute = SpinValue(spin_, minuteText_, 0, 59);
        theApp.Schedule.minute = minute;
        theApp.WriteProfileString("HOUR", "HOU", std::to_string(minute));
        return HourlyScheduleText(minute);
    }

    std::string minuteText_;
    CSpinButtonCtrl spin_;
};

// The dialogs with a time picker: its hour and minute come from and go to
// the section's HOU and MIN. The daily one is no more than that.
class CTimedScheduleDlg : public CScheduleDlg {
public:
    CTimedScheduleDlg(UINT templateId, const char* section, CWnd* parent)
        : CScheduleDlg(templateId, parent), section_(section) {}

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_SCHEDULE_TIME, time_); }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        time_.SetFormat("HH:mm");
        SYSTEMTIME t;
        GetLocalTime(&t);
        t.wHour = static_cast<WORD>(ProfileHour(theApp.GetProfileString(section_, "HOU", "100")));
        t.wMinute = static_cast<WORD>(ProfileNumber(theApp.GetProfileString(section_, "MIN", "0"), 0, 59));
        t.wSecond = 0;
        t.wMilliseconds = 0;
        time_.SetTime(t);
        return TRUE;
    }
    // Stores the picked time; the text begins with it.
    std::string Store() override {
        const SYSTEMTIME t = time_.GetTime();
        theApp.Schedule.hour = t.wHour;
        theApp.Schedule.minute = t.wMinute;
        theApp.WriteProfileString(section_, "HOU", std::to_string(t.wHour));
        theApp.WriteProfileString(section_, "MIN", std::to_string(t.wMinute));
        return ScheduleTimeText(t.wHour, t.wMinute);
    }

    const char* const section_;

private:
    CDateTimeCtrl time_;
};

class CWeeklyScheduleDlg : public CTimedScheduleDlg {
public:
    explicit CWeeklyScheduleDlg(CWnd* parent) : CTimedScheduleDlg(IDD_SCHEDULE_WEEK, "WEEK", parent) {
        MapCommand(IDC_SCHEDULE_WEEKDAY, CBN_SELENDOK, [this] { theApp.Schedule.weekday = weekday_.GetCurSel() + 1; });
    }

private:
    void DoDataExchange(CDataExchange* pDX) override {
        CTimedScheduleDlg::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_SCHEDULE_WEEKDAY, weekday_);
        DDX_CBString(pDX, IDC_SCHEDULE_WEEKDAY, weekdayText_);
    }
    BOOL OnInitDialog() override {
        weekdayText_ = theApp.GetProfileString(section_, "WEE", "Monday");
        const int weekday = std::clamp(static_cast<int>(theApp.GetProfileInt(section_, "WEENU", 1)), 1, 7);
        theApp.Schedule.weekday = weekday;
        CTimedScheduleDlg::OnInitDialog();
        for (const char* day : kWeekdays) weekday_.AddString(day);
        UpdateData(false);
        // The list offers no typing, so a stored name it lacks falls back to the number.
        if (weekday_.GetCurSel() < 0) weekday_.SetCurSel(weekday - 1);
        return TRUE;
    }
    std::string Store() override {
        const int weekday = weekday_.GetCurSel() + 1;
        CTimedScheduleDlg::Store();
        theApp.Schedule.weekday = weekday;
        theApp.WriteProfileString(section_, "WEE", weekdayText_);
        theApp.WriteProfileInt(section_, "WEENU", weekday);
        return WeeklyScheduleText(theApp.Schedule.hour, theApp.Schedule.minute, weekdayText_);
    }

    std::string weekdayText_;
    CComboBox weekday_;
};

class CMonthlyScheduleDlg : public CTimedScheduleDlg {
public:
    explicit CMonthlyScheduleDlg(CWnd* parent) : CTimedScheduleDlg(IDD_SCHEDULE_MONTH, "MONTH", parent) {
        MapClicked(IDC_SCHEDULE_LAST_DAY,
                   [this] { EnableDlgItem(IDC_SCHEDULE_DAY, !IsDlgButtonChecked(IDC_SCHEDULE_LAST_DAY)); });
    }

private:
    void DoDataExchange(CDataExchange* pDX) override {
        CTimedScheduleDlg::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_SCHEDULE_DAY_SPIN, spin_);
        DDX_Text(pDX, IDC_SCHEDULE_DAY, dayText_);
        DDX_Check(pDX, IDC_SCHEDULE_LAST_DAY, lastDay_);
    }
    BOOL OnInitDialog() override {
        dayText_ = theApp.GetProfileString(section_, "DAY", "1");
        lastDay_ = theApp.GetProfileInt(section_, "LASTDAY", 0) == 1 ? 1 : 0;
        CTimedScheduleDlg::OnInitDialog();
        spin_.SetRange(1, 31);
        UpdateData(false);
        if (lastDay_) EnableDlgItem(IDC_SCHEDULE_DAY, false);
        return TRUE;
    }
    std::string Store() override {
        const int day = SpinValue(spin_, dayText_, 1, 31);
        CTimedScheduleDlg::Store();
        theApp.Schedule.dayOfMonth = day;
        theApp.Schedule.lastDay = lastDay_;
        theApp.WriteProfileString(section_, "DAY", std::to_string(day));
        theApp.WriteProfileInt(section_, "LASTDAY", lastDay_);
        return MonthlyScheduleText(theApp.Schedule.hour, theApp.Schedule.minute, day, lastDay_ == 1);
    }

    std::string dayText_;
    int lastDay_ = 0;
    CSpinButtonCtrl spin_;
};

}  // namespace

INT_PTR RunScheduleDialog(int kind, CWnd* parent) {
    switch (kind) {
    case kEveryHour: return CHourlyScheduleDlg(parent).DoModal();
    case kEveryWeek: return CWeeklyScheduleDlg(parent).DoModal();
    case kEveryDay: return CTimedScheduleDlg(IDD_SCHEDULE_DAY, "DAY", parent).DoModal();
    case kEveryMonth: return CMonthlyScheduleDlg(parent).DoModal();
    default: return IDCANCEL;
    }
}

}  // namespace backup
