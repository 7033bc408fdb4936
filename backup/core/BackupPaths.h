// The paths of a backup run, in the multi-byte ANSI code page: where a source
// folder lands in the destination, where a restore puts it back, and which
// pairs of folders a run refuses.
#pragma once
#include <functional>
#include <string>

#include "framework/core/MbcsPath.h"

namespace backup {

// True when the path's last character is a "\" (not a double-byte trail byte).
bool EndsWithBackslash(const std::string& path, LeadBytePredicate isLead);
std::string WithBackslash(const std::string& path, LeadBytePredicate isLead);
std::string WithoutBackslash(const std::string& path, LeadBytePredicate isLead);
// "X:" or "X:\".
bool IsDriveRoot(const std::string& path);

// The folder a source lands in under its destination: "proj\" for C:\data\proj
// with or without its "\", "" for a drive root, whose contents go straight
// into the destination.
std::string LastFolderName(const std::string& path, LeadBytePredicate isLead);
// C:\data\proj\ gives C:\data\, C:\proj gives C:\; a drive root stays itself.
std::string ParentFolder(const std::string& path, LeadBytePredicate isLead);
// The default restore of a backup of `source` into `destination`: from the
// folder the backup made, into the folder above the source.
struct RestorePaths {
    std::string from;
    std::string to;
};
RestorePaths RestoreFor(const std::string& source, const std::string& destination, LeadBytePredicate isLead);

// The same folder, ignoring letter case and a trailing "\".
bool SameFolder(const std::string& a, const std::string& b, LeadBytePredicate isLead);
// `inner` is `outer` or lies anywhere below it.
bool FolderWithin(const std::string& inner, const std::string& outer, LeadBytePredicate isLead);
// A run would write into its own source: the folder it fills, destination
// plus LastFolderName(source), is the source or lies inside it. Copying there
// would meet its own output while walking and nest the tree until the path
// limit or the disk ran out.
bool TargetInsideSource(const std::string& source, const std::string& destination, LeadBytePredicate isLead);

// The checks before a run, in the order the user is told about them.
enum class PathProblem {
    None,
    SourceEmpty,
    DestinationEmpty,
    SamePaths,
    DestinationInsideSource,
    SourceMissing,
    DestinationMissing,
};
enum class PathField { Source, Destination };
using FolderExistsFn = std::function<bool(const std::string& path)>;
PathProblem CheckRunPaths(const std::string& source, const std::string& destination, const FolderExistsFn& folderExists,
                          LeadBytePredicate isLead);
const char* PathProblemText(PathProblem problem);
// The edit the focus goes to.
PathField PathProblemField(PathProblem problem);

}  // namespace backup
