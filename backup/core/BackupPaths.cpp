#include "backup/core/BackupPaths.h"

namespace backup {

bool EndsWithBackslash(const std::string& path, LeadBytePredicate isLead) {
    const std::size_t pos = LastCharPos(path, '\\', isLead);
    return pos != std::string::npos && pos + 1 == path.size();
}

std::string WithBackslash(const std::string& path, LeadBytePredicate isLead) {
    return EndsWithBackslash(path, isLead) ? path : path + "\\";
}

std::string WithoutBackslash(const std::string& path, LeadBytePredicate isLead) {
    return EndsWithBackslash(path, isLead) ? path.substr(0, path.size() - 1) : path;
}

bool IsDriveRoot(const std::string& path) {
    return (path.size() == 2 || (path.size() == 3 && path[2] == '\\')) && path[1] == ':';
}

std::string LastFolderName(const std::string& path, LeadBytePredicate isLead) {
    if (IsDriveRoot(path)) return std::string();
    const std::string name = NameAfterLastBackslash(WithoutBackslash(path, isLead), isLead);
    return name.empty() ? name : name + "\\";
}

std::string ParentFolder(const std::string& path, LeadBytePredicate isLead) {
    if (IsDriveRoot(path)) return WithBackslash(path, isLead);
    return FolderWithBackslash(WithoutBackslash(path, isLead), isLead);
}

RestorePaths RestoreFor(const std::string& source, const std::string& destination, LeadBytePredicate isLead) {
    // A typed "D:\bk" must give D:\bk\proj\, not D:\bkproj\.
    return {WithBackslash(destination, isLead) + LastFolderName(source, isLead), ParentFolder(source, isLead)};
}

namespace {
std::string FolderKey(const std::string& path, LeadBytePredicate isLead) {
    return LowerAsciiMbcs(WithBackslash(path, isLead), isLead);
}
}  // namespace

bool SameFolder(const std::string& a, const std::string& b, LeadBytePredicate isLead) {
    return FolderKey(a, isLead) == FolderKey(b, isLead);
}

bool FolderWithin(const std::string& inner, const std::string& outer, LeadBytePredicate isLead) {
    const std::string in = FolderKey(inner, isLead);
    const std::string out = FolderKey(outer, isLead);
    return in.compare(0, out.size(), out) == 0;
}

bool TargetInsideSource(const std::string& source, const std::string& destination, LeadBytePredicate isLead) {
    return FolderWithin(WithBackslash(destination, isLead) + LastFolderName(source, isLead), source, isLead);
}

PathProblem CheckRunPaths(const std::string& source, const std::string& destination, const FolderExistsFn& folderExists,
                          LeadBytePredicate isLead) {
    if (source.empty()) return PathProblem::SourceEmpty;
    if (destination.empty()) return PathProblem::DestinationEmpty;
    if (SameFolder(source, destination, isLead)) return PathProblem::SamePaths;
    if (TargetInsideSource(source, destination, isLead)) return PathProblem::DestinationInsideSource;
    // A file passes an existence test but gives the engine nothing to walk.
    if (!folderExists(source)) return PathProblem::SourceMissing;
    if (!folderExists(destination)) return PathProblem::DestinationMissing;
    return PathProblem::None;
}

const char* PathProblemText(PathProblem problem) {
    switch (problem) {
        case PathProblem::SourceEmpty:
        case PathProblem::DestinationEmpty: return "Please input a path name. ";
        case PathProblem::SamePaths: return "Please input different path name. ";
        case PathProblem::DestinationInsideSource: return "Source path can't include destination path. ";
        case PathProblem::SourceMissing: return "The source path don't exist. ";
        case PathProblem::DestinationMissing: return "The destination path don't exist. ";
        case PathProblem::None: break;
    }
    return "";
}

PathField PathProblemField(PathProblem problem) {
    return problem == PathProblem::SourceEmpty || problem == PathProblem::SourceMissing ? PathField::Source
                                                                                        : PathField::Destination;
}

}  // namespace backup
