#include "main/clock/ClockPanel.h"

#include <climits>

#include "main/clock/ClockIni.h"
#include "main/clock/core/ClockRules.h"
#include "main/clock/ClockSource.h"
#include "framework/forms/PopupList.h"
#include "framework/win32/ScopedHandle.h"
#include "framework/core/StrUtils.h"
#include "main/clock/TimeChangeClock.h"
#include "main/clock/core/ZoneIni.h"
#include "main/clock/core/ZoneOffsets.h"

namespace worldclock {

int ClockOffset = 0;
int SavedClockOffset = 0;
int ClockItemIndex = 0;
std::string ClockLocation = LocalTimeName;
bool ClockDblClicked = false;
bool LocalClockDaylight = false;
UINT ClockHoverCommand = 0;

CivilTime UtcTime;
int ZoneHour = 0, ZoneMinute = 0, ZoneDay = 1, ZoneMonth = 1, ZoneYear = 1601;
int LeapYear = 0;

TClockAlarmLink ClockAlarmLink;
std::function<void(const std::string&)> ClockRunCommand = [](const std::string& commandLine) {
    WinExec(commandLine.c_str(), SW_SHOWNORMAL);
};

TClockPanel* ClockPanel = nullptr;

namespace {
const char kSetSection[] = "ZoneMenu";
const char kDaylightSection[] = "ZoneMenuDaylight";
const int kClockMenuKind = 9;
const DWORD kClickWait = 200;

void FillZoneTime(const TClockReading& now) {
    UtcTime = now.Utc;
    const CivilTime z = ZoneTimeFromUtc(now.Utc, ClockOffset);
    ZoneHour = z.Hour;
    ZoneMinute = z.Minute;
    ZoneDay = z.Day;
    ZoneMonth = z.Month;
    ZoneYear = z.Year;
    CheckLeapYear();
}

// The short day name of the user's locale.
std::string DayName(int year, int month, int day) {
    const SYSTEMTIME st = SystemTimeOf(CivilTime{year, month, day});
    const int size = GetDateFormatA(LOCALE_USER_DEFAULT, 0, &st, "ddd", nullptr, 0);
    if (size <= 0) return std::string();
    std::string text(static_cast<size_t>(size), '\0');
    const int got = GetDateFormatA(LOCALE_USER_DEFAULT, 0, &st, "ddd", &text[0], size);
    text.resize(got > 0 ? static_cast<size_t>(got - 1) : 0);
    return text;
}

// The committed locations, as the menu shows them: none unless the stored
// count agrees with the stored names.
std::vector<std::string> CommittedLocations() {
    const TClockIni set = ZoneSetIni();
    const int nu = ParseIniInt(set.ReadString("ZoneMenuNU", "nu", "0"), 0, INT_MAX, 0);
    // Section names compare without regard to case: this is [ZoneMenu].
    std::vector<std::string> names = set.ReadKeys("Zonemenu");
    if (!ZoneMenuCountAgrees(nu, static_cast<int>(names.size()))) names.clear();
    return names;
}

// The width of `text` in `font` on the window's device context (none: the screen's).
int TextWidth(HWND window, HFONT font, const std::string& text) {
    const ScopedWindowDC dc(window);
    const ScopedSelect selected(dc.Get(), font);
    SIZE size{};
    GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
}

// While the clock menu is open, the pop-up list window's menu notices tell
// which item is highlighted.
WNDPROC previousPopupProc = nullptr;

LRESULT CALLBACK HoverWatchProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_MENUSELECT) {
        const UINT flags = HIWORD(wp);
        if ((flags == 0xFFFF && lp == 0) || (flags & (MF_POPUP | MF_SEPARATOR)))
            ClockHoverCommand = 0;
        else
            ClockHoverCommand = LOWORD(wp);
    }
    return previousPopupProc ? CallWindowProcA(previousPopupProc, hwnd, msg, wp, lp)
                             : DefWindowProcA(hwnd, msg, wp, lp);
}
}  // namespace

void CheckLeapYear() { LeapYear = IsLeapYear(ZoneYear) ? 1 : 0; }

void CurrentZoneTime() { FillZoneTime(ReadClock()); }

// ---- menu routines ----

void CheckClockMenuItem(TMenuItem* item) {
    if (!item) return;
    TMenuItem* parent = item->Parent();
    if (parent) {
        // Radio items of one menu exclude each other.
        for (int i = 0; i < parent->Count(); ++i)
            if (parent->Items(i) != item && parent->Items(i)->RadioItem) parent->Items(i)->Checked = false;
        ClockItemIndex = parent->IndexOf(item);
    }
    item->Checked = true;
}

int GetLocationOffset(const std::string& name, int position) {
    const TClockIni set = ZoneSetIni();
    return WithDaylight(set.ReadOffset(kSetSection, name, 480),
                        set.ReadFlag(kDaylightSection, IntToStr(position), false));
}

void ClockMenuItemClick(TObject* Sender) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item) return;
    CheckClockMenuItem(item);
    ClockLocation = item->Caption;
    ClockOffset = GetLocationOffset(item->Caption, PositionOfMenuIndex(ClockItemIndex));
}

TMenuItem* NewClockMenuItem(const std::string& caption) {
    auto* item = new TMenuItem(nullptr);
    item->Caption = caption;
    item->RadioItem = true;
    item->OnClick = ClockMenuItemClick;
    return item;
}

// ---- the panel ----

TClockPanel::TClockPanel(const TClockHost& host) : TComponent(host.Bar), host_(host) {
    SetName("ClockPanel");
    MyPopupMenu = Make<TPopupMenu>(host.Bar, "MyPopupMenu");
    MyPopupMenu->OnPopup = Bind(this, &TClockPanel::MyPopupMenuPopup);
    TMenuItem* items = MyPopupMenu->Items();
    Local = Make<TMenuItem>(nullptr, "Local");
    Local->Caption = LocalTimeName;
    Local->RadioItem = true;
    Local->Checked = true;
    Local->OnClick = Bind(this, &TClockPanel::LocalClick);
    items->Add(Local);
    MenuItem1 = Make<TMenuItem>(nullptr, "MenuItem1");
    MenuItem1->Caption = "-";
    items->Add(MenuItem1);
    Setting1 = Make<TMenuItem>(nullptr, "Setting1");
    Setting1->Caption = "Setting...";
    Setting1->OnClick = Bind(this, &TClockPanel::Setting1Click);
    items->Add(Setting1);
    Alarm1 = Make<TMenuItem>(nullptr, "Alarm1");
    Alarm1->Caption = "Alarm... ";
    Alarm1->OnClick = Bind(this, &TClockPanel::Alarm1Click);
    items->Add(Alarm1);

    // The alarm mark: a small yellow dial on the panel's black, which the
    // picture's corner colour leaves out. Placed beside the time each tick.
    AlarmImage =
        Make<TImage>(host.Bar, host.Qtime, "AlarmImage", {45, 5, AlarmMarkSize, AlarmMarkSize}, [](TImage& mark) {
            mark.SetVisible(false);
            mark.Transparent = true;
        });
    DrawAlarmMark(AlarmMarkSize);
    if (host.Qtime) {
        host.Qtime->OnClick = Bind(this, &TClockPanel::QtimeClick);
        host.Qtime->OnDblClick = Bind(this, &TClockPanel::QtimeDblClick);
        host.Qtime->SetShowHint(true);
    }
    // The bar may handle the notice too: the clock passes it on.
    if (host.Bar)
        previousTimeChange_ = host.Bar->SetMessageHandler(WM_TIMECHANGE, Bind(this, &TClockPanel::WMTimeChange));
    ClockPanel = this;
}

TClockPanel::~TClockPanel() {
    if (ClockPanel == this) ClockPanel = nullptr;
}

void TClockPanel::DrawAlarmMark(int size) {
    TBitmap* picture = AlarmImage->Picture();
    picture->SetSize(size, size);
    picture->Fill(RGB(0, 0, 0));
    HDC dc = picture->Canvas()->Handle();
    const ScopedBrush face(CreateSolidBrush(RGB(255, 255, 0)));
    const ScopedPen rim(CreatePen(PS_SOLID, 1, RGB(255, 255, 0)));
    const ScopedPen hand(CreatePen(PS_SOLID, 1, RGB(64, 64, 64)));
    const ScopedSelect faceSelected(dc, face.Get());
    const ScopedSelect rimSelected(dc, rim.Get());
    Ellipse(dc, 0, 0, size, size);
    const ScopedSelect handSelected(dc, hand.Get());
    MoveToEx(dc, size / 2, size / 5, nullptr);
    LineTo(dc, size / 2, size / 2);
    LineTo(dc, size * 4 / 5, size / 2);
}

int TClockPanel::PanelTextWidth(const std::string& text) const {
    TPanel* qtime = host_.Qtime;
    if (!qtime->Handle()) return 0;
    // The font the panel draws its text in: its parent's, else the dialog font.
    HWND parent = GetParent(qtime->Handle());
    auto font = reinterpret_cast<HFONT>(SendMessageA(parent ? parent : qtime->Handle(), WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return TextWidth(qtime->Handle(), font, text);
}

void TClockPanel::ArrangeAlarmMark(const std::string& text) {
    TPanel* qtime = host_.Qtime;
    const int inset =
        (qtime->BevelOuter != TBevelCut::bvNone ? 1 : 0) + (qtime->BevelInner != TBevelCut::bvNone ? 1 : 0);
    const AlarmMarkPlace place = PlaceAlarmMark(inset, inset, qtime->Width() - 2 * inset,
                                                qtime->Height() - 2 * inset, PanelTextWidth(text));
    if (place.Size != AlarmImage->Picture()->Width()) {
        DrawAlarmMark(place.Size);
        AlarmImage->Invalidate();
    }
    if (place.Left != AlarmImage->Left() || place.Top != AlarmImage->Top() || place.Size != AlarmImage->Width())
        AlarmImage->SetBounds(place.Left, place.Top, place.Size, place.Size);
}

int TClockPanel::LocationItemCount() const {
    const int count = MyPopupMenu->Items()->Count();
    return count > ClockMenuFixedItems ? count - ClockMenuFixedItems - 1 : 0;
}

TMenuItem* TClockPanel::FindLocationItem(const std::string& caption) const {
    TMenuItem* items = MyPopupMenu->Items();
    for (int i = 2; IsLocationMenuIndex(i, items->Count()); ++i)
        if (items->Items(i)->Caption == caption) return items->Items(i);
    return nullptr;
}

void TClockPanel::ReplaceLocationItems(const std::vector<std::string>& names) {
    TMenuItem* items = MyPopupMenu->Items();
    // Out go the location items and one separator, in goes the new list.
    for (int n = items->Count() - ClockMenuFixedItems; n > 0; --n) items->Delete(2);
    int n = 0;
    for (const std::string& name : names) {
        items->Insert(n + 1, NewClockMenuItem(name));
        ++n;
    }
    if (n > 0) {
        auto* separator = new TMenuItem(nullptr);
        separator->Caption = "-";
        items->Insert(1, separator);
    }
    MenuItem1 = items->Items(1);
}

void TClockPanel::ShowCommittedItem(int index) {
    TMenuItem* items = MyPopupMenu->Items();
    TMenuItem* item = items->Items(index);
    ClockLocation = item->Caption;
    CheckClockMenuItem(item);
    ClockItemIndex = index;
    const TClockIni set = ZoneSetIni();
    LocalClockDaylight = set.ReadFlag(kDaylightSection, "0", false);
    if (index == 0)
        ClockOffset = WithDaylight(GetLocalZoneMinutes(), LocalClockDaylight);
    else if (SameTextAscii(ClockLocation, LocalTimeName))
        ClockOffset = WithDaylight(GetLocalZoneMinutes(),
                                   set.ReadFlag(kDaylightSection, IntToStr(PositionOfMenuIndex(index)), false));
    else
        // The same source as a click on the item, so a restart and a click agree.
        ClockOffset = GetLocationOffset(ClockLocation, PositionOfMenuIndex(index));
}

void TClockPanel::BuildZoneMenu() {
    const std::vector<std::string> names = CommittedLocations();
    ReplaceLocationItems(names);
    const TClockIni set = ZoneSetIni();
    const int sel = ParseIniInt(set.ReadString("SelItem", "sel", "0"), 0, INT_MAX, 0);
    ShowCommittedItem(ValidClockItemIndex(sel, static_cast<int>(names.size())));
}

void TClockPanel::RestoreCommitted(const std::string& shownName) {
    const std::vector<std::string> names = CommittedLocations();
    ReplaceLocationItems(names);
    int index = 0;
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == shownName) index = MenuIndexOfPosition(static_cast<int>(i) + 1);
    ShowCommittedItem(index);
}

void TClockPanel::SaveZoneSelection() { ZoneSetIni().WriteInteger("SelItem", "sel", ClockItemIndex); }

std::string TClockPanel::PanelHint() const {
    std::string place;
    TMenuItem* items = MyPopupMenu->Items();
    for (int i = 0; i < items->Count(); ++i)
        if (items->Items(i)->Checked) place = items->Items(i)->Caption;
    return ClockHintText(place, DayName(ZoneYear, ZoneMonth, ZoneDay), ZoneYear, ZoneMonth, ZoneDay);
}

void TClockPanel::FitZoneHint(const std::string& hint) {
    TLabel* label = host_.ZoneHint;
    label->SetCaption(hint);
    // The label is as wide as its text.
    const int width = TextWidth(nullptr, host_.Bar->Font(), hint);
    label->SetBounds(Screen->Width() - host_.Qtime->Width() - width - 5, label->Top(), width, label->Height());
}

void TClockPanel::Timer1Timer(TObject*) {
    // One reading for the whole tick: the seconds shown belong to the same
    // instant as the hours and minutes.
    const TClockReading now = ReadClock();
    bool previewing = false;
    if (host_.OpenMenuKind && *host_.OpenMenuKind == kClockMenuKind) {
        TMenuItem* items = MyPopupMenu->Items();
        int index = -1;
        for (int i = 0; i < items->Count() && ClockHoverCommand; ++i)
            if (items->Items(i)->Command() == ClockHoverCommand) index = i;
        if (IsLocationMenuIndex(index, items->Count())) {
            ClockOffset = GetLocationOffset(items->Items(index)->Caption, PositionOfMenuIndex(index));
            previewing = true;
        } else {
            ClockOffset = SavedClockOffset;
        }
    }
    if (!previewing && ClockItemIndex == 0) ClockOffset = WithDaylight(now.LocalOffset, LocalClockDaylight);
    FillZoneTime(now);
    TPanel* qtime = host_.Qtime;
    if (!qtime) return;
    const std::string text = ClockPanelText(ZoneHour, ZoneMinute, now.Utc.Second);
    if (qtime->Caption() != text) qtime->SetCaption(text);
    const bool alarms = ClockAlarmLink.AlarmsExist && ClockAlarmLink.AlarmsExist();
    const TAlignment alignment = alarms ? TAlignment::taLeftJustify : TAlignment::taCenter;
    if (alarms) ArrangeAlarmMark(text);
    if (AlarmImage->Visible() != alarms) AlarmImage->SetVisible(alarms);
    if (qtime->Alignment != alignment) {
        qtime->Alignment = alignment;
        qtime->Invalidate();
    }
    const std::string hint = PanelHint();
    if (qtime->Hint() != hint) qtime->SetHint(hint);
    if (host_.Bar && host_.ZoneHint && host_.Bar->Width() == 800) FitZoneHint(hint);
    const bool listVisible = ClockAlarmLink.AlarmListVisible && ClockAlarmLink.AlarmListVisible();
    if (!listVisible && ClockAlarmLink.CheckAlarms) ClockAlarmLink.CheckAlarms();
}

void TClockPanel::HideTip() {
    if (host_.TipHandle && *host_.TipHandle) ShowWindow(*host_.TipHandle, SW_HIDE);
}

void TClockPanel::QtimeClick(TObject*) {
    // The release that ends a double click reports one more click; the click
    // that is waiting for that double click already answers it.
    if (waitingClick_) return;
    HideTip();
    {
        waitingClick_ = true;
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < kClickWait) {
            Application->ProcessMessages();
            if (ClockPanel != this) return;  // the bar went while messages ran
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        waitingClick_ = false;
    }
    if (ClockDblClicked) {
        ClockDblClicked = false;
        return;
    }
    Application->SetShowHint(false);
    if (host_.OpenMenuKind) *host_.OpenMenuKind = kClockMenuKind;
    SavedClockOffset = ClockOffset;
    PopupClockMenu();
    if (ClockPanel != this) return;
    if (host_.OpenMenuKind) *host_.OpenMenuKind = 0;
    ClockOffset = SavedClockOffset;
    Application->SetShowHint(true);
}

void TClockPanel::PopupClockMenu() {
    int x = 0, y = 0;
    if (host_.Bar) {
        x = host_.Bar->Left() + (host_.Qtime ? host_.Qtime->Left() : 0);
        y = host_.Bar->Top() + host_.Bar->ClientHeight();
    }
    HWND list = TPopupList::Instance().Window();
    ClockHoverCommand = 0;
    // Watched once, also when the menu is asked for again while it is open.
    const bool watching =
        list && reinterpret_cast<WNDPROC>(GetWindowLongPtrA(list, GWLP_WNDPROC)) == HoverWatchProc;
    if (list && !watching)
        previousPopupProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HoverWatchProc)));
    MyPopupMenu->PopupAt(x, y);
    if (list && !watching) {
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(list, GWLP_WNDPROC)) == HoverWatchProc)
            SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousPopupProc));
        previousPopupProc = nullptr;
    }
    ClockHoverCommand = 0;
}

void TClockPanel::QtimeDblClick(TObject*) {
    ClockDblClicked = true;
    ClockRunCommand("rundll32.exe shell32.dll,Control_RunDLL timedate.cpl,,0");
}

void TClockPanel::LocalClick(TObject* Sender) {
    LocalClockDaylight = ZoneSetIni().ReadFlag(kDaylightSection, "0", false);
    ClockOffset = WithDaylight(GetLocalZoneMinutes(), LocalClockDaylight);
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    CheckClockMenuItem(item ? item : Local);
    ClockLocation = LocalTimeName;
    ClockItemIndex = 0;
}

void TClockPanel::WMTimeChange(TMessage& Message) {
    Message.Result = 0;
    if (ClockItemIndex == 0) {
        LocalClockDaylight = ZoneSetIni().ReadFlag(kDaylightSection, "0", false);
        ClockOffset = WithDaylight(GetLocalZoneMinutes(), LocalClockDaylight);
    }
    if (previousTimeChange_) previousTimeChange_(Message);
}

void TClockPanel::MyPopupMenuPopup(TObject*) {
    TMenuItem* items = MyPopupMenu->Items();
    if (ClockItemIndex >= 0 && ClockItemIndex < items->Count()) CheckClockMenuItem(items->Items(ClockItemIndex));
}

void TClockPanel::Setting1Click(TObject*) {
    if (!SetTimerForm) SetTimerForm = TForm::Create<TSetTimerForm>(Application);
    SetTimerForm->ShowModal();
}

void TClockPanel::Alarm1Click(TObject*) {
    if (ClockAlarmLink.ShowAlarmList) ClockAlarmLink.ShowAlarmList();
}

// ---- what the bar calls ----

TClockPanel* AttachClockPanel(const TClockHost& host) { return new TClockPanel(host); }

void BuildZoneMenu() {
    if (ClockPanel) ClockPanel->BuildZoneMenu();
}

void SaveZoneSelection() {
    if (ClockPanel) ClockPanel->SaveZoneSelection();
}

void ClockTick() {
    if (ClockPanel) ClockPanel->Timer1Timer(ClockPanel);
}

}  // namespace worldclock
