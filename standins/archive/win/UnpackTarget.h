// The folder an archive is unpacked into, and the only road by which
// anything is written there. Every member's name goes through the
// sanitiser first, so nothing an archive holds can land outside the folder.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "standins/archive/win/ArchiverFiles.h"
#include "standins/archive/core/ArchiverCommands.h"
#include "standins/archive/win/ArchiverReport.h"

namespace archivers {

struct TargetOptions {
    std::string folder;                 // "" is the current folder
    bool keepPaths = true;
    bool onlyNewer = false;             // keep a local file that is as new as the member or newer
    bool list = true;                   // name each file unpacked in the report
    std::vector<std::string> patterns;  // members asked for; none asks for all
};

class UnpackTarget {
public:
    UnpackTarget(TargetOptions options, ArchiverReport& report) : options_(std::move(options)), report_(report) {}
    // Whatever has not taken its place by now never will: no temporary file stays.
    ~UnpackTarget();
    UnpackTarget(const UnpackTarget&) = delete;
    UnpackTarget& operator=(const UnpackTarget&) = delete;
    // Makes the folder with its parents.
    bool Open();
    // The file a member's data is written to, open; null when the member is
    // to be skipped: not asked for, not newer, or refused (then reported).
    // Where a file of its name is there, it is a temporary file beside it,
    // so that the file stays untouched until the member has passed its checks.
    OutputFile* BeginFile(const std::string& name, const FILETIME& time);
    // Closes the member's file with its time. One whose data passed its
    // checks takes its place (or waits for Commit while held); any other is
    // removed, and what was there stays as it was.
    void EndFile(bool dataOk);
    // A folder member: made when paths are kept.
    void Folder(const std::string& name);
    // From now on, finished members wait under their temporary names until
    // Commit or Discard: a compressed stream is checked only at its end.
    void Hold() { holding_ = true; }
    // Puts every waiting member in its place, in archive order.
    void Commit();
    // Removes every waiting member's file (a temporary one, or one whose name was new).
    void Discard();

private:
    struct Member {
        std::string temp, path, relative;  // no temp: written in place, the name being new
        FILETIME time{};
    };
    static const std::string& Written(const Member& m) { return m.temp.empty() ? m.path : m.temp; }
    // The member's path below the folder; false when refused or not asked for.
    bool Place(const std::string& name, bool folder, std::string& relative);
    bool CreateTemp(const std::string& path, std::string& temp);
    void PutInPlace(const Member& m);
    TargetOptions options_;
    ArchiverReport& report_;
    OutputFile file_;  // one for every member, its buffer made once
    Member current_;
    std::vector<Member> held_;
    bool holding_ = false;
    std::string lastFolder_;
    unsigned tempNumber_ = 0;
};

// The names of `arguments` with those of every response file among them.
bool ExpandNames(const std::vector<NameArgument>& arguments, std::vector<std::string>& names,
                 ArchiverReport& report);
// The first steps of every unpacking: the members asked for into the
// options' patterns, and the archive opened; false after reporting why not.
bool StartUnpack(const std::string& archive, const std::vector<NameArgument>& names, TargetOptions& options,
                 InputFile& file, ArchiverReport& report);

}  // namespace archivers
