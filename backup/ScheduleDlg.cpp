#include "ScheduleDlg.h"

#include <algorithm>

#include "DataExchange.h"
#include "DorvaneApp.h"
#include "Schedule.h"
#include "resource.h"

using namespace schedule;

namespace {

const char* const kWeekdays[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

// The spin's position, or the nearest end when the user typed past it.
int SpinValue(const CSpinButtonCtrl& spin, const std::string& buddyText, int low, int high) {
    return SpinPosition(static_cast<long>(spin.Send(UDM_GETPOS)), low, high, buddyText);
}

}  // namespace

INT_PTR RunScheduleDialog(int kind, CWnd* parent) {
    switch (kind) {
    case kEveryHour: return CHourlyScheduleDlg(parent).DoModal();
    case kEveryWeek: return CWeeklyScheduleDlg(parent).DoModal();
    case kEveryDay: return CDailyScheduleDlg(parent).DoModal();
    case kEveryMonth: return CMonthlyScheduleDlg(parent).DoModal();
    default: return IDCANCEL;
    }
}

CTimedScheduleDlg::CTimedScheduleDlg(UINT templateId, const char* section, CWnd* parent)
    : CDialog(templateId, parent), section_(section) {}

void CTimedScheduleDlg::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, IDC_SCHEDULE_TIME, time_); }

BOOL CTimedScheduleDlg::OnInitDialog() {
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

std::string CTimedScheduleDlg::StoreTime() {
    const SYSTEMTIME t = time_.GetTime();
    theApp.Schedule.hour = t.wHour;
    theApp.Schedule.minute = t.wMinute;
    theApp.WriteProfileString(section_, "HOU", std::to_string(t.wHour));
    theApp.WriteProfileString(section_, "MIN", std::to_string(t.wMinute));
    return ScheduleTimeText(t.wHour, t.wMinute);
}

CHourlyScheduleDlg::CHourlyScheduleDlg(CWnd* parent) : CDialog(IDD_SCHEDULE_HOUR, parent) {}

void CHourlyScheduleDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_SCHEDULE_MINUTE_SPIN, spin_);
    DDX_Text(pDX, IDC_SCHEDULE_MINUTE, MinuteText);
}

BOOL CHourlyScheduleDlg::OnInitDialog() {
    MinuteText = theApp.GetProfileString("HOUR", "HOU", "0");
    CDialog::OnInitDialog();
    spin_.SetRange(0, 59);
    UpdateData(false);
    return TRUE;
}

void CHourlyScheduleDlg::OnOK() {
    UpdateData(true);
    const int minute = SpinValue(spin_, MinuteText, 0, 59);
    theApp.Schedule.minute = minute;
    theApp.ScheduleText = HourlyScheduleText(minute);
    theApp.WriteProfileString("HOUR", "HOU", std::to_string(minute));
    EndDialog(IDOK);
}

CDailyScheduleDlg::CDailyScheduleDlg(CWnd* parent) : CTimedScheduleDlg(IDD_SCHEDULE_DAY, "DAY", parent) {}

void CDailyScheduleDlg::OnOK() {
    UpdateData(true);
    theApp.ScheduleText = StoreTime();
    EndDialog(IDOK);
}

CWeeklyScheduleDlg::CWeeklyScheduleDlg(CWnd* parent) : CTimedScheduleDlg(IDD_SCHEDULE_WEEK, "WEEK", parent) {
    MapCommand(IDC_SCHEDULE_WEEKDAY, CBN_SELENDOK,
               [this] { theApp.Schedule.weekday = weekday_.GetCurSel() + 1; });
}

void CWeeklyScheduleDlg::DoDataExchange(CDataExchange* pDX) {
    CTimedScheduleDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SCHEDULE_WEEKDAY, weekday_);
    DDX_CBString(pDX, IDC_SCHEDULE_WEEKDAY, WeekdayText);
}

BOOL CWeeklyScheduleDlg::OnInitDialog() {
    WeekdayText = theApp.GetProfileString(section_, "WEE", "Monday");
    const int weekday = std::clamp(static_cast<int>(theApp.GetProfileInt(section_, "WEENU", 1)), 1, 7);
    theApp.Schedule.weekday = weekday;
    CTimedScheduleDlg::OnInitDialog();
    for (const char* day : kWeekdays) weekday_.AddString(day);
    UpdateData(false);
    // The list offers no typing, so a stored name it lacks falls back to the number.
    if (weekday_.GetCurSel() < 0) weekday_.SetCurSel(weekday - 1);
    return TRUE;
}

void CWeeklyScheduleDlg::OnOK() {
    UpdateData(true);
    const int weekday = weekday_.GetCurSel() + 1;
    StoreTime();
    theApp.Schedule.weekday = weekday;
    theApp.ScheduleText = WeeklyScheduleText(theApp.Schedule.hour, theApp.Schedule.minute, WeekdayText);
    theApp.WriteProfileString(section_, "WEE", WeekdayText);
    theApp.WriteProfileInt(section_, "WEENU", weekday);
    EndDialog(IDOK);
}

CMonthlyScheduleDlg::CMonthlyScheduleDlg(CWnd* parent) : CTimedScheduleDlg(IDD_SCHEDULE_MONTH, "MONTH", parent) {
    MapClicked(IDC_SCHEDULE_LAST_DAY,
               [this] { EnableDlgItem(IDC_SCHEDULE_DAY, !IsDlgButtonChecked(IDC_SCHEDULE_LAST_DAY)); });
}

void CMonthlyScheduleDlg::DoDataExchange(CDataExchange* pDX) {
    CTimedScheduleDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SCHEDULE_DAY_SPIN, spin_);
    DDX_Text(pDX, IDC_SCHEDULE_DAY, DayText);
    DDX_Check(pDX, IDC_SCHEDULE_LAST_DAY, LastDay);
}

BOOL CMonthlyScheduleDlg::OnInitDialog() {
    DayText = theApp.GetProfileString(section_, "DAY", "1");
    LastDay = theApp.GetProfileInt(section_, "LASTDAY", 0) == 1 ? 1 : 0;
    CTimedScheduleDlg::OnInitDialog();
    spin_.SetRange(1, 31);
    UpdateData(false);
    if (LastDay) EnableDlgItem(IDC_SCHEDULE_DAY, false);
    return TRUE;
}

void CMonthlyScheduleDlg::OnOK() {
    UpdateData(true);
    const int day = SpinValue(spin_, DayText, 1, 31);
    StoreTime();
    theApp.Schedule.dayOfMonth = day;
    theApp.Schedule.lastDay = LastDay;
    theApp.ScheduleText = MonthlyScheduleText(theApp.Schedule.hour, theApp.Schedule.minute, day, LastDay == 1);
    theApp.WriteProfileString(section_, "DAY", std::to_string(day));
    theApp.WriteProfileInt(section_, "LASTDAY", LastDay);
    EndDialog(IDOK);
}
