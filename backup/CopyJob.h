// One backup or restore run with its progress dialog, then one summary of
// the files that could not be copied and of what the run passed over. One
// run at a time in the library: a scheduled run or a button that comes while
// a run is going on starts none.
#pragma once
#include <windows.h>

#include <string>

#include "backup/core/CopyEngine.h"

namespace backup {

// False without running when another run is going on.
bool RunCopyJob(const CopyRequest& request, HWND owner, CopyOutcome& outcome);
bool CopyRunActive();

// The other road: the shell copies the source's contents into the folder of
// its name under the destination and asks its own questions. Without
// subfolders only the top folder's files go.
void ShellCopyFolder(const std::string& source, const std::string& destination, HWND owner, bool includeSubfolders);
// The shell road as a run of the library: its questions and progress run a
// modal loop too, in which no other run may start. False when one is going on.
bool RunShellCopyJob(const std::string& source, const std::string& destination, HWND owner, bool includeSubfolders);

// The question before a missing destination folder is made.
bool AskCreateFolder(const std::string& folder);

}  // namespace backup
