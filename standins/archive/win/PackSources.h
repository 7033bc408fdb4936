// What a pack command's names ask for: files, folders and wildcards, relative
// to a base folder or absolute, walked into subfolders on request, each with
// the name it is stored under.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "standins/archive/win/ArchiverFiles.h"
#include "standins/archive/win/ArchiverReport.h"

namespace archivers {

struct SourceItem {
    std::string path;    // on disk
    std::string stored;  // in the archive: "/" between folders, no trailing "/"
    bool folder = false;
    WIN32_FIND_DATAA info{};
};

struct SourceRequest {
    std::string base;              // relative names start here; "" is the current folder
    std::vector<std::string> names;
    bool recurse = false;          // folders and "*.*" bring everything below them
    bool keepPaths = true;         // otherwise only file names are stored, and no folders
    bool shortNames = false;       // stored as 8.3 names
    std::vector<std::string> exclude;  // never packed: the archive itself
};

// The items in walking order, each stored name once. A name that matches
// nothing is reported (the rest are still listed).
std::vector<SourceItem> CollectSources(const SourceRequest& request, ArchiverReport& report);

// What every packer does when its archive or one source fails: the archive
// failure ends the run, a source that failed half-way is cut out again so the
// archive stays whole without it.
class MemberWriter {
protected:
    MemberWriter(OutputFile& out, ArchiverReport& report) : out_(out), report_(report) {}

    bool WriteFailed() {
        report_.Fail(kArchiverCannotWrite, "cannot write the archive");
        return false;
    }
    bool Abandon(const SourceItem& item, std::uint64_t headerAt) {
        if (out_.Failed()) return WriteFailed();
        report_.Fail(kArchiverCannotRead, "cannot read " + item.path);
        return out_.Seek(headerAt) && out_.Truncate() ? true : WriteFailed();
    }

    OutputFile& out_;
    ArchiverReport& report_;
};

}  // namespace archivers
