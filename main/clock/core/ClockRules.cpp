#include "main/clock/core/ClockRules.h"

#include <cstdio>

#include "main/clock/core/ZoneMath.h"

namespace worldclock {

const char LocalTimeName[] = "Local Time";

bool IsLocationMenuIndex(int menuIndex, int itemCount) {
    return menuIndex >= 2 && menuIndex < itemCount - 3;
}

bool ZoneMenuCountAgrees(int storedCount, int nameCount) {
    return storedCount != 0 && storedCount == nameCount;
}

int ValidClockItemIndex(int storedIndex, int locationCount) {
    if (storedIndex >= 2 && storedIndex <= locationCount + 1) return storedIndex;
    return 0;
}

namespace {
std::string TwoDigits(int value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", value);
    return buf;
}
}  // namespace

std::string ClockPanelText(int hour, int minute, int second) {
    return TwoDigits(hour) + ":" + TwoDigits(minute) + ":" + TwoDigits(second);
}

std::string ClockHintText(const std::string& place, const std::string& dayName, int year, int month, int day) {
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", year, month, day);
    return place + ", " + dayName + " " + date;
}

std::string LocationTimeText(int year, int month, int day, const std::string& timeText) {
    return std::string(MonthShortName(month)) + "," + std::to_string(day) + " " + std::to_string(year) + "  " +
           timeText;
}

AlarmMarkPlace PlaceAlarmMark(int innerLeft, int innerTop, int innerWidth, int innerHeight, int textWidth) {
    const int clear = 1;
    const int room = innerWidth - (textWidth > 0 ? textWidth + clear : 0);
    int size = AlarmMarkSize;
    if (size > room) size = room;
    if (size > innerHeight) size = innerHeight;
    if (size < MinAlarmMarkSize) size = MinAlarmMarkSize;
    AlarmMarkPlace place;
    place.Size = size;
    place.Top = innerTop + (innerHeight - size) / 2;
    place.Left = room >= size ? innerLeft + innerWidth - room + (room - size) / 2 : innerLeft + innerWidth - size;
    return place;
}

std::string RemoveLocationQuestion(const std::string& name) {
    return name + " will be removed,\r\nAre you sure ?";
}

ClockRemoval RemoveClockEntry(int position, int countBefore, int clockItemIndex, bool shown) {
    ClockRemoval r{};
    // The clock showed this location or one after it: its item moves up by one.
    r.ClockItemIndex = clockItemIndex > position ? clockItemIndex - 1 : clockItemIndex;
    r.Current = position < countBefore - 1 ? position : position - 1;
    if (shown) {
        if (r.Current == 0)
            r.ClockItemIndex = 0;
        else if (r.Current == position)
            ++r.ClockItemIndex;
    }
    return r;
}

}  // namespace worldclock
