#include "main/clock/core/ZoneIni.h"

#include "framework/core/IniText.h"

#include "framework/core/StrUtils.h"
#include "main/clock/core/ZoneOffsets.h"

namespace worldclock {

int ParseIniInt(const std::string& text, int minValue, int maxValue, int fallback) {
    const int value = StrToIntDef(text, fallback);
    return value >= minValue && value <= maxValue ? value : fallback;
}

int ParseIniOffset(const std::string& text, int fallback) {
    return ParseIniInt(text, MinZoneOffset, MaxZoneOffset, fallback);
}

int ParseIniCount(const std::string& text, int maxCount, int fallback) {
    // A count out of range still names the entries within it: read as the
    // default, a count of 40 would hide the 32 a list holds, and its next save
    // would write them away.
    const int value = StrToIntDef(text, 0);
    if (value != StrToIntDef(text, 1)) return fallback;
    return value < 0 ? 0 : value > maxCount ? maxCount : value;
}

bool ParseIniFlag(const std::string& text, bool fallback) {
    // Two tries tell a text that parses to the fallback from one that does not.
    const int a = StrToIntDef(text, 0);
    const int b = StrToIntDef(text, 1);
    if (a != b) return fallback;
    return a != 0;
}

LocationNameFault CheckLocationName(const std::string& name, LeadBytePredicate isLead) {
    switch (CheckIniName(name, isLead)) {
    case IniNameFault::None: return LocationNameFault::None;
    case IniNameFault::Empty: return LocationNameFault::Empty;
    case IniNameFault::EdgeBlank: return LocationNameFault::EdgeBlank;
    case IniNameFault::ControlCharacter: return LocationNameFault::ControlCharacter;
    case IniNameFault::ReservedCharacter: return LocationNameFault::ReservedCharacter;
    case IniNameFault::LeadingSemicolon: return LocationNameFault::LeadingSemicolon;
    case IniNameFault::Separator: return LocationNameFault::Separator;
    }
    return LocationNameFault::None;
}

int FindLocationName(const std::vector<std::string>& names, const std::string& name, int exceptIndex,
                     SameNameText same) {
    for (size_t i = 0; i < names.size(); ++i)
        if (static_cast<int>(i) != exceptIndex && same(names[i], name)) return static_cast<int>(i);
    return -1;
}

LocationNameFault ValidateLocationName(const std::string& name, const std::vector<std::string>& names,
                                       int exceptIndex, LeadBytePredicate isLead, SameNameText same) {
    const LocationNameFault fault = CheckLocationName(name, isLead);
    if (fault != LocationNameFault::None) return fault;
    return FindLocationName(names, name, exceptIndex, same) >= 0 ? LocationNameFault::Taken
                                                                 : LocationNameFault::None;
}

std::string LocationNameFaultText(LocationNameFault fault) {
    switch (fault) {
    case LocationNameFault::None: return "";
    case LocationNameFault::Empty: return "Please enter a location name.";
    case LocationNameFault::EdgeBlank: return "A location name cannot begin or end with a blank.";
    case LocationNameFault::ControlCharacter: return "A location name cannot contain tabs or line breaks.";
    case LocationNameFault::ReservedCharacter:
        return "A location name cannot contain \"=\", \"[\" or \"]\".";
    case LocationNameFault::LeadingSemicolon: return "A location name cannot begin with \";\".";
    case LocationNameFault::Separator: return "\"-\" cannot be used as a location name.";
    case LocationNameFault::Taken: return "The location name you specified already exist!";
    }
    return "";
}

}  // namespace worldclock
