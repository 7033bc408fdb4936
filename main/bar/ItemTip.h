// The tip beside an open bar menu: it describes the highlighted file,
// folder, program or history entry.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>

namespace bar {

void HideItemTip();
// Shows the tip for the highlighted item (the hover globals of PopupHook.h).
void ShowItemTip();
void ShowTipNearCursor(const std::string& text);
// The tip text of a file: path, type, size and date, then what its kind adds.
std::string FileTipText(const std::string& path);
// The shell's type name of a file ("Text Document").
std::string GetFileTypeName(const std::string& path);
// The shell's own tip for an object; "" when it has none.
std::string GetShellInfoTip(LPCITEMIDLIST list);

}  // namespace bar
