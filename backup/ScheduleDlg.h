// The four schedule dialogs: every hour at a minute, every day, week or month
// at a time. Each shows the settings of its section of the library's profile
// (HOUR, DAY, WEEK, MONTH) and on OK stores them there and in the library's
// schedule, with the schedule's text.
#pragma once
#include <string>

#include "Controls.h"
#include "Dialog.h"

// The dialog of `kind` (schedule::ScheduleKind), modal over `parent`.
INT_PTR RunScheduleDialog(int kind, CWnd* parent);

// The dialogs with a time picker: its hour and minute come from and go to
// the section's HOU and MIN.
class CTimedScheduleDlg : public CDialog {
protected:
    CTimedScheduleDlg(UINT templateId, const char* section, CWnd* parent);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Stores the picked time; the text begins with it.
    std::string StoreTime();
    const char* const section_;

private:
    CDateTimeCtrl time_;
};

class CHourlyScheduleDlg : public CDialog {
public:
    explicit CHourlyScheduleDlg(CWnd* parent);
    std::string MinuteText;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    CSpinButtonCtrl spin_;
};

class CDailyScheduleDlg : public CTimedScheduleDlg {
public:
    explicit CDailyScheduleDlg(CWnd* parent);

protected:
    void OnOK() override;
};

class CWeeklyScheduleDlg : public CTimedScheduleDlg {
public:
    explicit CWeeklyScheduleDlg(CWnd* parent);
    std::string WeekdayText;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    CComboBox weekday_;
};

class CMonthlyScheduleDlg : public CTimedScheduleDlg {
public:
    explicit CMonthlyScheduleDlg(CWnd* parent);
    std::string DayText;
    int LastDay = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    CSpinButtonCtrl spin_;
};
