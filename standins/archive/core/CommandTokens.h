// How the archiver DLLs read the one command line string they are handed.
// The archive library quotes folders as "C:\data\", so a backslash never
// escapes a quote here, and an empty "" stands for "no base folder" and is
// kept. zip.exe and the self-extractors take the C runtime's argv instead.
#pragma once
#include <string>
#include <vector>

namespace archivers {

struct CommandToken {
    std::string text;
    bool quoted = false;  // any part of it was inside quotes
};

// Blanks and tabs separate tokens outside quotes; each `"` toggles quoting
// and is dropped. An unterminated quote runs to the end of the line.
std::vector<CommandToken> TokenizeCommand(const std::string& line);

// Only an unquoted leading "-" makes an option: "-x" quoted is a name.
inline bool IsOption(const CommandToken& t) { return !t.quoted && !t.text.empty() && t.text[0] == '-'; }
// "@list" names a response file, quoted or not.
inline bool IsResponseFile(const CommandToken& t) { return !t.text.empty() && t.text[0] == '@'; }

// The names in a response file: one a line, ending in CR LF or LF. Blank
// lines are skipped and nothing in a line is an option; a line holding a NUL
// cannot name a file and is dropped.
std::vector<std::string> ParseResponseList(const std::string& bytes);
// Response files larger than this are refused rather than read.
constexpr std::size_t kMaxResponseFile = 16u << 20;

}  // namespace archivers
