// Differential fuzz of WildcardMatch against glibc fnmatch(3).
// Input: name, '\n', pattern. Names never hold '*' (no file name can), and
// patterns hold no '[' or '\', which fnmatch would read as brackets and escapes.
#include <fnmatch.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/core/StrUtils.h"
#include "main/components/core/Wilds.h"

using namespace components;

namespace {

// How the matcher decided, by its own rules, written separately: pattern =
// head *seg1 *seg2 ... *tail. Records whether one of the two results that a
// textbook glob would not give decided the outcome.
struct ModelResult {
    bool match = false;
    bool leftoverStar = false;  // name used up, unmatched pattern rest ends in '*'
    bool tailOverlap = false;   // tail matched text an earlier part had already matched
};

bool SameWithJoker(const std::string& seg, const std::string& name, std::size_t at) {
    if (at + seg.size() > name.size()) return false;
    for (std::size_t k = 0; k < seg.size(); ++k)
        if (seg[k] != '?' && seg[k] != name[at + k]) return false;
    return true;
}

ModelResult Model(const std::string& name, const std::string& rawPattern) {
    ModelResult r;
    if (name == rawPattern) return r.match = true, r;
    std::string pattern;
    for (char c : rawPattern)
        if (!(c == '*' && !pattern.empty() && pattern.back() == '*')) pattern += c;
    if (pattern == "*") return r.match = true, r;

    std::vector<std::string> parts;  // parts[0] = head, the rest follow a '*' each
    std::string current;
    for (char c : pattern) {
        if (c == '*') {
            parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts.push_back(current);
    const bool endsInStar = !pattern.empty() && pattern.back() == '*';
    const std::size_t stars = parts.size() - 1;

    // Name used up with pattern left: a match exactly when the pattern ends
    // in '*'; a textbook glob would also need the rest to be only stars.
    auto nameUsedUp = [&](bool restIsStarsOnly) {
        r.match = endsInStar;
        r.leftoverStar = r.match && !restIsStarsOnly;
        return r;
    };

    const std::string& head = parts[0];
    std::size_t j = 0;
    for (std::size_t k = 0; k < head.size(); ++k, ++j) {
        if (j == name.size()) return nameUsedUp(false);
        if (head[k] != '?' && head[k] != name[j]) return r;
    }
    if (stars == 0) return r.match = j == name.size(), r;

    for (std::size_t m = 1; m <= stars; ++m) {
        if (j == name.size()) return nameUsedUp(m == stars && parts[m].empty());
        const std::string& seg = parts[m];
        if (m == stars) {
            if (seg.empty()) return r.match = true, r;
            if (seg.size() > name.size() || !SameWithJoker(seg, name, name.size() - seg.size())) return r;
            r.match = true;
            r.tailOverlap = name.size() - seg.size() < j;
            return r;
        }
        std::size_t at = j;
        while (at + seg.size() <= name.size() && !SameWithJoker(seg, name, at)) ++at;
        if (at + seg.size() > name.size()) return r;
        j = at + seg.size();
    }
    return r;  // not reached: the last part is always the tail
}

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\n');
    if (split == std::string::npos) return 0;
    std::string name, pattern;
    for (char c : input.substr(0, split))
        if (c != '\0' && c != '*') name += c;
    std::size_t starRuns = 0;
    for (char c : input.substr(split + 1)) {
        if (c == '\0' || c == '[' || c == '\\') continue;
        if (c == '*' && (pattern.empty() || pattern.back() != '*')) ++starRuns;
        pattern += c;
    }
    // fnmatch backtracks over every '*': keep its work bounded.
    if (name.size() > 64 || pattern.size() > 64 || starRuns > 5) return 0;

    const bool matched = WildcardMatch(name, pattern, false);
    const ModelResult model = Model(name, pattern);
    const bool glob = fnmatch(pattern.c_str(), name.c_str(), FNM_NOESCAPE) == 0;

    Check(matched == model.match);
    Check(!glob || matched);                                          // never misses a real match
    Check(!(matched && !glob) || model.leftoverStar || model.tailOverlap);  // extra matches are the two kinds
    if (!model.leftoverStar && !model.tailOverlap) Check(matched == glob);

    // Ignoring case is matching the folded texts.
    Check(WildcardMatch(name, pattern, true) ==
          WildcardMatch(UpperCaseAscii(name), UpperCaseAscii(pattern), false));
    return 0;
}
