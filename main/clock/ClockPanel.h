// The world clock on the bar: the clock panel that shows the time of the chosen
// place every second, the clock menu where the place is chosen (resting on a
// location previews its time), and the settings of both in "Zonefset.ini".
//
// What the bar does with it:
//  - creates one TClockPanel with its panel, label and menu state
//    (AttachClockPanel) and calls BuildZoneMenu while its window is created;
//  - calls ClockTick at the start of its one-second tick;
//  - calls SaveZoneSelection when it closes.
// The panel handles its own clicks, double clicks and WM_TIMECHANGE.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/forms/ExtCtrls.h"
#include "framework/forms/Forms.h"
#include "framework/forms/Menus.h"
#include "main/clock/core/ZoneMath.h"

namespace worldclock {

// ---- the clock's state, shared with the clock-setting dialog and the alarms ----

// Offset of the zone the panel shows, daylight hour included.
extern int ClockOffset;
// ClockOffset as it was when the clock menu opened.
extern int SavedClockOffset;
// Index of the checked item of the clock menu: 0 "Local Time", 2.. a location.
extern int ClockItemIndex;
// Caption of that item: "Local Time" or a location name.
extern std::string ClockLocation;
// Set by a double click on the panel, taken by the click that comes with it.
extern bool ClockDblClicked;
// Whether "Local Time" shows with its daylight hour. The machine's offset is
// read again every second while "Local Time" is shown: not every system tells
// programs when daylight saving starts or ends.
extern bool LocalClockDaylight;
// Command id of the highlighted item of the open clock menu, 0 for none.
extern UINT ClockHoverCommand;

// The date and time at the panel's zone, as of the last tick.
extern CivilTime UtcTime;
extern int ZoneHour, ZoneMinute, ZoneDay, ZoneMonth, ZoneYear;
// 1 when ZoneYear is a leap year.
extern int LeapYear;
// Reads the clock and fills the record for ClockOffset.
void CurrentZoneTime();
void CheckLeapYear();

// ---- hand-over to the alarms and to the system ----

// The alarm list and its check plug in here; until they do, the clock shows
// no alarm mark and checks nothing.
struct TClockAlarmLink {
    std::function<bool()> AlarmsExist;       // at least one alarm is stored
    std::function<bool()> AlarmListVisible;  // the alarm list dialog is open
    std::function<void()> CheckAlarms;       // once a second while the list is closed
    std::function<void()> ShowAlarmList;     // the clock menu's "Alarm... "
};
extern TClockAlarmLink ClockAlarmLink;

// Starts a command line (the date and time settings); tests record it instead.
extern std::function<void(const std::string& commandLine)> ClockRunCommand;

// ---- the panel ----

// What the clock uses of the bar.
struct TClockHost {
    TForm* Bar = nullptr;          // owns the menu and the alarm mark; places the menu
    TPanel* Qtime = nullptr;       // the clock panel
    TLabel* ZoneHint = nullptr;    // repeats the panel's hint on an 800-pixel bar
    int* OpenMenuKind = nullptr;   // which bar menu is open; 9 while the clock menu is
    HWND* TipHandle = nullptr;     // the bar's info tip, hidden when the panel is clicked
};

class TClockPanel : public TComponent {
public:
    // Owned by the bar: it goes with it.
    explicit TClockPanel(const TClockHost& host);
    ~TClockPanel() override;

    TPopupMenu* MyPopupMenu;
    TMenuItem* Local;
    TMenuItem* MenuItem1;
    TMenuItem* Setting1;
    TMenuItem* Alarm1;
    TImage* AlarmImage;
    const TClockHost& Host() const { return host_; }

    // Start-up: the locations into the menu, the stored choice checked, its offset.
    void BuildZoneMenu();
    // Close of the bar: the choice for the next start.
    void SaveZoneSelection();
    // The clock part of the bar's one-second tick.
    void Timer1Timer(TObject* Sender);

    void QtimeClick(TObject* Sender);
    void QtimeDblClick(TObject* Sender);
    void LocalClick(TObject* Sender);
    void MyPopupMenuPopup(TObject* Sender);
    void Setting1Click(TObject* Sender);
    void Alarm1Click(TObject* Sender);
    void WMTimeChange(TMessage& Message);

    // Puts `names` as the location items, in order, between "Local Time" and
    // "Setting...", with the separators.
    void ReplaceLocationItems(const std::vector<std::string>& names);
    // Number of location items now in the menu.
    int LocationItemCount() const;
    // The location item with exactly this caption, or null.
    TMenuItem* FindLocationItem(const std::string& caption) const;
    // Rebuilds the locations from the committed settings and shows `shownName`
    // again (or "Local Time" when it is not among them): the clock as it was
    // before the clock-setting dialog was opened.
    void RestoreCommitted(const std::string& shownName);
    // The panel's hint for the current record: checked item, day and date.
    std::string PanelHint() const;
    // Shows the clock menu under the panel and returns once it has closed;
    // the chosen item's click comes after.
    void PopupClockMenu();

private:
    // Checks item `index`, makes it the clock's place and takes its offset
    // from the committed settings.
    void ShowCommittedItem(int index);
    // The alarm mark's picture at `size` pixels square.
    void DrawAlarmMark(int size);
    // Width of `text` in the font the panel draws it with.
    int PanelTextWidth(const std::string& text) const;
    // Puts the alarm mark beside the time `text`, clear of it.
    void ArrangeAlarmMark(const std::string& text);
    void HideTip();
    void FitZoneHint(const std::string& hint);
    TClockHost host_;
    bool waitingClick_ = false;
    // The bar's own WM_TIMECHANGE handler, if it had one before the clock.
    TMessageHandler previousTimeChange_;
};

// The bar's clock, or null before it is attached and after the bar is gone.
extern TClockPanel* ClockPanel;

// Creates the clock of the bar (once, while the bar is made).
TClockPanel* AttachClockPanel(const TClockHost& host);
// What the bar calls; each does nothing without a clock.
void BuildZoneMenu();
void SaveZoneSelection();
void ClockTick();

// Checks `item` among the clock menu's radio items and makes its index ClockItemIndex.
void CheckClockMenuItem(TMenuItem* item);
// [ZoneMenu] offset of a location (480 when missing or not a number), plus the
// daylight hour when the committed flag of its list position is set.
int GetLocationOffset(const std::string& name, int position);
// Click of every location item of the clock menu.
void ClockMenuItemClick(TObject* Sender);
// A location item of the clock menu.
TMenuItem* NewClockMenuItem(const std::string& caption);

}  // namespace worldclock
