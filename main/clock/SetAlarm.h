// The alarm list "Alarm Setting": every alarm of the store with its state,
// date, time, location and style. Add and Edit go through the single-alarm
// editor; Remove takes the selected alarm out; a click on a state picture
// switches an alarm off and on again; the check box marks the location as
// keeping daylight-saving time. The list is written to the store when the
// dialog is closed with Close; its title bar's close button keeps nothing.
#pragma once
#include <string>
#include <vector>

#include "main/clock/core/AlarmStore.h"
#include "framework/forms/ComCtrls.h"
#include "framework/forms/ImageList.h"
#include "framework/forms/StdCtrls.h"

namespace worldclock {

class TAlarm : public TForm {
public:
    explicit TAlarm(TComponent* AOwner);
    ~TAlarm() override;

    TStaticLabel* Label1;
    TStringGrid* StringGrid1;
    TButton* AddBu;
    TButton* Apply;
    TButton* RemoveBu;
    TButton* Button2;
    TCheckBox* daylight;
    TImageList* StateImages;

    // The alarms as the dialog shows them, row 1 first, with their daylight
    // flags: the store changes only at Close.
    std::vector<TStoredAlarm> Alarms;
    // The built-in sounds lie here: the program's folder.
    std::string SoundDir;
    // The daylight flag of the selected alarm.
    bool AlarmDaylight = false;

    void FormShow(TObject* Sender);
    void AddBuClick(TObject* Sender);
    void ApplyClick(TObject* Sender);
    void RemoveBuClick(TObject* Sender);
    void Button2Click(TObject* Sender);
    void daylightClick(TObject* Sender);
    void StringGrid1Select(TObject* Sender);
    void StringGrid1CellClick(int col, int row);
    void StringGrid1KeyDown(WORD key);

    // The row the buttons work on, and whether it holds an alarm.
    int CurrentRow() const;
    bool RowHoldsAlarm(int row) const;
    // The location text of `name` with its zone, the daylight hour added when asked.
    std::string LocationText(const std::string& name, bool withDaylight) const;

private:
    // Shows the alarms in the grid, one empty row below them, and selects `row`.
    void ShowAlarms(int row);
    // The buttons and the check box for the current row.
    void UpdateControls();
    // Fills the editor for a new alarm (null) or for `alarm`, shows it, and
    // builds the alarm from it; false when it was cancelled or refused.
    bool RunEditor(const TStoredAlarm* alarm, bool withDaylight, TStoredAlarm& result);
    bool updating_ = false;
    // What the store holds beside the listed alarms, written back at Close.
    TSpareRows spare_;
};

extern TAlarm* Alarm;

}  // namespace worldclock
