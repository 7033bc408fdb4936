#include "main/clock/AddCity.h"

#include <climits>

#include "main/clock/ClockIni.h"
#include "framework/win32/LeadByte.h"
#include "framework/forms/MessageDlg.h"
#include "framework/forms/SysUtils.h"
#include "main/clock/core/ZoneIni.h"

namespace worldclock {

const char LocationPlaceholder[] = "Please select a location.";

TAddCityForm* AddCityForm = nullptr;

namespace {
const char kEditCaption[] = "Edit Clock";
}  // namespace

TAddCityForm::TAddCityForm(TComponent* AOwner) : TForm(AOwner) {
    // Centred the first time; afterwards where the user or the caller put it.
    SetUp({"AddCityForm", "New Clock", 296, 104, TBorderStyle::bsToolWindow, TFormCentre::AtOnce});

    // Each label comes right before its box, so its Alt key reaches the box.
    CityLabel = Make<TStaticLabel>(this, this, "CityLabel", {8, 8, 180, 14});
    CityLabel->SetCaption("&Location Name:");
    CityName = Make<TComboBox>(this, this, "CityName", {8, 24, 192, 21}, [](TComboBox& box) {
        box.Style = TComboBoxStyle::csDropDown;
        box.Sorted = true;
    });
    CityName->OnChange = Bind(this, &TAddCityForm::CityNameChange);
    CityName->OnClick = Bind(this, &TAddCityForm::CityNameClick);
    Label1 = Make<TStaticLabel>(this, this, "Label1", {8, 54, 180, 14});
    Label1->SetCaption("Stand Time &Zone:");
    ComboBoxZone = Make<TComboBox>(this, this, "ComboBoxZone", {8, 70, 192, 21}, [](TComboBox& box) {
        box.Style = TComboBoxStyle::csDropDownList;
        box.DropDownCount = 12;
    });
    std::vector<std::string> captions;
    for (int minutes : ZoneOffsets) captions.push_back(worldclock::ZoneOffsetToText(minutes));
    ComboBoxZone->SetItems(captions);
    AddCityOk = Make<TButton>(this, this, "AddCityOk", {212, 24, 75, 23}, [](TButton& b) { b.Default = true; });
    AddCityOk->SetCaption("&OK");
    AddCityOk->OnClick = Bind(this, &TAddCityForm::AddCityOkClick);
    AddCityCancel = Make<TButton>(this, this, "AddCityCancel", {212, 56, 75, 23});
    AddCityCancel->SetCaption("Cancel");
    AddCityCancel->Cancel = true;
    AddCityCancel->OnClick = Bind(this, &TAddCityForm::AddCityCancelClick);

    OnShow = Bind(this, &TAddCityForm::FormShow);
}

TAddCityForm::~TAddCityForm() {
    DestroyWindowHandle();
    if (AddCityForm == this) AddCityForm = nullptr;
}

void TAddCityForm::CreateParams(TCreateParams& Params) {
    TForm::CreateParams(Params);
    Params.ExStyle |= WS_EX_CONTEXTHELP;
}

void TAddCityForm::LookUpZone(const std::string& name, const std::string& def) {
    const std::string value = ZoneIni().ReadString("Zone", name, def);
    if (value.empty()) return;
    // A value that is no number at all selects nothing, like one outside the list.
    const int minutes = ParseIniInt(value, MinZoneOffset, MaxZoneOffset, INT_MIN);
    ComboBoxZone->SetItemIndex(minutes == INT_MIN ? -1 : ComboBoxZone->IndexOf(worldclock::ZoneOffsetToText(minutes)));
}

void TAddCityForm::FormShow(TObject*) {
    CityName->SetItems(ZoneIni().ReadKeys("Zone"));
    if (Caption() == kEditCaption) LookUpZone(CityName->Text(), "480");
    AddCityOk->SetEnabled(true);
    CityName->SetFocus();
    CityName->SelectAll();
}

void TAddCityForm::CityNameChange(TObject*) {
    const std::string text = CityName->Text();
    AddCityOk->SetEnabled(!text.empty());
    // A name [Zone] does not know starts at five hours west of UTC.
    LookUpZone(text, "-300");
}

void TAddCityForm::CityNameClick(TObject*) { LookUpZone(CityName->Text(), "480"); }

void TAddCityForm::AddCityOkClick(TObject*) {
    const std::string name = CityName->Text();
    if (name == LocationPlaceholder) {
        MessageDlg("Please select a location!", TMsgDlgType::mtError, mbOK);
        return;
    }
    if (ComboBoxZone->ItemIndex() < 0) {
        MessageDlg("The Time Zone box can not be blank ", TMsgDlgType::mtConfirmation, mbOK);
        return;
    }
    // The name becomes a key of the settings files and a menu caption: refuse
    // what they cannot hold, and a name another entry has in any letter case
    // (also when renaming, or the files would hold fewer names than the list).
    // Letter case is the system's, as the profile functions compare keys.
    const int except = Caption() == kEditCaption ? EditedPosition : -1;
    const LocationNameFault fault = ValidateLocationName(name, ListedNames, except, SystemLeadByte, AnsiSameText);
    if (fault != LocationNameFault::None) {
        MessageDlg(LocationNameFaultText(fault), TMsgDlgType::mtError, mbOK);
        return;
    }
    ModalResult = mrOk;
}

void TAddCityForm::AddCityCancelClick(TObject*) { ModalResult = mrCancel; }

}  // namespace worldclock
