// The control wrappers and their data exchange, on a dialog of every kind
// the backup and archive dialogs use.
#include <gtest/gtest.h>

#include <windows.h>

#include <tuple>

#include "framework/dialogs/Controls.h"
#include "framework/dialogs/DataExchange.h"
#include "tests/win/dialogs/DialogsTestIds.h"

namespace {

struct Values {
    int listIndex;
    std::string listText;
    int tab;
    SYSTEMTIME when;
    int count, done, level;
};

auto Fields(const Values& v) {
    const SYSTEMTIME& t = v.when;
    return std::make_tuple(v.listIndex, v.listText, v.tab, v.count, v.done, v.level, t.wYear, t.wMonth, t.wDay,
                           t.wHour, t.wMinute, t.wSecond);
}

class CControlsDlg : public CDialog {
public:
    CControlsDlg() : CDialog(IDD_CONTROLS) {}
    Values values{};
    CComboBox list, text;
    CTabCtrl tabs;
    CSpinButtonCtrl spin;
    CProgressCtrl progress;
    CSliderCtrl slider;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_LIST_INDEX, list);
        DDX_Control(pDX, IDC_LIST_TEXT, text);
        DDX_Control(pDX, IDC_TABS, tabs);
        DDX_Control(pDX, IDC_COUNT_SPIN, spin);
        DDX_Control(pDX, IDC_DONE, progress);
        DDX_Control(pDX, IDC_LEVEL, slider);
        DDX_CBIndex(pDX, IDC_LIST_INDEX, values.listIndex);
        DDX_CBString(pDX, IDC_LIST_TEXT, values.listText);
        DDX_TabIndex(pDX, IDC_TABS, values.tab);
        DDX_DateTimeCtrl(pDX, IDC_WHEN, values.when);
        DDX_UpDown(pDX, IDC_COUNT_SPIN, values.count);
        DDX_Progress(pDX, IDC_DONE, values.done);
        DDX_Slider(pDX, IDC_LEVEL, values.level);
    }
};

TEST(DataExchange, TheNewControlsGiveBackWhatTheyWereGivenWithinTheirRanges) {
    CControlsDlg dialog;
    ASSERT_TRUE(dialog.Create());
    for (CComboBox* box : {&dialog.list, &dialog.text})
        for (const char* item : {"Alpha", "Beta", "Gamma"}) box->AddString(item);
    dialog.tabs.InsertItem(0, "One");
    dialog.tabs.InsertItem(1, "Two");
    dialog.spin.SetRange(-10, 100);
    dialog.progress.SetRange(0, 100000);
    dialog.slider.SetRange(1, 9);
    const SYSTEMTIME leapDay{2024, 2, 4, 29, 23, 59, 58, 0}, newYear{2000, 1, 6, 1, 12, 30, 0, 0};
    const std::pair<Values, Values> cases[] = {  // given, given back
        {{2, "Gamma", 1, leapDay, -5, 70000, 9}, {2, "Gamma", 1, leapDay, -5, 70000, 9}},
        // Nothing selected, a text that is no item; positions past the ends.
        {{-1, "Delta", 0, newYear, 120, 100001, 0}, {-1, "", 0, newYear, 100, 100000, 1}},
    };
    for (const auto& [given, back] : cases) {
        dialog.values = given;
        ASSERT_TRUE(dialog.UpdateData(false));
        dialog.values = Values{};
        ASSERT_TRUE(dialog.UpdateData(true));
        EXPECT_EQ(Fields(dialog.values), Fields(back));
    }
}

}  // namespace
