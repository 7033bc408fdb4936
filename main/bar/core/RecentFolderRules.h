// Platform-free rules of the recent lists' two other sources: the shell's
// Recent folder (a new shortcut names a document and its folder) and files
// dropped on the bar.
#pragma once
#include <string>
#include <vector>

#include "framework/core/StringList.h"

namespace bar {

// Whether a listed folder covers `path`: an entry longer than 3 characters
// that equals the path's beginning, ignoring case, on a folder boundary, so
// C:\Data covers C:\Data and C:\Data\x but not C:\Data2.
bool IsUnderListedFolder(const std::string& path, const TStringList& list);

// The folder of a file path: "C:\" for a file in a drive root, else without
// the trailing backslash; "" when the path has no folder part.
std::string FolderOfFile(const std::string& path);

struct FolderRecordOptions {
    bool recRoot = false;
    bool recDesktop = false;
    bool recNet = true;
    bool recSubDir = true;
};
// Whether the folder of a recorded document is recorded too: not a drive
// root, the desktop or a network path unless allowed, and not a folder under
// one already listed (recent or locked) unless subfolders are allowed.
bool ShouldRecordFolder(const std::string& folder, const FolderRecordOptions& options, const std::string& desktop,
                        const TStringList& recent, const TStringList& locked);

// The first name of the latest scan that the last scan did not know with the
// same age (names compare exactly); -1 when there is none.
int FirstNewShortcut(const std::vector<std::string>& names, const std::vector<std::string>& ages,
                     const TStringList& knownNames, const TStringList& knownAges);

enum class DropKind { Folder, QuickStart, File };
// A dropped folder goes to the recent folders, a program other than the bar
// itself to the quick-start strip, anything else to the recent files.
DropKind ClassifyDrop(const std::string& path, bool isDirectory);

// The quick-start keys after programs were dropped: each dropped program in
// front (the last dropped first), then the keys there were; a program listed
// twice (ignoring case) keeps only its first place; at most five.
std::vector<std::string> QuickStartAfterDrop(const std::vector<std::string>& dropped,
                                             const std::vector<std::string>& keys);

}  // namespace bar
