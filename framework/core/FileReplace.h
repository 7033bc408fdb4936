// Rewriting a file without ever leaving it half written: the new content
// goes to a file of its own beside the old one, which it replaces only once
// every write and the close have succeeded. Beside, not in the temporary
// folder, so that the replacing step stays on one drive.
#pragma once
#include <cstdio>
#include <functional>
#include <string>

#include "framework/core/LeadBytes.h"

enum class RewriteResult {
    Written,
    CannotCreate,  // no new file could be made beside the target
    CannotWrite,   // a write, the close or the replacing step failed
};

// Writes `target` anew through `write`, which gets the new file and answers
// false when it could not fill it. The new file is named after the target
// with ".tmp" (".tmp1" and on where that name is taken: a file a user keeps
// there is never touched). On any failure the target keeps its old content
// and the new file is gone.
RewriteResult WriteFileReplacing(const std::string& target, const std::function<bool(std::FILE*)>& write);

// The name of a file that takes the place of `targetName` only once it is
// complete: `stem`, four digits and ".tmp", or "~" and base-36 digits where
// the target's name has fewer characters, so that the temporary path is never
// longer than the target's (a target near the path limit is still replaced).
// `number` picks among the names; a one-character target has one name only.
std::string TemporaryNameBeside(const std::string& targetName, const char* stem, unsigned number,
                                LeadBytePredicate isLead);

// The two steps that differ by platform.

// Opens `path` for binary writing only when no file or folder of that name
// exists yet, so that a name picked for a temporary file never takes the
// place of one a user keeps there; nullptr otherwise, with errno EEXIST when
// the name is taken.
std::FILE* CreateNewFile(const std::string& path);

// Puts the complete file `source` in the place of `target`, replacing it, and
// false when it could not: `target` then keeps its old content.
bool ReplaceFileWith(const std::string& target, const std::string& source);
