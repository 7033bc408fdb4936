// Zone offsets: minutes east of UTC (480 is eight hours ahead, -300 five hours
// behind), the fixed list of zones the clock and alarm dialogs offer, and the
// texts an offset is shown in.
#pragma once
#include <string>

namespace worldclock {

// Every offset the clock works with lies within one day either way: the
// machine's own offset is kept there, values read from the INI files outside it
// are refused, and the date carry moves a date by one day at most.
constexpr int MinZoneOffset = -1439;
constexpr int MaxZoneOffset = 1439;
// What a location's daylight flag adds to its stored standard offset.
constexpr int DaylightMinutes = 60;

constexpr int ZoneOffsetCount = 49;
// The zone lists' entries, in list order: a list index is an index here.
extern const int ZoneOffsets[ZoneOffsetCount];

enum class ZoneTextStyle {
    Caption,  // "(GMT+05:45)": entries of the zone lists
    Edit,     // "GMT +05:45": the clock-setting dialog's zone box
    Bracket,  // "[GMT +05:45]": the zone part of an alarm's location text
};

// Hours have at least two digits; minutes other than :00 are not padded, so
// 605 gives "(GMT+10:5)". Zero has no sign.
std::string ZoneOffsetText(int minutes, ZoneTextStyle style);
inline std::string ZoneOffsetToText(int minutes) {
    return ZoneOffsetText(minutes, ZoneTextStyle::Caption);
}
// The zone box also shows the missing offset, -1, as a message.
std::string ZoneOffsetEditText(int minutes);

// The exact inverse of ZoneOffsetText for offsets within one day: any other
// spelling ("(GMT+5:45)", "(GMT+00:00)", "(GMT+10:05)") is refused, so a text
// that parses is one the lists can hold.
bool ParseZoneOffsetText(const std::string& text, ZoneTextStyle style, int& minutes);

// List index of an offset or of a caption; -1 when no entry has it (780, 825,
// 840 and the like: zones east of +12:00 and +12:00 with its daylight hour).
int ZoneIndexOfMinutes(int minutes);
int ZoneIndexOfCaption(const std::string& caption);

int ClampZoneOffset(int minutes);
inline int WithDaylight(int standardMinutes, bool daylight) {
    return daylight ? standardMinutes + DaylightMinutes : standardMinutes;
}

}  // namespace worldclock
