// The folder an archive is unpacked into, and the only road by which
// anything is written there. Every member's name goes through the
// sanitiser first, so nothing an archive holds can land outside the folder.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ArchiverFiles.h"
#include "ArchiverCommands.h"
#include "ArchiverReport.h"

struct UnpackOptions {
    std::string folder;                 // "" is the current folder
    bool keepPaths = true;
    bool onlyNewer = false;             // keep a local file that is as new as the member or newer
    bool list = true;                   // name each file unpacked in the report
    std::vector<std::string> patterns;  // members asked for; none asks for all
};

class UnpackTarget {
public:
    UnpackTarget(UnpackOptions options, ArchiverReport& report) : options_(std::move(options)), report_(report) {}
    // Makes the folder with its parents.
    bool Open();
    // The file a member is written to, open; null when the member is to be
    // skipped: not asked for, not newer, or refused (then reported). One
    // file object serves every member, its buffer made once.
    OutputFile* BeginFile(const std::string& name, const FILETIME& time, std::string& path);
    // Closes the member's file with its time; a member whose data failed is removed.
    void EndFile(const std::string& path, const FILETIME& time, bool dataOk);
    // A folder member: made when paths are kept.
    void Folder(const std::string& name);
    // Removes every file this target has written: for a compressed archive
    // whose checksum fails only at its end, when any of them may be wrong.
    void DiscardWritten();

private:
    // The member's path below the folder; false when refused or not asked for.
    bool Place(const std::string& name, bool folder, std::string& relative);
    UnpackOptions options_;
    ArchiverReport& report_;
    OutputFile file_;
    std::string lastFolder_;
    std::vector<std::string> written_;
};

// The names of `arguments` with those of every response file among them.
bool ExpandNames(const std::vector<NameArgument>& arguments, std::vector<std::string>& names,
                 ArchiverReport& report);
