// The table of known programs the software search files found programs by:
// an index of 27 little-endian offsets by first letter ("qapp.idx") into
// records of "NAME.EXE d Display name\0" ("qapp.dat"). The reader takes both
// as untrusted bytes; the builder makes them from a readable text source.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/LeadBytes.h"
#include "main/bar/core/ZipEntries.h"

namespace bar {

constexpr size_t kKnownIndexSize = 108;  // 27 offsets; entry 0 is never used
constexpr size_t kMaxKnownRecord = 255;  // the zero byte included

struct KnownProgram {
    char digit;        // '1' to '9'
    std::string name;  // the display name
};

// Every record for `fileName` (compared without regard to ASCII case on the
// record's first length-of-name bytes). An index shorter than 108 bytes, an
// offset of 0 and a name that starts with no letter find nothing; a record
// whose digit or display name lies outside it, or whose name would break an
// INI key, files nothing. Reads never go past the end of `records`.
std::vector<KnownProgram> LookupKnownProgram(const std::string& index, RandomAccessBytes& records,
                                             const std::string& fileName);

// Reads of the records through a span of them held in memory: the records of
// one letter lie together, so most lookups read nothing more of the file. The
// span moves wherever a read needs it, to the records' end.
class KnownRecordWindow : public RandomAccessBytes {
public:
    explicit KnownRecordWindow(RandomAccessBytes& records, std::size_t span = 1 << 16) : records_(records), span_(span) {}
    std::uint64_t Size() const override { return records_.Size(); }
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override;

private:
    RandomAccessBytes& records_;
    std::size_t span_;
    std::uint64_t start_ = ~std::uint64_t(0);  // nothing held yet
    std::string bytes_;                        // the records from start_ on
};

// The fixed group a category digit files into ("appDoc" .. "appMisc"), or null.
const char* SectionForDigit(char digit);

// A display name that comes back from "mivora.ini" as written, as a key.
bool IsKnownProgramName(const std::string& name);

struct KnownProgramLine {
    std::string file;  // "NOTEPAD.EXE"
    char digit;
    std::string name;
};

// The text source: one program a line, "FILE.EXE | digit | Display name";
// blank lines and lines starting with "#" are skipped. False with `error`
// naming the line of the first fault.
bool ParseKnownProgramSource(const std::string& text, std::vector<KnownProgramLine>& lines, std::string& error);

struct KnownProgramFiles {
    std::string index;
    std::string records;
};
// Both files for the lines (already checked by the parser): the records of
// one letter together, in source order within it, after a filler byte so no
// letter starts at offset 0.
KnownProgramFiles BuildKnownProgramFiles(const std::vector<KnownProgramLine>& lines);

// A found entry the Start menu names: its key becomes the shortcut's name and
// its path the shortcut's target.
struct FoundAppRename {
    std::string oldKey, newKey, newPath;
};
// For each (key, path) of a group section in order: the first shortcut whose
// target has the same file name (ASCII case aside) as the path.
std::vector<FoundAppRename> PlanFoundAppRenames(const std::vector<std::pair<std::string, std::string>>& entries,
                                                const std::vector<std::string>& linkNames,
                                                const std::vector<std::string>& linkTargets,
                                                LeadBytePredicate isLead);

}  // namespace bar
