// Values of the clock's INI files and zone captions, which a user may edit by
// hand: the parsers must accept only what they can hand on safely.
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>

#include "main/clock/core/ZoneIni.h"
#include "main/clock/core/ZoneMath.h"
#include "main/clock/core/ZoneOffsets.h"

using namespace worldclock;

namespace {
bool SingleByteCodePage(unsigned char) { return false; }

void Require(bool condition) {
    if (!condition) __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    // Whatever the file holds, the offset handed on keeps the date carry within
    // one day, so every shifted date exists.
    const int offset = ParseIniOffset(text, 480);
    Require(offset >= MinZoneOffset && offset <= MaxZoneOffset);
    for (const CivilTime& utc : {CivilTime{2024, 2, 28, 23, 59, 59, 999}, CivilTime{2099, 12, 31, 23, 0, 0, 0},
                                 CivilTime{1901, 1, 1, 0, 0, 0, 0}})
        Require(IsValidCivilTime(ZoneTimeFromUtc(utc, offset)));

    const int count = ParseIniCount(text, 32, 0);
    Require(count >= 0 && count <= 32);
    const bool flagA = ParseIniFlag(text, false);
    const bool flagB = ParseIniFlag(text, true);
    // A text that reads as a number gives the same flag whatever the default.
    if (ParseIniInt(text, INT32_MIN, INT32_MAX, 1) == ParseIniInt(text, INT32_MIN, INT32_MAX, 2))
        Require(flagA == flagB);

    for (ZoneTextStyle style : {ZoneTextStyle::Caption, ZoneTextStyle::Edit, ZoneTextStyle::Bracket}) {
        int minutes = 123456;
        if (ParseZoneOffsetText(text, style, minutes)) {
            Require(minutes >= MinZoneOffset && minutes <= MaxZoneOffset);
            Require(ZoneOffsetText(minutes, style) == text);
        } else {
            Require(minutes == 123456);
        }
    }
    const int index = ZoneIndexOfCaption(text);
    Require(index >= -1 && index < ZoneOffsetCount);
    if (index >= 0) Require(ZoneOffsetToText(ZoneOffsets[index]) == text);

    if (CheckLocationName(text, SingleByteCodePage) == LocationNameFault::None) {
        Require(!text.empty() && text.front() != ' ' && text.back() != ' ' && text.front() != ';');
        Require(text.find_first_of("=[]\r\n\t", 0, 7) == std::string::npos);
        Require(text.find('\0') == std::string::npos);
    }
    // In code page 932 only trail bytes may look like brackets, and no byte
    // that can trail a character hides a line break or "=".
    if (CheckLocationName(text, Cp932LeadByte) == LocationNameFault::None) {
        Require(!text.empty() && text.front() != ';');
        Require(text.find_first_of("=\r\n\t", 0, 5) == std::string::npos);
        Require(text.find('\0') == std::string::npos);
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (Cp932LeadByte(c) && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x40)
                ++i;
            else
                Require(c != '[' && c != ']');
        }
    }

    // Raw numbers through the calendar: no input may reach undefined behaviour.
    if (size >= 8 * sizeof(std::int32_t)) {
        std::int32_t v[8];
        std::memcpy(v, data, sizeof v);
        const CivilTime a{v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
        const CivilTime z = ZoneTimeFromUtc(a, v[7]);
        Require(IsValidCivilTime(a) ? IsValidCivilTime(z) : z == a);
        const int local = LocalOffsetFromCivil(a, z);
        Require(local >= MinZoneOffset && local <= MaxZoneOffset);
        std::uint64_t ticks[2];
        std::memcpy(ticks, data, sizeof ticks);
        const int fromTicks = LocalOffsetFromFileTimes(ticks[0], ticks[1]);
        Require(fromTicks >= MinZoneOffset && fromTicks <= MaxZoneOffset);
        const CivilTime back = FileTimeToCivil(ticks[0]);
        Require(back.Month >= 1 && back.Month <= 12 && back.Day >= 1 &&
                back.Day <= DaysInMonth(back.Year, back.Month));
        (void)DaysFromCivil(v[0], v[1], v[2]);
        (void)DayOfWeek(v[0], v[1], v[2]);
    }
    return 0;
}
