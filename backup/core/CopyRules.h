// The per-file decisions of a backup or restore run.
#pragma once
#include <cstdint>
#include <string>

#include "dialogkit/core/EngineFiles.h"
#include "framework/core/LeadBytes.h"

namespace backup {

// Which side of a file pair is the live one: the source on a backup, the
// destination on a restore. Set by the kind of run, never by what the window
// happens to show.
enum class CopyDirection { Backup, Restore };

// Extension filter modes: 0 every file, 1 only listed extensions, 2 all but
// listed ones. The extension runs from the first "." ("a.tar.gz" has
// ".tar.gz"; a name without one has ".*") and is looked for as a
// case-sensitive substring of the list.
bool MatchExtensionFilter(const std::string& name, int mode, const std::string& list);

enum class FileDecision {
    Skip = -1,
    Copy = 1,    // the destination has the file, and it is to be replaced
    Absent = 2,  // the destination has no such file
};
// `existing` is the destination's file of that name, nullptr when none.
// Times count in whole seconds. With compare mode 1 a file is replaced only
// when its live side is not older than its backup side, whichever way the run goes.
FileDecision CompareFileState(const FileStat& source, const FileStat* existing, bool skipIdentical, int compareMode,
                              CopyDirection direction);

// "Overwrite all files" (0), "Modified files only" (1), "Need confirmation" (2).
struct CompareSettings {
    int compareMode = 0;
    bool skipIdentical = false;
    bool confirmReplacements = false;
};
CompareSettings SettingsForOperation(int fileOperation);

// What the replace question shows of a file.
struct FileFacts {
    std::uint64_t size = 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
// Kilobytes as the question shows them: at least 1, also for an empty file.
std::uint64_t SizeInKB(std::uint64_t bytes);
// Fills the question's "%s" (header) or its fourteen "%d" (details: the
// existing file's size and time, then the new one's). Numbers are unsigned
// 64-bit, so files past 2 GiB show their true size.
std::string FormatReplaceHeader(const std::string& format, const std::string& sourcePath, LeadBytePredicate isLead);
std::string FormatReplaceDetail(const std::string& format, const FileFacts& existing, const FileFacts& replacement);

}  // namespace backup
