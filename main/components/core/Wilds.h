// Wildcard matching of file names against '?' and '*' patterns.
#pragma once
#include <cstddef>
#include <string>

#include "framework/core/StrUtils.h"

namespace components {

// Case folding used when a match ignores case. Windows builds pass a
// locale-aware one (the ANSI code page folds accented letters too); the
// ASCII fold is the platform-free default. It must not change lengths.
using UpperCaseFn = std::string (*)(std::string);

// Whether Name matches Pattern ('?' one character, '*' any run).
// Two results differ from a textbook glob and are relied upon as they are:
// a pattern whose unmatched rest ends in '*' still matches once the name is
// used up ('abc*d*' matches 'abc'), and the text after the last '*' is
// compared with the end of the whole name even where that overlaps what an
// earlier part already matched ('a*ab' matches 'ab').
bool WildcardMatch(const std::string& Name, const std::string& Pattern, bool IgnoreCase,
                   UpperCaseFn UpperCase = UpperCaseAscii);

// 1-based position of the first place where Sub occurs in S, '?' in Sub
// standing for any character; 0 when there is none or Sub is empty.
std::size_t WildPos(const std::string& Sub, const std::string& S);

// Cuts S before its first '*' and gives that 1-based position; 0 (and S
// untouched) when S has no '*'.
std::size_t CutAtStar(std::string& S);

}  // namespace components
