// Rules of the clock panel, its menu and the clock-setting list that need no
// platform: which menu item is what, which stored choice is valid, and the
// texts the panel and the dialog show.
#pragma once
#include <string>

namespace worldclock {

// The first entry of the clock menu and of the clock-setting list.
extern const char LocalTimeName[];  // "Local Time"

// "Local Time" and up to 23 named locations.
constexpr int MaxClockEntries = 24;
// The clock menu without locations: "Local Time", "-", "Setting...", "Alarm... ".
constexpr int ClockMenuFixedItems = 4;

// The location at list position k (1..n) is the clock menu's item k + 1
// ("Local Time" and a separator stand before it).
inline int MenuIndexOfPosition(int position) { return position + 1; }
inline int PositionOfMenuIndex(int menuIndex) { return menuIndex - 1; }

// Whether top-level item `menuIndex` of a clock menu of `itemCount` items is a
// location: below them stand a separator, "Setting..." and "Alarm... ".
bool IsLocationMenuIndex(int menuIndex, int itemCount);

// The committed list goes into the menu only when the stored count agrees with
// the stored names; a hand-edited or half-written file shows no locations.
bool ZoneMenuCountAgrees(int storedCount, int nameCount);

// The stored choice of the clock menu, checked against the menu as rebuilt:
// "Local Time" (0) or a location's item (2..n+1). Anything else, such as a
// separator or an item past the end, falls back to "Local Time".
int ValidClockItemIndex(int storedIndex, int locationCount);

// The panel's text, "hh:mm:ss" on the 24-hour clock.
std::string ClockPanelText(int hour, int minute, int second);
// The panel's hint: "place, ddd yyyy-mm-dd", the day name as the locale spells it.
std::string ClockHintText(const std::string& place, const std::string& dayName, int year, int month, int day);
// The clock-setting dialog's date and time: "Dec,8 2026", two blanks, then
// the time in the user's long time format.
std::string LocationTimeText(int year, int month, int day, const std::string& timeText);

// Where the alarm mark goes on the clock panel. The time is drawn from the
// left edge of the panel's inside; the mark takes the room to the right of it,
// centred there and one pixel clear of the text. How wide the time is depends
// on the font the system substitutes (a wide one leaves only a few pixels), so
// the mark shrinks to the room there is, down to MinAlarmMarkSize; below that
// it keeps that size at the right edge, where only text too wide for the panel
// would meet it.
constexpr int AlarmMarkSize = 10;
constexpr int MinAlarmMarkSize = 4;
struct AlarmMarkPlace {
    int Left = 0, Top = 0, Size = 0;
};
// innerLeft..: the panel's inside (within its bevels); textWidth: the extent
// of the time in the panel's font.
AlarmMarkPlace PlaceAlarmMark(int innerLeft, int innerTop, int innerWidth, int innerHeight, int textWidth);

// The confirmation asked before a location leaves the list.
std::string RemoveLocationQuestion(const std::string& name);

// Removing the entry at list position `position` (1..count-1) from a list of
// `countBefore` entries.
struct ClockRemoval {
    int Current;         // the list position that becomes current
    int ClockItemIndex;  // the clock menu's index of the place the clock shows afterwards
};
// `shown` tells whether the clock showed the removed location: it then moves
// to the entry that takes its place, or to the one before when it was last.
ClockRemoval RemoveClockEntry(int position, int countBefore, int clockItemIndex, bool shown);

}  // namespace worldclock
