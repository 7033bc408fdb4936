// The paths of a dropped-file list (the shell's HDROP), which the tool
// libraries' exports, the context menu and the bar's drop target all read.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

// Every item in order, each whole whatever its length (items the ANSI file
// calls cannot take are the caller's to refuse); none for a null list. The
// list stays the caller's.
std::vector<std::string> DropPaths(HDROP drop);
