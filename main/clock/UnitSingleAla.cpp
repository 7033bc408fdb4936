#include "main/clock/UnitSingleAla.h"

#include "main/clock/core/AlarmRules.h"
#include "main/clock/ClockIni.h"
#include "main/clock/core/ClockRules.h"
#include "main/clock/ClockSource.h"
#include "framework/win32/LeadByte.h"
#include "framework/forms/MessageDlg.h"
#include "framework/core/StrUtils.h"
#include "main/clock/core/ZoneIni.h"
#include "main/clock/core/ZoneOffsets.h"

namespace worldclock {

TSingleAlarm* SingleAlarm = nullptr;

namespace {
SYSTEMTIME Day(int year, int month, int day) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    return st;
}
}  // namespace

TSingleAlarm::TSingleAlarm(TComponent* AOwner) : TForm(AOwner) {
    SetUp({"SingleAlarm", "Single Alarm Setting", 445, 345});

    DaySetting = Make<TRadioGroup>(this, this, "DaySetting", {16, 6, 413, 42}, [](TRadioGroup& g) { g.Columns = 2; });
    DaySetting->SetCaption("Frequency:");
    DaySetting->SetItems({"One time only", "Every day"});
    DaySetting->SetItemIndex(1);
    DaySetting->OnClick = Bind(this, &TSingleAlarm::DaySettingClick);

    labDate = Make<TStaticLabel>(this, this, "labDate", {16, 56, 120, 14});
    labDate->SetCaption("Date:");
    // The store keeps two digits of the year.
    MyDate = Make<TDateTimePicker>(this, this, "MyDate", {16, 73, 210, 22}, [](TDateTimePicker& p) {
        p.SetRange(Day(FirstAlarmYear, 1, 1), Day(LastAlarmYear, 12, 31));
    });
    labTime = Make<TStaticLabel>(this, this, "labTime", {232, 56, 120, 14});
    labTime->SetCaption("Time:");
    MyTime = Make<TDateTimePicker>(this, this, "MyTime", {232, 73, 120, 22},
                                   [](TDateTimePicker& p) { p.Kind = TDateTimeKind::dtkTime; });

    labCity = Make<TStaticLabel>(this, this, "labCity", {16, 106, 180, 14});
    labCity->SetCaption("Location:");
    ComboBoxCityName = Make<TComboBox>(this, this, "ComboBoxCityName", {16, 122, 200, 21}, [](TComboBox& box) {
        box.Sorted = true;
        box.DropDownCount = 12;
    });
    ComboBoxCityName->OnClick = Bind(this, &TSingleAlarm::ComboBoxCityNameClick);
    labZone = Make<TStaticLabel>(this, this, "labZone", {232, 106, 180, 14});
    labZone->SetCaption("Stand zone:");
    ComboBoxZone = Make<TComboBox>(this, this, "ComboBoxZone", {232, 122, 197, 21}, [](TComboBox& box) {
        box.Style = TComboBoxStyle::csDropDownList;
        box.DropDownCount = 12;
    });
    std::vector<std::string> captions;
    for (int minutes : ZoneOffsets) captions.push_back(ZoneOffsetToText(minutes));
    ComboBoxZone->SetItems(captions);

    CheckBox1 = Make<TCheckBox>(this, this, "CheckBox1", {16, 156, 120, 17});
    CheckBox1->SetCaption("Text");
    CheckBox1->SetChecked(true);
    Memo1 = Make<TMemo>(this, this, "Memo1", {16, 176, 200, 124});
    Memo1->SetMaxLength(MaxMemoLength);

    CheckBox2 = Make<TCheckBox>(this, this, "CheckBox2", {232, 156, 120, 17});
    CheckBox2->SetCaption("Sound");
    CheckBox2->SetChecked(true);
    TRadioButton** choices[SoundChoiceCount] = {&RaB1, &RaB2, &RaB3, &RaB4};
    const char* names[SoundChoiceCount] = {"RaB1", "RaB2", "RaB3", "RaB4"};
    for (int i = 0; i < SoundChoiceCount; ++i) {
        *choices[i] = Make<TRadioButton>(this, this, names[i], {248, 176 + 20 * i, 120, 17});
        (*choices[i])->SetCaption(SoundChoiceCaptions[i]);
    }
    RaB1->SetChecked(true);
    Edit1 = Make<TEdit>(this, this, "Edit1", {248, 256, 181, 21}, [](TEdit& e) { e.SetEnabled(false); });
    Button3 = Make<TButton>(this, this, "Button3", {354, 281, 75, 23}, [](TButton& b) { b.SetEnabled(false); });
    Button3->SetCaption("Borwse...");
    BroBu = Make<TButton>(this, this, "BroBu", {326, 281, 23, 23}, [](TButton& b) { b.SetVisible(false); });
    BroBu->SetCaption("...");

    Button1 = Make<TButton>(this, this, "Button1", {270, 312, 75, 25}, [](TButton& b) { b.Default = true; });
    Button1->SetCaption("Ok");
    Button2 = Make<TButton>(this, this, "Button2", {354, 312, 75, 25}, [](TButton& b) {
        b.Cancel = true;
        b.ModalResult = mrCancel;
    });
    Button2->SetCaption("Cancel");

    OpenDialog = Make<TOpenDialog>(this, "OpenDialog");
    OpenDialog->Filter = "Wave files *.wav|*.wav";
    OpenDialog->DefaultExt = "wav";
    OpenDialog->Options = ofHideReadOnly | ofFileMustExist | ofNoNetworkButton;

    // The handlers reach every control: connected once all exist.
    CheckBox1->OnClick = Bind(this, &TSingleAlarm::CheckBox1Click);
    CheckBox2->OnClick = Bind(this, &TSingleAlarm::CheckBox2Click);
    for (TRadioButton* b : {RaB1, RaB2, RaB3, RaB4}) b->OnClick = Bind(this, &TSingleAlarm::RaBClick);
    Button3->OnClick = Bind(this, &TSingleAlarm::Button3Click);
    BroBu->OnClick = Bind(this, &TSingleAlarm::Button3Click);
    Button1->OnClick = Bind(this, &TSingleAlarm::Button1Click);

    OnShow = Bind(this, &TSingleAlarm::FormShow);
}

TSingleAlarm::~TSingleAlarm() {
    DestroyWindowHandle();
    if (SingleAlarm == this) SingleAlarm = nullptr;
}

int TSingleAlarm::SoundChoice() const {
    const TRadioButton* choices[SoundChoiceCount] = {RaB1, RaB2, RaB3, RaB4};
    for (int i = 0; i < SoundChoiceCount; ++i)
        if (choices[i]->Checked()) return i;
    return 0;
}

void TSingleAlarm::SetSoundChoice(int choice) {
    TRadioButton* choices[SoundChoiceCount] = {RaB1, RaB2, RaB3, RaB4};
    if (choice >= 0 && choice < SoundChoiceCount) choices[choice]->SetChecked(true);
    ArrangeSound();
}

void TSingleAlarm::SelectZone(int minutes) { ComboBoxZone->SetItemIndex(ZoneIndexOfMinutes(minutes)); }

std::string TSingleAlarm::GmtOffsetText() const { return ZoneOffsetToText(GetLocalZoneMinutes()); }

void TSingleAlarm::ArrangeSound() {
    const TSoundControls c = SoundControls(CheckBox2->Checked(), SoundChoice());
    for (TRadioButton* b : {RaB1, RaB2, RaB3, RaB4}) b->SetEnabled(c.Choices);
    Edit1->SetEnabled(c.FileBox);
    Button3->SetEnabled(c.FileBox);
    BroBu->SetEnabled(c.FileBox);
}

void TSingleAlarm::FormShow(TObject*) {
    DaySettingClick(DaySetting);
    CheckBox1Click(CheckBox1);
    ArrangeSound();
    ComboBoxCityName->SetFocus();
}

void TSingleAlarm::DaySettingClick(TObject*) {
    const TFrequencyLayout layout = FrequencyLayout(DaySetting->ItemIndex() == 1);
    MyTime->SetBounds(layout.TimePicker.Left, layout.TimePicker.Top, MyTime->Width(), MyTime->Height());
    labTime->SetBounds(layout.TimeLabel.Left, layout.TimeLabel.Top, labTime->Width(), labTime->Height());
    MyDate->SetVisible(layout.DateShown);
    MyDate->SetEnabled(layout.DateShown);
    labDate->SetVisible(layout.DateShown);
}

void TSingleAlarm::CheckBox1Click(TObject*) { Memo1->SetEnabled(CheckBox1->Checked()); }

void TSingleAlarm::CheckBox2Click(TObject*) {
    if (!CheckBox2->Checked()) Edit1->SetText("");
    ArrangeSound();
}

void TSingleAlarm::RaBClick(TObject*) { ArrangeSound(); }

void TSingleAlarm::Button3Click(TObject*) {
    OpenDialog->FileName = Edit1->Text();
    if (OpenDialog->Execute()) Edit1->SetText(OpenDialog->FileName);
}

void TSingleAlarm::ComboBoxCityNameClick(TObject*) {
    const std::string name = ComboBoxCityName->Text();
    if (SameTextAscii(name, LocalTimeName)) {
        ComboBoxZone->SetItemIndex(ComboBoxZone->IndexOf(GmtOffsetText()));
        return;
    }
    SelectZone(ZoneIni().ReadOffset("Zone", name, 480));
}

void TSingleAlarm::Button1Click(TObject*) {
    const std::string name = ComboBoxCityName->Text();
    const int zone = ComboBoxZone->ItemIndex();
    switch (CheckEditor(Edit1->Enabled(), Edit1->Text(), zone, name, SystemLeadByte)) {
        case EditorFault::NoWaveFile: MessageDlg("Please select a wave file.", TMsgDlgType::mtWarning, mbOK); return;
        case EditorFault::NoZone:
            MessageDlg("The Time Zone box can not be blank ", TMsgDlgType::mtConfirmation, mbOK);
            return;
        case EditorFault::BadName:
            MessageDlg(LocationNameFaultText(CheckLocationName(name, SystemLeadByte)), TMsgDlgType::mtError, mbOK);
            return;
        case EditorFault::None: break;
    }
    // Also "Local Time" and a name typed in become locations of the store.
    if (!name.empty()) ZoneIni().WriteInteger("Zone", name, ZoneOffsets[zone]);
    const std::string memo = Memo1->Text();
    const std::string line = OneLineMemo(memo, SystemLeadByte);
    if (line != memo) Memo1->SetText(line);
    ModalResult = mrOk;
}

}  // namespace worldclock
