// Path scanning for multi-byte ANSI strings, for every deliverable. In code
// page 932 the trail byte of a double-byte character can be 0x5C ("\"), so a
// plain byte search for "\" or "." can land inside a character and cut a
// Japanese path in two. Every search here walks the string from its start, stepping
// over whole characters; the caller supplies the lead-byte test of the code
// page in use (the system's on Windows, a table in tests).
#pragma once
#include <cstddef>
#include <string>

#include "framework/core/LeadBytes.h"

// No lead bytes: every byte is a character of its own.
bool SingleByteCodePage(unsigned char byte);

// Position of the last character `ch` (never a trail byte), npos when none.
std::size_t LastCharPos(const std::string& text, char ch, LeadBytePredicate isLead);
// Position of the last "." that comes after the last "\", npos when none.
std::size_t ExtensionDotPos(const std::string& path, LeadBytePredicate isLead);
// The text after the last "\" (all of it without one).
std::string NameAfterLastBackslash(const std::string& path, LeadBytePredicate isLead);
// The path up to and including its last "\" ("" without one).
std::string FolderWithBackslash(const std::string& path, LeadBytePredicate isLead);
// The path less its extension, cut at the last "." when that dot comes after
// the last "\"; otherwise the whole path.
std::string CutExtension(const std::string& path, LeadBytePredicate isLead);
// The file name without folder and extension, split as the C runtime's
// _splitpath does: the folder ends at the last "\" or "/" (or a drive's ":"),
// the extension starts at the last "." of what follows.
std::string SplitPathBaseName(const std::string& path, LeadBytePredicate isLead);
// Lower-cases ASCII letters only, leaving trail bytes of double-byte characters
// untouched (a trail byte may be an ASCII capital).
std::string LowerAsciiMbcs(const std::string& text, LeadBytePredicate isLead);
// The path in lines of at most `width` bytes (width 2 or more), for a message
// box, which wraps text at blanks only: a line ends after its last "\" when it
// has one, otherwise at the width, never inside a double-byte character.
std::string WrapPathLines(const std::string& path, std::size_t width, LeadBytePredicate isLead);
// Blanks (spaces and tabs) removed from both ends.
std::string TrimBlanks(const std::string& text);

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
// The path with `extension` added when its last component has none, as the
// archivers name an archive given without one.
std::string WithDefaultExtension(const std::string& path, const std::string& extension, LeadBytePredicate isLead);
