#include "main/clock/TimeChangeClock.h"

#include "main/clock/AddCity.h"
#include "main/clock/ClockIni.h"
#include "main/clock/ClockPanel.h"
#include "main/clock/core/ClockRules.h"
#include "main/clock/ClockSource.h"
#include "framework/forms/MessageDlg.h"
#include "framework/core/StrUtils.h"
#include "main/clock/core/ZoneOffsets.h"

namespace worldclock {

TSetTimerForm* SetTimerForm = nullptr;

namespace {
const char kWorkSection[] = "ZoneMenuTemp";
const char kWorkDaylight[] = "ZoneMenuTempDaylight";
const char kSetSection[] = "ZoneMenu";
const char kSetDaylight[] = "ZoneMenuDaylight";

std::string Key(int position) { return IntToStr(position); }

TAddCityForm* LocationDialog() {
    if (!AddCityForm) AddCityForm = TForm::Create<TAddCityForm>(Application);
    return AddCityForm;
}
}  // namespace

TSetTimerForm::TSetTimerForm(TComponent* AOwner) : TForm(AOwner) {
    SetUp({"SetTimerForm", "Clock Setting ", 392, 236});

    Label1 = Make<TStaticLabel>(this, this, "Label1", {8, 8, 180, 14});
    Label1->SetCaption("Location(s):");
    ListBoxCity = Make<TListBox>(this, this, "ListBoxCity", {8, 24, 184, 164});
    ListBoxCity->OnClick = Bind(this, &TSetTimerForm::ListBoxCityClick);
    ListBoxCity->OnDblClick = Bind(this, &TSetTimerForm::EditButtonClick);
    Label2 = Make<TStaticLabel>(this, this, "Label2", {204, 8, 180, 14});
    Label2->SetCaption("Time Zone:");
    const auto readOnly = [](TEdit& edit) { edit.SetReadOnly(true); };
    TimeZoneEdit = Make<TEdit>(this, this, "TimeZoneEdit", {204, 24, 180, 21}, readOnly);
    Label3 = Make<TStaticLabel>(this, this, "Label3", {204, 56, 180, 14});
    Label3->SetCaption("Currect Time:");
    Edit1 = Make<TEdit>(this, this, "Edit1", {204, 72, 180, 21}, readOnly);
    Daylight = Make<TCheckBox>(this, this, "Daylight", {204, 104, 180, 17});
    Daylight->SetCaption("Daylight Savings Time");
    Daylight->OnClick = Bind(this, &TSetTimerForm::DaylightClick);

    struct ButtonLayout {
        TButton** button;
        const char* name;
        const char* caption;
        TBounds bounds;
        void (TSetTimerForm::*click)(TObject*);
    };
    const ButtonLayout buttons[] = {
        {&adjust, "adjust", "Adjust...", {204, 132, 75, 23}, &TSetTimerForm::adjustClick},
        {&AddButton, "AddButton", "&Add...", {8, 200, 75, 25}, &TSetTimerForm::AddButtonClick},
        {&EditButton, "EditButton", "&Edit...", {88, 200, 75, 25}, &TSetTimerForm::EditButtonClick},
        {&MoveButton, "MoveButton", "&Remove", {168, 200, 75, 25}, &TSetTimerForm::MoveButtonClick},
        {&Button1, "Button1", "Close", {309, 200, 75, 25}, &TSetTimerForm::Button1Click},
    };
    for (const ButtonLayout& layout : buttons) {
        *layout.button = Make<TButton>(this, this, layout.name, layout.bounds);
        (*layout.button)->SetCaption(layout.caption);
        (*layout.button)->OnClick = Bind(this, layout.click);
    }

    Timer1 = Make<TTimer>(this, "Timer1");
    Timer1->SetInterval(1000);
    Timer1->OnTimer = Bind(this, &TSetTimerForm::Timer1Timer);

    OnShow = Bind(this, &TSetTimerForm::FormShow);
    OnClose = Bind(this, &TSetTimerForm::FormClose);
}

TSetTimerForm::~TSetTimerForm() {
    DestroyWindowHandle();
    if (SetTimerForm == this) SetTimerForm = nullptr;
}

int TSetTimerForm::CurrentPosition() const {
    int position = ListBoxCity->ItemIndex();
    if (position < 0) position = ListBoxCity->CaretIndex();
    return position < 0 ? 0 : position;
}

void TSetTimerForm::UpdateButtons() {
    const int count = ListBoxCity->Count();
    AddButton->SetEnabled(count < MaxClockEntries);
    const bool location = CurrentPosition() > 0 && count > 1;
    EditButton->SetEnabled(location);
    MoveButton->SetEnabled(location);
}

void TSetTimerForm::ShowZoneOffset(int minutes) { TimeZoneEdit->SetText(ZoneOffsetEditText(minutes)); }

void TSetTimerForm::ShowLocationTime(int minutes) {
    const CivilTime z = ZoneTimeFromUtc(ReadClock().Utc, minutes);
    const SYSTEMTIME st = SystemTimeOf(z);
    std::string time;
    const int size = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, nullptr, 0);
    if (size > 0) {
        time.assign(static_cast<size_t>(size), '\0');
        const int got = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, &time[0], size);
        time.resize(got > 0 ? static_cast<size_t>(got - 1) : 0);
    }
    Edit1->SetText(LocationTimeText(z.Year, z.Month, z.Day, time));
}

void TSetTimerForm::FormShow(TObject*) {
    shownAtOpen_ = ClockLocation;
    TClockIni set = ZoneSetIni();
    const std::vector<std::string> names = set.ReadKeys(kSetSection);
    // The working copy starts as the committed one, so nothing a cancelled
    // visit left there reaches the next Close. A file that can't be written
    // is reported once, and the dialog still shows the committed list.
    CallGuarded([&] {
        for (const std::string& name : names)
            set.WriteInteger(kWorkSection, name, set.ReadOffset(kSetSection, name, 480));
        for (int i = 0; i <= static_cast<int>(names.size()); ++i)
            set.WriteFlag(kWorkDaylight, Key(i), set.ReadFlag(kSetDaylight, Key(i), false));
    });

    std::vector<std::string> entries{LocalTimeName};
    entries.insert(entries.end(), names.begin(), names.end());
    ListBoxCity->SetItems(entries);
    Daylight->SetChecked(set.ReadFlag(kSetDaylight, "0", false));
    AddButton->SetEnabled(ListBoxCity->Count() < MaxClockEntries);
    EditButton->SetEnabled(false);
    MoveButton->SetEnabled(false);
    Button1->SetFocus();
    // "Local Time" starts selected, its zone and time shown.
    ListBoxCity->SetFocus();
    ListBoxCity->SetItemIndex(0);
    ListBoxCityClick(ListBoxCity);
}

void TSetTimerForm::FormClose(TObject*, TCloseAction&) {
    if (ModalResult == mrOk) return;
    // Remove and Edit change the clock and its menu at once; a cancel takes
    // both back to the committed list.
    if (ClockPanel) ClockPanel->RestoreCommitted(shownAtOpen_);
}

void TSetTimerForm::ListBoxCityClick(TObject*) {
    const int position = CurrentPosition();
    SelectedName = ListBoxCity->Strings(position);
    UpdateButtons();
    const TClockIni set = ZoneSetIni();
    SelectedOffset = set.ReadOffset(kWorkSection, SelectedName, 480);
    const bool flag = set.ReadFlag(kWorkDaylight, Key(position), false);
    SkipDaylightStore = flag;
    Daylight->SetChecked(flag);
    SkipDaylightStore = false;
    SelectedOffset = WithDaylight(SelectedOffset, flag);
    if (position == 0) SelectedOffset = WithDaylight(GetLocalZoneMinutes(), Daylight->Checked());
    ShowZoneOffset(SelectedOffset);
    ShowLocationTime(SelectedOffset);
}

void TSetTimerForm::DaylightClick(TObject*) {
    const int position = CurrentPosition();
    const bool checked = Daylight->Checked();
    int m = SelectedOffset;
    if (!SkipDaylightStore) {
        SelectedName = ListBoxCity->Strings(position);
        TClockIni set = ZoneSetIni();
        m = set.ReadOffset(kWorkSection, SelectedName, 480);
        set.WriteFlag(kWorkDaylight, Key(position), checked);
        m = WithDaylight(m, checked);
        ShowZoneOffset(m);
        // The clock follows the entry it shows at once.
        if (SelectedName == ClockLocation) {
            if (position == 0) {
                LocalClockDaylight = checked;
                ClockOffset = WithDaylight(GetLocalZoneMinutes(), checked);
            } else {
                ClockOffset = m;
            }
        }
    }
    if (position == 0) m = WithDaylight(GetLocalZoneMinutes(), checked);
    ShowZoneOffset(m);
    ShowLocationTime(m);
    SelectedOffset = m;
    SkipDaylightStore = false;
}

void TSetTimerForm::AddButtonClick(TObject*) {
    if (ListBoxCity->Count() >= MaxClockEntries) return;
    TAddCityForm* dialog = LocationDialog();
    dialog->SetBounds(Left() - 40, Top(), dialog->Width(), dialog->Height());
    dialog->SetCaption("New Clock");
    dialog->CityName->SetItems(ZoneIni().ReadKeys("Zone"));
    dialog->CityName->SetText(LocationPlaceholder);
    dialog->CityName->SelectAll();
    dialog->ComboBoxZone->SetItemIndex(-1);
    dialog->ListedNames = ListBoxCity->Items();
    dialog->EditedPosition = -1;
    if (dialog->ShowModal() != mrOk) return;
    const std::string name = dialog->CityName->Text();
    const int zone = dialog->ComboBoxZone->ItemIndex();
    if (zone < 0 || zone >= ZoneOffsetCount) return;
    const int m = ZoneOffsets[zone];
    const int position = ListBoxCity->Add(name);
    ListBoxCity->SetItemIndex(position);
    TClockIni set = ZoneSetIni();
    set.WriteInteger(kWorkSection, name, m);
    ZoneIni().WriteInteger("Zone", name, m);
    UpdateButtons();
    // A new entry starts without the daylight hour, whatever a removed entry
    // left at its position.
    set.WriteFlag(kWorkDaylight, Key(position), false);
    Daylight->SetChecked(false);
    ShowZoneOffset(m);
    ShowLocationTime(m);
    SelectedOffset = m;
}

void TSetTimerForm::EditButtonClick(TObject*) {
    TAddCityForm* dialog = LocationDialog();
    dialog->SetCaption("Edit Clock");
    dialog->CityName->SetItems(ZoneIni().ReadKeys("Zone"));
    const int position = CurrentPosition();
    const std::string old = ListBoxCity->Strings(position);
    if (position == 0 || old == LocalTimeName) return;
    int known = -1;
    const std::vector<std::string> knownNames = dialog->CityName->Items();
    for (size_t i = 0; i < knownNames.size(); ++i)
        if (knownNames[i] == old) known = static_cast<int>(i);
    dialog->CityName->SetItemIndex(known);
    // A name [Zone] has lost (the file edited by hand) still stands in the box.
    if (known < 0) dialog->CityName->SetText(old);
    dialog->ListedNames = ListBoxCity->Items();
    dialog->EditedPosition = position;
    if (dialog->ShowModal() != mrOk) return;
    const std::string name = dialog->CityName->Text();
    const int zone = dialog->ComboBoxZone->ItemIndex();
    if (zone < 0 || zone >= ZoneOffsetCount) return;
    int m = ZoneOffsets[zone];
    ListBoxCity->SetString(position, name);
    ZoneSetIni().WriteInteger(kWorkSection, name, m);
    ZoneIni().WriteInteger("Zone", name, m);
    if (old == ClockLocation) {
        ClockOffset = WithDaylight(m, Daylight->Checked());
        ClockLocation = name;
        // Its item is found by name: after a Remove in this visit the menu
        // still holds the removed item, so ClockItemIndex (the index once
        // committed) may point at the item before it.
        if (ClockPanel)
            if (TMenuItem* item = ClockPanel->FindLocationItem(old)) item->Caption = name;
    }
    ListBoxCity->SetFocus();
    ListBoxCity->SetItemIndex(position);
    UpdateButtons();
    m = WithDaylight(m, Daylight->Checked());
    ShowZoneOffset(m);
    ShowLocationTime(m);
    SelectedOffset = m;
}

void TSetTimerForm::MoveButtonClick(TObject*) {
    const int position = CurrentPosition();
    const std::string name = ListBoxCity->Strings(position);
    if (position > 0 && MessageDlg(RemoveLocationQuestion(name), TMsgDlgType::mtConfirmation, mbYesNo) == mrYes) {
        const bool shown = name == ClockLocation;
        const int countBefore = ListBoxCity->Count();
        const ClockRemoval removal = RemoveClockEntry(position, countBefore, ClockItemIndex, shown);
        ClockItemIndex = removal.ClockItemIndex;
        ListBoxCity->Delete(position);
        ListBoxCity->SetItemIndex(removal.Current);
        // The working flags move up with the entries below the removed one.
        TClockIni set = ZoneSetIni();
        for (int k = position; k < countBefore - 1; ++k)
            set.WriteFlag(kWorkDaylight, Key(k), set.ReadFlag(kWorkDaylight, Key(k + 1), false));
        Daylight->SetChecked(set.ReadFlag(kWorkDaylight, Key(removal.Current), false));
        if (shown) {
            // The clock moves to the entry that takes the removed one's place,
            // with that entry's offset as the dialog shows it (it may not be
            // committed yet), and the removed item leaves the menu at once.
            if (ClockPanel) {
                TMenuItem* items = ClockPanel->MyPopupMenu->Items();
                if (TMenuItem* gone = ClockPanel->FindLocationItem(name)) items->Delete(items->IndexOf(gone));
            }
            ClockLocation = ListBoxCity->Strings(removal.Current);
            const bool flag = set.ReadFlag(kWorkDaylight, Key(removal.Current), false);
            if (removal.Current == 0) {
                LocalClockDaylight = flag;
                ClockOffset = WithDaylight(GetLocalZoneMinutes(), flag);
                ClockItemIndex = 0;
            } else {
                ClockOffset = WithDaylight(set.ReadOffset(kWorkSection, ClockLocation, 480), flag);
            }
            if (ClockPanel) {
                TMenuItem* now = removal.Current == 0 ? ClockPanel->Local : ClockPanel->FindLocationItem(ClockLocation);
                if (now) {
                    const int index = ClockItemIndex;
                    CheckClockMenuItem(now);
                    // The index is that of the list once committed, which the menu may not show yet.
                    ClockItemIndex = index;
                }
            }
        }
        AddButton->SetEnabled(ListBoxCity->Count() < MaxClockEntries);
        ListBoxCityClick(ListBoxCity);
    }
    UpdateButtons();
}

void TSetTimerForm::Button1Click(TObject*) {
    TClockIni set = ZoneSetIni();
    set.EraseSection(kSetSection);
    std::vector<std::string> committed;
    const int count = ListBoxCity->Count();
    for (int i = 0; i < count; ++i) {
        const std::string entry = ListBoxCity->Strings(i);
        if (i == 0 || entry == LocalTimeName) {
            set.WriteFlag(kSetDaylight, "0", set.ReadFlag(kWorkDaylight, "0", false));
            continue;
        }
        set.WriteInteger(kSetSection, entry, set.ReadOffset(kWorkSection, entry, 480));
        set.WriteFlag(kSetDaylight, Key(i), set.ReadFlag(kWorkDaylight, Key(i), false));
        committed.push_back(entry);
    }
    set.WriteInteger("ZoneMenuNU", "nu", static_cast<int>(committed.size()));
    if (ClockPanel) {
        ClockPanel->ReplaceLocationItems(committed);
        // The place shown keeps its check mark, so the panel's hint names it.
        TMenuItem* items = ClockPanel->MyPopupMenu->Items();
        if (ClockItemIndex >= 0 && ClockItemIndex < items->Count() &&
            items->Items(ClockItemIndex)->Caption == ClockLocation) {
            const int index = ClockItemIndex;
            CheckClockMenuItem(items->Items(index));
        }
    }
    if (ClockItemIndex == 0) LocalClockDaylight = set.ReadFlag(kSetDaylight, "0", false);
    ModalResult = mrOk;
}

void TSetTimerForm::adjustClick(TObject*) {
    ClockRunCommand("rundll32.exe shell32.dll,Control_RunDLL timedate.cpl,,1");
}

void TSetTimerForm::Timer1Timer(TObject*) { ShowLocationTime(SelectedOffset); }

}  // namespace worldclock
