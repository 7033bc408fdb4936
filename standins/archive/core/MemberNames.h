// Names inside archives. A member's name comes from whoever made the archive,
// so it is turned into a place inside the target folder or refused: nothing
// an archive holds may climb out of the folder it is unpacked into. Names of
// files being packed become the portable stored form. Every scan steps over
// whole characters, since a double-byte character may end in "\".
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "framework/core/LeadBytes.h"
#include "framework/core/MbcsPath.h"

namespace archivers {

// Components of a path separated by "\" or "/"; empty ones are dropped.
std::vector<std::string> SplitComponents(const std::string& path, LeadBytePredicate isLead);

// Where a member goes below the target folder: components joined with "\".
// An empty path with `folder` set is the target folder itself ("./").
struct MemberPath {
    std::string path;
    bool folder = false;
};

// Refuses absolute names, drive letters and every other ":", "..", names
// Windows would quietly change (trailing dots and blanks), characters no
// file name may hold, and device names such as NUL or COM1.
std::optional<MemberPath> SafeMemberPath(const std::string& raw, LeadBytePredicate isLead, std::string& why);

// The stored form of a path: no drive, no leading separators, no "." or
// ".." components, "/" between the rest.
std::string StoredName(const std::string& path, LeadBytePredicate isLead);

// "*" and "?" over whole characters, ASCII letters in either case; "*.*"
// matches every name, dotted or not, as on DOS. "[" is an ordinary character.
bool MatchWildcard(const std::string& pattern, const std::string& name, LeadBytePredicate isLead);
bool HasWildcard(const std::string& text);

// Whether a member named `path` ("\"-joined) is asked for: a pattern with a
// folder in it is matched against the whole path, one without against the
// name alone. No patterns ask for everything.
bool WantedMember(const std::vector<std::string>& patterns, const std::string& path, LeadBytePredicate isLead);

// The last component of a path ("" when it ends in a separator).
std::string LastComponent(const std::string& path, LeadBytePredicate isLead);

}  // namespace archivers
