#include "standins/archive/core/MemberNames.h"

namespace archivers {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Length of the character at text[i]: 2 for a lead byte with its trail.
// No double-byte code page has trail bytes below 0x40, so a lead byte before
// ":", "/", "." or a control character stands alone and cannot hide it.
std::size_t CharLength(const std::string& text, std::size_t i, LeadBytePredicate isLead) {
    return isLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) >= 0x40
               ? 2
               : 1;
}

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsDeviceName(const std::string& component) {
    std::string base = component.substr(0, component.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (char& c : base) c = UpperAscii(c);
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" || base == "CONOUT$")
        return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) && base[3] >= '1' &&
           base[3] <= '9';
}

// Why a component cannot be a file name inside the target; empty when it can.
std::string ComponentFault(const std::string& c, LeadBytePredicate isLead) {
    if (c == "..") return "climbs out of the target folder";
    for (std::size_t i = 0; i < c.size(); i += CharLength(c, i, isLead)) {
        const unsigned char b = static_cast<unsigned char>(c[i]);
        if (CharLength(c, i, isLead) == 2) continue;
        if (b == ':') return "names a drive or stream";
        if (b < 0x20 || b == '<' || b == '>' || b == '"' || b == '|' || b == '?' || b == '*')
            return "holds a character no file name may have";
    }
    if (c.back() == '.' || c.back() == ' ') return "ends in a dot or blank";
    if (IsDeviceName(c)) return "names a device";
    return std::string();
}

}  // namespace

std::vector<std::string> SplitComponents(const std::string& path, LeadBytePredicate isLead) {
    std::vector<std::string> parts;
    std::string current;
    for (std::size_t i = 0; i < path.size();) {
        const std::size_t n = CharLength(path, i, isLead);
        if (n == 1 && IsSeparator(path[i])) {
            if (!current.empty()) parts.push_back(current);
            current.clear();
        } else {
            current.append(path, i, n);
        }
        i += n;
    }
    if (!current.empty()) parts.push_back(current);
    return parts;
}

std::optional<MemberPath> SafeMemberPath(const std::string& raw, LeadBytePredicate isLead, std::string& why) {
    if (raw.empty()) {
        why = "empty name";
        return std::nullopt;
    }
    if (IsSeparator(raw[0])) {
        why = "absolute name";
        return std::nullopt;
    }
    MemberPath result;
    for (std::size_t i = 0; i < raw.size(); i += CharLength(raw, i, isLead))
        result.folder = CharLength(raw, i, isLead) == 1 && IsSeparator(raw[i]);
    for (const std::string& c : SplitComponents(raw, isLead)) {
        if (c == ".") continue;
        const std::string fault = ComponentFault(c, isLead);
        if (!fault.empty()) {
            why = "\"" + c + "\" " + fault;
            return std::nullopt;
        }
        if (!result.path.empty()) result.path += '\\';
        result.path += c;
    }
    if (result.path.empty() && !result.folder) {
        why = "no file name";
        return std::nullopt;
    }
    return result;
}

std::string StoredName(const std::string& path, LeadBytePredicate isLead) {
    std::size_t start = 0;
    if (path.size() >= 2 && path[1] == ':' && UpperAscii(path[0]) >= 'A' && UpperAscii(path[0]) <= 'Z') start = 2;
    std::string stored;
    for (const std::string& c : SplitComponents(path.substr(start), isLead)) {
        if (c == "." || c == "..") continue;
        if (!stored.empty()) stored += '/';
        stored += c;
    }
    return stored;
}

bool HasWildcard(const std::string& text) { return text.find_first_of("*?") != std::string::npos; }

bool MatchWildcard(const std::string& pattern, const std::string& name, LeadBytePredicate isLead) {
    if (pattern == "*.*") return true;
    std::size_t p = 0, n = 0;
    std::size_t starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        const std::size_t nl = CharLength(name, n, isLead);
        if (p < pattern.size()) {
            const std::size_t pl = CharLength(pattern, p, isLead);
            if (pl == 1 && pattern[p] == '*') {
                starP = ++p;
                starN = n;
                continue;
            }
            const bool same = pl == nl && (pl == 1 ? UpperAscii(pattern[p]) == UpperAscii(name[n])
                                                   : pattern.compare(p, 2, name, n, 2) == 0);
            if ((pl == 1 && pattern[p] == '?') || same) {
                p += pl;
                n += nl;
                continue;
            }
        }
        if (starP == std::string::npos) return false;
        // Let the last "*" take one more character and try again.
        p = starP;
        starN += CharLength(name, starN, isLead);
        n = starN;
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool WantedMember(const std::vector<std::string>& patterns, const std::string& path, LeadBytePredicate isLead) {
    if (patterns.empty()) return true;
    for (const std::string& pattern : patterns) {
        const std::vector<std::string> parts = SplitComponents(pattern, isLead);
        std::string wanted;
        for (const std::string& c : parts) wanted += (wanted.empty() ? "" : "\\") + c;
        if (MatchWildcard(wanted, parts.size() > 1 ? path : LastComponent(path, isLead), isLead)) return true;
    }
    return false;
}

std::string LastComponent(const std::string& path, LeadBytePredicate isLead) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); i += CharLength(path, i, isLead))
        if (CharLength(path, i, isLead) == 1 && (IsSeparator(path[i]) || path[i] == ':')) start = i + 1;
    return path.substr(start);
}

}  // namespace archivers
