// The platform-free half of CreateDirectoryTree.
#pragma once
#include <string>

#include "framework/core/MbcsPath.h"

namespace dialogkit {

// The folder above `path`: the path less its last character, cut before the
// last "\" of what remains. "C:\a\b\" and "C:\a\b" both give "C:\a"; "C:\"
// gives "". An empty path gives "" (no index before the start).
std::string DirTreeParent(const std::string& path, LeadBytePredicate isLead);

}  // namespace dialogkit
