// File-system routines the tool libraries share.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace dialogkit {

// True when `path` names an existing file or folder.
bool FileExists(const std::string& path);
// True for a folder only, not for a file of that name.
bool FolderExists(const std::string& path);

// The full, long form of a path, for comparing two spellings of one file or
// folder ("..", short names).
std::string NormalisedPath(const std::string& path);

// Creates the folder and every missing folder above it. An existing folder
// is success; an existing file of that name is not.
bool CreateDirectoryTree(const std::string& path);

// Loads an outside component by full path: from this library's own folder,
// else from the system folder. Never by bare name, whose search would also
// take a copy from the calling program's current folder (Explorer's, when
// the libraries run inside it). Null when neither holds it.
HMODULE LoadOutsideLibrary(const std::string& fileName);
// The full path of an outside component by the same rule; "" when neither
// folder holds it.
std::string FindOutsideFile(const std::string& fileName);

// The items of a dropped-file list, in order. Items the ANSI file calls cannot
// take (MAX_PATH or longer) are left out rather than cut to another name;
// with `tooLong`, they are collected there.
std::vector<std::string> ReadDropList(HDROP drop, std::vector<std::string>* tooLong = nullptr);

}  // namespace dialogkit
