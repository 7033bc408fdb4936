#include "main/clock/SetAlarm.h"

#include <algorithm>

#include "main/clock/AlarmCheck.h"
#include "main/clock/core/AlarmDue.h"
#include "main/clock/core/AlarmRules.h"
#include "main/clock/ClockIni.h"
#include "main/clock/ClockPanel.h"
#include "main/clock/core/ClockRules.h"
#include "main/clock/ClockSource.h"
#include "framework/win32/LeadByte.h"
#include "framework/forms/MessageDlg.h"
#include "framework/win32/ScopedHandle.h"
#include "framework/core/StrUtils.h"
#include "framework/forms/SysUtils.h"
#include "main/clock/UnitSingleAla.h"
#include "main/clock/core/ZoneOffsets.h"

namespace worldclock {

TAlarm* Alarm = nullptr;

namespace {
const COLORREF kMask = RGB(255, 0, 255);

TClockProfile Store() { return TClockProfile(ZoneIni()); }

// The state pictures, in state order from "on": a red alarm clock, a plain
// white square, a green tick.
void DrawStatePictures(TImageList* list) {
    const ScopedPen redRim(CreatePen(PS_SOLID, 1, RGB(160, 0, 0)));
    const ScopedBrush red(CreateSolidBrush(RGB(220, 0, 0)));
    const ScopedPen grey(CreatePen(PS_SOLID, 1, RGB(128, 128, 128)));
    const ScopedPen green(CreatePen(PS_SOLID, 3, RGB(0, 160, 0)));
    for (int state = asOn; state <= asDone; ++state) {
        TBitmap picture;
        picture.SetSize(16, 16);
        picture.Fill(kMask);
        HDC dc = picture.Canvas()->Handle();
        const ScopedSelect pen(dc, GetStockObject(BLACK_PEN));
        const ScopedSelect brush(dc, GetStockObject(WHITE_BRUSH));
        if (state == asOn) {
            SelectObject(dc, redRim.Get());
            SelectObject(dc, red.Get());
            Ellipse(dc, 0, 0, 6, 6);  // the bells
            Ellipse(dc, 10, 0, 16, 6);
            Ellipse(dc, 1, 2, 15, 16);  // the case
            SelectObject(dc, GetStockObject(WHITE_BRUSH));
            Ellipse(dc, 4, 5, 12, 13);  // the face
            SelectObject(dc, GetStockObject(BLACK_PEN));
            MoveToEx(dc, 8, 6, nullptr);
            LineTo(dc, 8, 9);
            LineTo(dc, 11, 9);
        } else if (state == asOff) {
            SelectObject(dc, grey.Get());
            Rectangle(dc, 2, 2, 14, 14);
        } else {
            SelectObject(dc, green.Get());
            MoveToEx(dc, 3, 8, nullptr);
            LineTo(dc, 6, 12);
            LineTo(dc, 13, 3);
        }
        list->AddMasked(picture, kMask);
    }
}

// The day after `t`, kept within the years the store can hold.
CivilTime Tomorrow(const CivilTime& t) {
    CivilTime next = t;
    CivilFromDays(DaysFromCivil(t.Year, t.Month, t.Day) + 1, next.Year, next.Month, next.Day);
    if (next.Year < FirstAlarmYear) next = CivilTime{FirstAlarmYear, 1, 1, t.Hour, t.Minute, t.Second, 0};
    if (next.Year > LastAlarmYear) next = CivilTime{LastAlarmYear, 12, 31, t.Hour, t.Minute, t.Second, 0};
    return next;
}

int ZoneOf(const std::string& name) { return ZoneIni().ReadOffset("Zone", name, 480); }
}  // namespace

TAlarm::TAlarm(TComponent* AOwner) : TForm(AOwner) {
    SetUp({"Alarm", "Alarm Setting", 490, 279});

    StateImages = Make<TImageList>(this, "StateImages");
    DrawStatePictures(StateImages);
    Label1 = Make<TStaticLabel>(this, this, "Label1", {8, 8, 120, 14});
    Label1->SetCaption("Alarms:");
    StringGrid1 = Make<TStringGrid>(this, this, "StringGrid1", {8, 24, 384, 216}, [this](TStringGrid& grid) {
        grid.Images = StateImages->Handle();
        grid.SetColumns({"", "Date", "Time", "Location[TimeZone]", "Style"}, {21, 64, 62, 173, 40});
    });
    StringGrid1->OnDblClick = Bind(this, &TAlarm::ApplyClick);
    StringGrid1->OnSelect = Bind(this, &TAlarm::StringGrid1Select);
    StringGrid1->OnCellClick = Bind(this, &TAlarm::StringGrid1CellClick);
    StringGrid1->OnKeyDown = Bind(this, &TAlarm::StringGrid1KeyDown);
    AddBu = Make<TButton>(this, this, "AddBu", {404, 24, 78, 25});
    AddBu->SetCaption("Add");
    AddBu->OnClick = Bind(this, &TAlarm::AddBuClick);
    Apply = Make<TButton>(this, this, "Apply", {404, 56, 78, 25});
    Apply->SetCaption("Edit");
    Apply->OnClick = Bind(this, &TAlarm::ApplyClick);
    RemoveBu = Make<TButton>(this, this, "RemoveBu", {404, 88, 78, 25});
    RemoveBu->SetCaption("Remove");
    RemoveBu->OnClick = Bind(this, &TAlarm::RemoveBuClick);
    Button2 = Make<TButton>(this, this, "Button2", {404, 246, 78, 25});
    Button2->SetCaption("Close");
    Button2->OnClick = Bind(this, &TAlarm::Button2Click);
    daylight = Make<TCheckBox>(this, this, "daylight", {8, 250, 384, 17});
    daylight->SetCaption("This time is in Daylight Savings Time.");
    daylight->OnClick = Bind(this, &TAlarm::daylightClick);

    SoundDir = ProgramFolder();
    if (!SoundDir.empty() && SoundDir.back() == '\\') SoundDir.pop_back();
    OnShow = Bind(this, &TAlarm::FormShow);
    Alarms = LoadAlarms(ReadStoreSections(ZoneIni()), &spare_);
    ShowAlarms(1);
}

TAlarm::~TAlarm() {
    DestroyWindowHandle();
    if (Alarm == this) Alarm = nullptr;
}

int TAlarm::CurrentRow() const { return StringGrid1->Row(); }

bool TAlarm::RowHoldsAlarm(int row) const { return row >= 1 && row <= static_cast<int>(Alarms.size()); }

std::string TAlarm::LocationText(const std::string& name, bool withDaylight) const {
    return CityZoneText(name, WithDaylight(ZoneOf(name), withDaylight));
}

void TAlarm::ShowAlarms(int row) {
    const int count = static_cast<int>(Alarms.size());
    StringGrid1->SetRowCount(count + 2);
    for (int r = 1; r <= count + 1; ++r) {
        const TStoredAlarm* a = r <= count ? &Alarms[static_cast<size_t>(r - 1)] : nullptr;
        StringGrid1->SetCells(1, r, a ? a->Date : "");
        StringGrid1->SetCells(2, r, a ? a->Time : "");
        StringGrid1->SetCells(3, r, a ? a->Location : "");
        StringGrid1->SetCells(4, r, a ? a->Style : "");
        StringGrid1->SetRowImage(r, a && a->State != asNone ? a->State - asOn : -1);
    }
    StringGrid1->SetRow(row);
    UpdateControls();
}

void TAlarm::UpdateControls() {
    const int row = CurrentRow();
    const bool holds = RowHoldsAlarm(row);
    Apply->SetEnabled(holds);
    RemoveBu->SetEnabled(holds);
    AddBu->SetEnabled(static_cast<int>(Alarms.size()) < MaxAlarms);
    AlarmDaylight = holds && Alarms[static_cast<size_t>(row - 1)].Daylight;
    updating_ = true;
    daylight->SetChecked(AlarmDaylight);
    updating_ = false;
    daylight->SetEnabled(holds);
}

void TAlarm::FormShow(TObject*) {
    // What a visit closed by the title bar left in the list is gone.
    Alarms = LoadAlarms(ReadStoreSections(ZoneIni()), &spare_);
    ShowAlarms(1);
    StringGrid1->SetFocus();
}

bool TAlarm::RunEditor(const TStoredAlarm* alarm, bool withDaylight, TStoredAlarm& result) {
    if (!SingleAlarm) SingleAlarm = TForm::Create<TSingleAlarm>(Application);
    TSingleAlarm* e = SingleAlarm;
    std::vector<std::string> names = ZoneIni().ReadKeys("Zone");
    if (std::none_of(names.begin(), names.end(), [](const std::string& n) { return IsLocalTimeName(n); }))
        names.insert(names.begin(), LocalTimeName);
    e->ComboBoxCityName->SetItems(names);
    const TClockReading now = ReadClock();
    const CivilTime local = ZoneTimeFromUtc(now.Utc, now.LocalOffset);
    CivilTime date = Tomorrow(local), time = local;
    if (!alarm) {
        e->ComboBoxCityName->SetText(ClockLocation);
        e->SelectZone(ClockOffset);
        e->DaySetting->SetItemIndex(1);
        e->CheckBox1->SetChecked(true);
        e->CheckBox2->SetChecked(true);
        e->SetSoundChoice(0);
        e->Memo1->SetText("");
        e->Edit1->SetText("");
    } else {
        const std::string name = ExtractCityName(alarm->Location, SystemLeadByte);
        e->ComboBoxCityName->SetText(name);
        e->SelectZone(ZoneOf(name));
        // A hand-edited date or time that does not parse leaves tomorrow and now.
        if (!alarm->Daily()) ParseAlarmDate(alarm->Date, date.Year, date.Month, date.Day);
        ParseAlarmTime(alarm->Time, time.Hour, time.Minute, time.Second);
        e->DaySetting->SetItemIndex(alarm->Daily() ? 1 : 0);
        e->CheckBox1->SetChecked(StyleHasText(alarm->Style));
        e->CheckBox2->SetChecked(StyleHasSound(alarm->Style));
        e->Memo1->SetText(alarm->Memo);
        const int choice = SoundChoiceOfPath(alarm->SoundFile, SystemLeadByte);
        e->Edit1->SetText(StyleHasSound(alarm->Style) && choice == OtherSoundChoice ? alarm->SoundFile : "");
        e->SetSoundChoice(StyleHasSound(alarm->Style) ? choice : 0);
    }
    e->MyDate->SetDateTime(SystemTimeOf(date));
    time.Year = local.Year;
    time.Month = local.Month;
    time.Day = local.Day;
    e->MyTime->SetDateTime(SystemTimeOf(time));
    if (e->ShowModal() != mrOk) return false;

    // Checked before anything changes, so a refused alarm leaves the list as it was.
    const std::string style = AlarmStyleText(e->CheckBox1->Checked(), e->CheckBox2->Checked());
    if (style.empty()) {
        MessageDlg("The Alarm Option must set.", TMsgDlgType::mtConfirmation, mbOK);
        return false;
    }
    const std::string name = e->ComboBoxCityName->Text();
    if (name.empty()) {
        MessageDlg("Please you must input a location.", TMsgDlgType::mtConfirmation, mbOK);
        return false;
    }
    const SYSTEMTIME d = e->MyDate->DateTime(), t = e->MyTime->DateTime();
    result = TStoredAlarm();
    result.Style = style;
    result.Location = LocationText(name, withDaylight);
    result.Daylight = withDaylight;
    result.Time = AlarmTimeText(t.wHour, t.wMinute, t.wSecond);
    if (e->CheckBox2->Checked()) {
        const int choice = e->SoundChoice();
        result.SoundFile = choice == OtherSoundChoice ? e->Edit1->Text() : BuiltInSoundPath(SoundDir, choice);
    }
    result.Date = e->DaySetting->ItemIndex() == 1 ? EveryDayText : AlarmDateText(d.wYear, d.wMonth, d.wDay);
    if (e->CheckBox1->Checked()) result.Memo = e->Memo1->Text();
    const TClockReading after = ReadClock();
    const int zone = IsLocalTimeName(name) ? after.LocalOffset : ZoneOf(name);
    result.State = AlarmOneTimeState(AlarmMomentOf(result), WithDaylight(zone, withDaylight), after.Utc);
    return true;
}

void TAlarm::AddBuClick(TObject*) {
    if (static_cast<int>(Alarms.size()) >= MaxAlarms) return;
    TStoredAlarm added;
    if (!RunEditor(nullptr, false, added)) return;
    Alarms.insert(Alarms.begin(), added);
    ShowAlarms(1);
    StringGrid1->SetFocus();
}

void TAlarm::ApplyClick(TObject*) {
    const int row = CurrentRow();
    if (!RowHoldsAlarm(row)) return;
    TStoredAlarm edited;
    if (!RunEditor(&Alarms[static_cast<size_t>(row - 1)], AlarmDaylight, edited)) return;
    Alarms[static_cast<size_t>(row - 1)] = edited;
    ShowAlarms(row);
    StringGrid1->SetFocus();
}

void TAlarm::RemoveBuClick(TObject*) {
    const int row = CurrentRow();
    if (!RowHoldsAlarm(row)) return;
    const int count = static_cast<int>(Alarms.size());
    Alarms.erase(Alarms.begin() + (row - 1));
    ShowAlarms(std::min(row, std::max(count - 1, 1)));
}

void TAlarm::Button2Click(TObject*) {
    TClockProfile store = Store();
    SaveAlarms(store, Alarms, spare_);
    AlarmStoreChanged();
    ModalResult = mrOk;
}

void TAlarm::daylightClick(TObject*) {
    const int row = CurrentRow();
    if (updating_ || !RowHoldsAlarm(row)) return;
    AlarmDaylight = daylight->Checked();
    TStoredAlarm& a = Alarms[static_cast<size_t>(row - 1)];
    a.Daylight = AlarmDaylight;
    a.Location = LocationText(ExtractCityName(a.Location, SystemLeadByte), AlarmDaylight);
    StringGrid1->SetCells(3, row, a.Location);
}

void TAlarm::StringGrid1Select(TObject*) { UpdateControls(); }

void TAlarm::StringGrid1CellClick(int col, int row) {
    if (col != 0 || !RowHoldsAlarm(row)) return;
    TStoredAlarm& a = Alarms[static_cast<size_t>(row - 1)];
    if (a.State != asOn && a.State != asOff) return;
    a.State = a.State == asOn ? asOff : asOn;
    StringGrid1->SetRowImage(row, a.State - asOn);
}

void TAlarm::StringGrid1KeyDown(WORD key) {
    if (key == VK_DELETE) RemoveBuClick(RemoveBu);
}

}  // namespace worldclock
