// The single-alarm editor "Single Alarm Setting": one alarm's frequency, date
// and time, location and zone, memo and sound. The alarm list fills it, shows
// it for Add and Edit and reads it back after Ok. Ok itself stores only the
// location's zone, into [Zone] of "Zonef.ini".
#pragma once
#include <string>

#include "framework/forms/ComCtrls.h"
#include "framework/forms/Dialogs.h"
#include "framework/forms/StdCtrls.h"

namespace worldclock {

class TSingleAlarm : public TForm {
public:
    explicit TSingleAlarm(TComponent* AOwner);
    ~TSingleAlarm() override;

    TRadioGroup* DaySetting;
    TStaticLabel* labDate;
    TDateTimePicker* MyDate;
    TStaticLabel* labTime;
    TDateTimePicker* MyTime;
    TStaticLabel* labCity;
    TComboBox* ComboBoxCityName;
    TStaticLabel* labZone;
    TComboBox* ComboBoxZone;
    TCheckBox* CheckBox1;
    TMemo* Memo1;
    TCheckBox* CheckBox2;
    TRadioButton* RaB1;
    TRadioButton* RaB2;
    TRadioButton* RaB3;
    TRadioButton* RaB4;
    TEdit* Edit1;
    TButton* Button3;
    TButton* BroBu;
    TButton* Button1;
    TButton* Button2;
    TOpenDialog* OpenDialog;

    void FormShow(TObject* Sender);
    void DaySettingClick(TObject* Sender);
    void Button1Click(TObject* Sender);
    void CheckBox1Click(TObject* Sender);
    void CheckBox2Click(TObject* Sender);
    void ComboBoxCityNameClick(TObject* Sender);
    void Button3Click(TObject* Sender);
    void RaBClick(TObject* Sender);

    // The sound choice: 0 "Alarm" .. 3 "Others".
    int SoundChoice() const;
    void SetSoundChoice(int choice);
    // The zone list's entry for `minutes`, none when the list has no such zone.
    void SelectZone(int minutes);
    // The machine's own zone in the zone list's form.
    std::string GmtOffsetText() const;

private:
    // The controls that follow the ticks and the sound choice.
    void ArrangeSound();
};

extern TSingleAlarm* SingleAlarm;

}  // namespace worldclock
