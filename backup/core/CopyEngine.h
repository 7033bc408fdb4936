// The copy engine of a backup or restore run: mirrors a source folder as a
// folder of the same name inside the destination (a drive root's contents go
// straight in), by the run's filter and comparison rules. It counts first,
// then copies, so that progress has a total.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "backup/core/CopyRules.h"
#include "dialogkit/core/EngineFiles.h"
#include "framework/core/LeadBytes.h"

namespace backup {

struct CopyRequest {
    CopyRequest() = default;
    CopyRequest(std::string from, std::string to, bool subfolders = true, int operation = 1, int filterMode = 0,
                std::string filterList = std::string(), CopyDirection way = CopyDirection::Backup)
        : source(std::move(from)),
          destination(std::move(to)),
          includeSubfolders(subfolders),
          fileOperation(operation),
          extMode(filterMode),
          extList(std::move(filterList)),
          direction(way) {}

    std::string source;
    std::string destination;
    bool includeSubfolders = true;
    int fileOperation = 1;  // see SettingsForOperation
    int extMode = 0;
    std::string extList;
    CopyDirection direction = CopyDirection::Backup;
};

enum class ReplaceAnswer { Yes, No, All };

class CopyEvents : public EngineEvents {
public:
    void Item(std::uint64_t) override {}
    // The file about to be copied.
    virtual void CurrentFile(const std::string&, const std::string&) {}
    // The destination folder is missing: may it be made?
    virtual bool CreateDestination(const std::string&) { return true; }
    // Asked before replacing a file on a run that confirms replacements.
    virtual ReplaceAnswer ConfirmReplace(const std::string&, const std::string&) { return ReplaceAnswer::Yes; }
};

enum class CopyStatus {
    Done,
    Stopped,
    TargetInsideSource,  // refused before touching anything
    NoSource,            // the source is no folder (any more)
    NoDestination,       // missing and not made, or a file
    NotStarted,          // no worker could run it
};

struct CopyFailure {
    std::string path;
    int error = 0;  // the system's code, 0 when unknown
    // Set when the earlier copy is gone and the new one could not take its
    // name: the new data is kept under this temporary name instead.
    std::string keptAs = std::string();
};

// What a run leaves out on purpose, and tells the user about.
enum class PassedOverKind {
    FolderLink,      // a junction or symbolic link to a folder
    FolderSeen,      // a folder the run has been in already, reached again
    LetterCaseTwin,  // its name differs from another's in its folder only in letter case
};
struct PassedOver {
    std::string path;  // a folder's with its "\"
    PassedOverKind kind;
};

struct CopyOutcome {
    CopyStatus status = CopyStatus::Done;
    std::uint64_t toCopy = 0;
    std::uint64_t copied = 0;  // only the files that arrived complete
    std::vector<CopyFailure> failures;
    std::vector<PassedOver> passedOver;
};

// A replaced file is written under a temporary name beside it and swapped
// in only when complete, with its time and attributes; a new file is removed
// again when it cannot be completed. So a failed or cancelled copy never
// leaves a partial file or loses the old backup copy. The stop signal is
// looked at before each entry and every kStopCheckBytes within a file.
// Failures are collected and the run goes on. Folder links, folders reached
// a second time and names that would land on one backup copy are passed
// over and listed, on every run.
CopyOutcome RunCopy(EngineFiles& files, const CopyRequest& request, CopyEvents& events, LeadBytePredicate isLead);

}  // namespace backup
