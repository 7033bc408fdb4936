// Names the shortcut dialog proposes and writes.
#pragma once
#include <string>

#include "framework/core/MbcsPath.h"

namespace splitjoin {

// The display name cut at its last "." when that dot is not the first
// character: app.exe -> app, my.report.doc -> my.report, .profile stays.
std::string TitleFromDisplayName(const std::string& displayName, LeadBytePredicate isLead);

// location + "\" (unless it ends in one) + title, plus ".lnk" unless the last
// four characters are ".LNK" in any case.
std::string LinkFileName(const std::string& location, const std::string& title, LeadBytePredicate isLead);

}  // namespace splitjoin
