// What Pelmit asks the shell and the file system: the dropped-file list,
// folder tests, path normalisation, folder listings and error texts.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "dialogkit/FileRoutines.h"

namespace splitjoin {

using dialogkit::ReadDropList;

// The shell's folder attribute of an item.
bool IsShellFolder(const std::string& path);

using dialogkit::NormalisedPath;
bool SamePath(const std::string& a, const std::string& b);
// The same path, or two names of one file (a hard link, another drive letter
// or share for the same folder): compared by volume and file index.
bool SameFile(const std::string& a, const std::string& b);

// Files (not folders) whose full paths start with `prefix`, which ends in a
// partial file name: C:\d\movie. lists C:\d\movie.001, C:\d\movie.avi, ...
std::vector<std::string> FilesStartingWith(const std::string& prefix);

// The system's text for an error code, without a trailing line break.
std::string SystemErrorText(DWORD code);

// An absolute form of a folder typed by the user: a relative one is taken
// from `base`, not from the process's current folder.
std::string AbsoluteFolder(const std::string& folder, const std::string& base);

}  // namespace splitjoin
