// File-system routines the tool libraries share.
#pragma once
#include <string>

namespace dialogkit {

// True when `path` names an existing file or folder.
bool FileExists(const std::string& path);

// Creates the folder and every missing folder above it. An existing folder
// is success; an existing file of that name is not.
bool CreateDirectoryTree(const std::string& path);

}  // namespace dialogkit
