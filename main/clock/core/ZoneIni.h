// Values and names of the clock's INI files ("Zonef.ini" beside the program,
// "Zonefset.ini" in the Windows folder). Both are plain text that anyone may
// edit, and their numbers are read on every clock tick, so a value that is not
// a number or lies out of range gives the caller's default (a count out of
// range its nearest limit): an error raised from the tick would stop start-up
// or stack an error box every second.
#pragma once
#include <string>
#include <vector>

#include "framework/core/LeadBytes.h"

namespace worldclock {

// Decimal text, an optional sign and surrounding blanks, within min..max.
int ParseIniInt(const std::string& text, int minValue, int maxValue, int fallback);
// A stored offset in minutes; beyond one day the date carry would no longer hold.
int ParseIniOffset(const std::string& text, int fallback);
// A count of entries: a number above maxCount reads as maxCount, one below 0
// as 0; the fallback is for text that is no number.
int ParseIniCount(const std::string& text, int maxCount, int fallback);
// A flag is written "1" or "0" and read as set for any number but 0.
bool ParseIniFlag(const std::string& text, bool fallback);

// A location name becomes a key in [Zone], [ZoneMenu] and [ZoneMenuTemp], a
// clock-menu caption and the head of an alarm's location text. These names
// would not come back as typed.
enum class LocationNameFault {
    None,
    Empty,
    EdgeBlank,          // the profile functions trim blanks around keys
    ControlCharacter,   // a line break splits the entry; tabs are trimmed like blanks
    ReservedCharacter,  // "=" splits key from value, "[" starts a section and ends
                        // the name in an alarm's location text, "]" closes one
    LeadingSemicolon,   // the line becomes a comment
    Separator,          // "-" alone is a menu separator that cannot be chosen
    Taken,              // another entry has it in some letter case
};
// The name is read character by character: the trail byte of a double-byte
// character ("\x81\x5B" in code page 932) is no "[".
LocationNameFault CheckLocationName(const std::string& name, LeadBytePredicate isLead);
// Profile keys compare without regard to case as the system compares text,
// accented letters included: the Windows side passes the system's comparison.
using SameNameText = bool (*)(const std::string& a, const std::string& b);
// Position of the entry that has the name, skipping position exceptIndex (the
// entry being renamed); -1 when there is none.
int FindLocationName(const std::vector<std::string>& names, const std::string& name, int exceptIndex,
                     SameNameText same);
// CheckLocationName, then FindLocationName over the entries of the list.
LocationNameFault ValidateLocationName(const std::string& name, const std::vector<std::string>& names,
                                       int exceptIndex, LeadBytePredicate isLead, SameNameText same);
// The message shown for a refused name ("" for None).
std::string LocationNameFaultText(LocationNameFault fault);

}  // namespace worldclock
