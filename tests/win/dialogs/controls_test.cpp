// The control wrappers and their data exchange, on a dialog of every kind
// the backup and archive dialogs use.
#include <gtest/gtest.h>

#include <windows.h>

#include <tuple>

#include "Controls.h"
#include "DataExchange.h"
#include "DialogsTestIds.h"

namespace {

struct Values {
    int listIndex = 0;
    std::string listText;
    int tab = 0;
    SYSTEMTIME when{};
    int count = 0;
    int done = 0;
    int level = 0;
};

auto Fields(const Values& v) {
    const SYSTEMTIME& t = v.when;
    return std::make_tuple(v.listIndex, v.listText, v.tab, v.count, v.done, v.level, t.wYear, t.wMonth, t.wDay,
                           t.wHour, t.wMinute, t.wSecond);
}

class CControlsDlg : public CDialog {
public:
    CControlsDlg() : CDialog(IDD_CONTROLS) {}
    Values values;
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

TEST(DataExchange, TheNewControlsKeepWhatTheyAreGiven) {
    CControlsDlg dialog;
    ASSERT_TRUE(dialog.Create());
    for (CComboBox* box : {&dialog.list, &dialog.text})
        for (const char* item : {"Alpha", "Beta", "Gamma"}) box->AddString(item);
    dialog.tabs.InsertItem(0, "One");
    dialog.tabs.InsertItem(1, "Two");
    dialog.spin.SetRange(-10, 100);
    dialog.progress.SetRange(0, 100000);
    dialog.slider.SetRange(1, 9);
    // Each forwarder packs its arguments as the control reads them back.
    EXPECT_EQ(std::make_tuple(dialog.spin.GetRangeLower(), dialog.spin.GetRangeUpper(), dialog.spin.GetBuddy()),
              std::make_tuple(short{-10}, short{100}, dialog.GetDlgItem(IDC_COUNT)));
    EXPECT_EQ(std::make_tuple(dialog.progress.GetRangeLower(), dialog.progress.GetRangeUpper()),
              std::make_tuple(0, 100000));
    EXPECT_EQ(std::make_tuple(dialog.slider.GetRangeMin(), dialog.slider.GetRangeMax()), std::make_tuple(1, 9));
    EXPECT_EQ(std::make_tuple(dialog.list.GetCount(), dialog.tabs.GetItemCount()), std::make_tuple(3, 2));

    struct Case {
        Values in;
        std::string textBack;  // what the drop-down list holds after `in.listText`
    };
    const Case cases[] = {
        // A progress past 16 bits, the track bar at its top.
        {{2, "Gamma", 1, {2024, 2, 4, 29, 23, 59, 58, 0}, 42, 70000, 9}, "Gamma"},
        // A negative up-down position, the lowest of the others.
        {{0, "Alpha", 0, {1999, 12, 5, 31, 0, 0, 0, 0}, -5, 0, 1}, "Alpha"},
        // Nothing selected; a text that is no item selects none.
        {{-1, "Delta", 1, {2000, 1, 6, 1, 12, 30, 0, 0}, 100, 100000, 5}, ""},
    };
    for (const Case& c : cases) {
        dialog.values = c.in;
        ASSERT_TRUE(dialog.UpdateData(false));
        dialog.values = Values{};
        ASSERT_TRUE(dialog.UpdateData(true));
        Values expected = c.in;
        expected.listText = c.textBack;
        EXPECT_EQ(Fields(dialog.values), Fields(expected)) << c.in.listText;
    }
    dialog.DestroyWindow();
}

}  // namespace
