// Path pieces as the shell extensions need them, on ANSI text.
//
// In a double-byte code page (932) the trail byte of a character can be 0x5C,
// the backslash, so a byte scan would cut paths in the middle of a
// character. Every routine walks the text character by character, told by
// the caller which bytes lead a double-byte character (IsDBCSLeadByte on
// Windows, a table in tests).
#pragma once
#include <cstddef>
#include <string>

#include "LeadBytes.h"

// No lead bytes: single-byte code pages.
bool NoLeadBytes(unsigned char byte);

// Byte position of the last character of path that is one of delimiters
// (never a trail byte); npos when there is none.
std::size_t LastDelimiter(const std::string& path, const char* delimiters, LeadBytePredicate isLead);

// The folder part of a path: the text before its last backslash or colon.
// A colon stays ("D:X" gives "D:"); the backslash stays only when it directly
// follows a colon or another backslash, so "D:\X" gives the root "D:\" and
// "C:\target\X" gives "C:\target". A path without either gives "".
std::string ExtractFileDir(const std::string& path, LeadBytePredicate isLead);

// The extension of the last path component, from its last "." on (the dot
// included); "" when that component has no dot. Components end at "\",
// "/" and ":".
std::string ExtractFileExt(const std::string& path, LeadBytePredicate isLead);
