// Packing as the pack dialogs do it once the user pressed OK: the list file,
// the archiver's command, the self-extractor, each step checked. Whatever
// fails is told once, in a message box owned by `owner`, and nothing is
// deleted after it: no list is left behind, and an archive is given up for
// its self-extractor only once that is complete.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "archive/core/ArchiveCommandLines.h"

namespace archive {

// The items of a selection, each marked when it is a folder.
std::vector<PackItem> PackItemsOf(const std::vector<std::string>& paths);

// Runs `request`; true when the archive (or its self-extractor) now exists,
// named in `made`. `caption` captions the message box of a failure.
bool RunPack(HWND owner, const PackRequest& request, const std::string& caption, std::string& made);

}  // namespace archive
