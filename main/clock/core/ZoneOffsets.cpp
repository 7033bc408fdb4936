#include "main/clock/core/ZoneOffsets.h"

#include <cstdlib>

namespace worldclock {

const int ZoneOffsets[ZoneOffsetCount] = {
    -720, -690, -660, -630, -600, -570, -540, -510, -480, -450, -420, -390, -360,
    -330, -300, -270, -240, -225, -210, -180, -150, -120, -90,  -60,  0,
    60,   90,   120,  150,  180,  210,  240,  270,  300,  330,  345,  360,  390,
    420,  450,  480,  510,  540,  570,  600,  630,  660,  690,  720,
};

std::string ZoneOffsetText(int minutes, ZoneTextStyle style) {
    const long long a = std::llabs(static_cast<long long>(minutes));
    std::string hours = std::to_string(a / 60);
    if (hours.size() < 2) hours.insert(0, 1, '0');
    std::string text;
    switch (style) {
    case ZoneTextStyle::Caption: text = "(GMT"; break;
    case ZoneTextStyle::Edit: text = "GMT "; break;
    case ZoneTextStyle::Bracket: text = "[GMT "; break;
    }
    if (minutes > 0) text += '+';
    if (minutes < 0) text += '-';
    text += hours;
    text += ':';
    text += a % 60 == 0 ? std::string("00") : std::to_string(a % 60);
    if (style == ZoneTextStyle::Caption) text += ')';
    if (style == ZoneTextStyle::Bracket) text += ']';
    return text;
}

std::string ZoneOffsetEditText(int minutes) {
    if (minutes == -1) return "Error to get time zone";
    return ZoneOffsetText(minutes, ZoneTextStyle::Edit);
}

bool ParseZoneOffsetText(const std::string& text, ZoneTextStyle style, int& minutes) {
    // Read the numbers loosely, then accept only the one spelling the formatter
    // gives for them.
    const char* prefix = style == ZoneTextStyle::Caption ? "(GMT"
                         : style == ZoneTextStyle::Edit  ? "GMT "
                                                         : "[GMT ";
    const std::string head(prefix);
    if (text.compare(0, head.size(), head) != 0) return false;
    size_t i = head.size();
    int sign = 1;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) sign = text[i++] == '-' ? -1 : 1;
    auto digits = [&](size_t maxCount, int& value) {
        const size_t start = i;
        value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < maxCount)
            value = value * 10 + (text[i++] - '0');
        return i > start;
    };
    int hours = 0, mins = 0;
    if (!digits(3, hours) || i >= text.size() || text[i++] != ':' || !digits(2, mins)) return false;
    if (mins >= 60) return false;
    const int value = sign * (hours * 60 + mins);
    if (value < MinZoneOffset || value > MaxZoneOffset) return false;
    if (ZoneOffsetText(value, style) != text) return false;
    minutes = value;
    return true;
}

int ZoneIndexOfMinutes(int minutes) {
    for (int i = 0; i < ZoneOffsetCount; ++i)
        if (ZoneOffsets[i] == minutes) return i;
    return -1;
}

int ZoneIndexOfCaption(const std::string& caption) {
    int minutes = 0;
    if (!ParseZoneOffsetText(caption, ZoneTextStyle::Caption, minutes)) return -1;
    return ZoneIndexOfMinutes(minutes);
}

int ClampZoneOffset(int minutes) {
    if (minutes < MinZoneOffset) return MinZoneOffset;
    if (minutes > MaxZoneOffset) return MaxZoneOffset;
    return minutes;
}

}  // namespace worldclock
