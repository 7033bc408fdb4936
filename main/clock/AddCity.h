// The location dialog: the user names a clock location and picks its standard
// time zone. The clock-setting dialog fills it, shows it modally ("New Clock"
// to add, "Edit Clock" to rename or move a location) and reads the name and the
// zone index afterwards.
#pragma once
#include <string>
#include <vector>

#include "framework/forms/StdCtrls.h"
#include "main/clock/core/ZoneOffsets.h"

namespace worldclock {

// The name text the clock-setting dialog offers before the user types one.
extern const char LocationPlaceholder[];  // "Please select a location."

class TAddCityForm : public TForm {
public:
    explicit TAddCityForm(TComponent* AOwner);
    ~TAddCityForm() override;

    TStaticLabel* CityLabel;
    TComboBox* CityName;
    TStaticLabel* Label1;
    TComboBox* ComboBoxZone;
    TButton* AddCityOk;
    TButton* AddCityCancel;

    // The entries of the clock-setting list, which a name may not repeat in
    // any letter case, and the position being edited (-1 for a new location).
    std::vector<std::string> ListedNames;
    int EditedPosition = -1;

    // Also called by the alarm dialogs on this dialog.
    std::string ZoneOffsetToText(int minutes) const { return worldclock::ZoneOffsetToText(minutes); }

    void FormShow(TObject* Sender);
    void CityNameChange(TObject* Sender);
    void CityNameClick(TObject* Sender);
    void AddCityOkClick(TObject* Sender);
    void AddCityCancelClick(TObject* Sender);

    // Selects the stored zone of `name` ([Zone] of "Zonef.ini", `def` when the
    // name is missing); a value that is no zone of the list selects nothing.
    void LookUpZone(const std::string& name, const std::string& def);

protected:
    void CreateParams(TCreateParams& Params) override;
};

extern TAddCityForm* AddCityForm;

}  // namespace worldclock
