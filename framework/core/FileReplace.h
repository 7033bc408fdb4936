// The two steps of rewriting a file that differ by platform. The rest (a
// temporary file beside the target, every write and the close checked)
// lives with the callers and is the same everywhere.
#pragma once
#include <cstdio>
#include <string>

// Opens `path` for binary writing only when no file or folder of that name
// exists yet, so that a name picked for a temporary file never takes the
// place of one a user keeps there; nullptr otherwise.
std::FILE* CreateNewFile(const std::string& path);

// Puts the complete file `source` in the place of `target`, replacing it, and
// false when it could not: `target` then keeps its old content.
bool ReplaceFileWith(const std::string& target, const std::string& source);
