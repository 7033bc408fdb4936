#include "ShellPath.h"

#include <cstring>

bool NoLeadBytes(unsigned char) { return false; }

namespace {

// Calls visit(position) for the first byte of every character. A lead byte
// at the very end has no trail and counts as a character of its own.
template <class Visit>
void ForEachChar(const std::string& path, LeadBytePredicate isLead, Visit visit) {
    for (std::size_t i = 0; i < path.size();) {
        visit(i);
        i += (isLead(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) ? 2 : 1;
    }
}

}  // namespace

std::size_t LastDelimiter(const std::string& path, const char* delimiters, LeadBytePredicate isLead) {
    std::size_t last = std::string::npos;
    ForEachChar(path, isLead, [&](std::size_t i) {
        if (path[i] != '\0' && std::strchr(delimiters, path[i]) != nullptr) last = i;
    });
    return last;
}

std::string ExtractFileDir(const std::string& path, LeadBytePredicate isLead) {
    // Where each character starts, to know what directly precedes the cut.
    std::size_t last = std::string::npos;
    std::size_t beforeLast = std::string::npos;
    std::size_t previous = std::string::npos;
    ForEachChar(path, isLead, [&](std::size_t i) {
        if (path[i] == '\\' || path[i] == ':') {
            last = i;
            beforeLast = previous;
        }
        previous = i;
    });
    if (last == std::string::npos) return std::string();
    // The character before the cut is a whole character, possibly double-byte,
    // so only a real colon or backslash keeps a root's backslash.
    const bool keepBackslash = beforeLast == std::string::npos || path[beforeLast] == ':' || path[beforeLast] == '\\';
    if (path[last] == '\\' && !keepBackslash) return path.substr(0, last);
    return path.substr(0, last + 1);
}

std::string ExtractFileExt(const std::string& path, LeadBytePredicate isLead) {
    const std::size_t dot = LastDelimiter(path, ".\\/:", isLead);
    if (dot == std::string::npos || path[dot] != '.') return std::string();
    return path.substr(dot);
}
