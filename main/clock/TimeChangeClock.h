// The clock-setting dialog: the clock's list of places, "Local Time" and up to
// 23 named locations, each with a standard zone and a daylight flag. It edits
// a working copy in "Zonefset.ini" ([ZoneMenuTemp], [ZoneMenuTempDaylight])
// and commits it, rebuilding the clock menu, when it is closed with Close.
// Closing it by its title bar cancels: the committed list and the clock come
// back as they were when it opened.
#pragma once
#include <string>

#include "framework/forms/StdCtrls.h"
#include "framework/forms/Timer.h"

namespace worldclock {

class TSetTimerForm : public TForm {
public:
    explicit TSetTimerForm(TComponent* AOwner);
    ~TSetTimerForm() override;

    TStaticLabel* Label1;
    TListBox* ListBoxCity;
    TStaticLabel* Label2;
    TEdit* TimeZoneEdit;
    TStaticLabel* Label3;
    TEdit* Edit1;
    TCheckBox* Daylight;
    TButton* AddButton;
    TButton* EditButton;
    TButton* MoveButton;
    TButton* adjust;
    TButton* Button1;
    TTimer* Timer1;

    // The entry last read from the list, and the offset shown for it
    // (daylight hour included).
    std::string SelectedName;
    int SelectedOffset = 0;
    // While set, a change of the Daylight box only refreshes the display.
    bool SkipDaylightStore = false;

    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void ListBoxCityClick(TObject* Sender);
    void DaylightClick(TObject* Sender);
    void AddButtonClick(TObject* Sender);
    void EditButtonClick(TObject* Sender);
    void MoveButtonClick(TObject* Sender);
    void Button1Click(TObject* Sender);
    void adjustClick(TObject* Sender);
    void Timer1Timer(TObject* Sender);

    // The date and time now at `minutes` east of UTC, into Edit1.
    void ShowLocationTime(int minutes);
    // The offset's text, into TimeZoneEdit.
    void ShowZoneOffset(int minutes);
    // The position of the list the handlers work on.
    int CurrentPosition() const;

private:
    // Enables Add, Edit and Remove for the list's size and current entry.
    void UpdateButtons();
    // The place the clock showed when the dialog opened, shown again on a cancel.
    std::string shownAtOpen_;
};

extern TSetTimerForm* SetTimerForm;

}  // namespace worldclock
