#include "main/components/core/Wilds.h"

namespace components {

namespace {

// Whether Sub matches S at 0-based offset `at`; the caller keeps it in range.
bool SegmentMatchesAt(const std::string& Sub, const std::string& S, std::size_t at) {
    for (std::size_t k = 0; k < Sub.size(); ++k)
        if (Sub[k] != '?' && Sub[k] != S[at + k]) return false;
    return true;
}

}  // namespace

std::size_t WildPos(const std::string& Sub, const std::string& S) {
    if (Sub.empty()) return 0;
    if (Sub.find('?') == std::string::npos) {
        const std::size_t found = S.find(Sub);
        return found == std::string::npos ? 0 : found + 1;
    }
    if (S.size() < Sub.size()) return 0;
    for (std::size_t at = 0; at + Sub.size() <= S.size(); ++at)
        if (SegmentMatchesAt(Sub, S, at)) return at + 1;
    return 0;
}

std::size_t CutAtStar(std::string& S) {
    const std::size_t star = S.find('*');
    if (star == std::string::npos) return 0;
    S.erase(star);
    return star + 1;
}

bool WildcardMatch(const std::string& Name, const std::string& Pattern, bool IgnoreCase,
                   UpperCaseFn UpperCase) {
    if (Pattern == Name) return true;

    std::string pattern = Pattern;
    for (std::size_t run = pattern.find("**"); run != std::string::npos; run = pattern.find("**", run))
        pattern.erase(run, 1);
    if (pattern == "*") return true;

    std::string name = Name;
    if (IgnoreCase) {
        name = UpperCase(std::move(name));
        pattern = UpperCase(std::move(pattern));
    }

    std::size_t j = 0;  // name position
    std::size_t i = 0;  // pattern position
    while (j < name.size() && i < pattern.size()) {
        if (name[j] == pattern[i] || pattern[i] == '?') {
            ++i;
            ++j;
        } else if (pattern[i] == '*') {
            std::string segment = pattern.substr(i + 1);
            const bool isTail = CutAtStar(segment) == 0;
            const std::size_t length = segment.size();
            if (isTail) {
                if (segment.empty()) return true;
                if (name.size() < length) return false;
                return SegmentMatchesAt(segment, name, name.size() - length);
            }
            const std::size_t pos = WildPos(segment, name.substr(j));
            if (pos == 0) return false;
            i += length + 1;
            j += pos - 1 + length;
        } else {
            return false;
        }
    }
    if (j < name.size()) return false;
    if (i < pattern.size()) return pattern.back() == '*';
    return true;
}

}  // namespace components
