// Spoken sounds and help of the outside voice product, when it is installed:
// its INI file "HALVET.INI" in the Windows folder names the artists, their
// wave files and the help file. Without the product nothing happens.
#pragma once
#include <windows.h>

namespace dialogkit {

// Tool events: 3 OK, 4 cancel, 11 pack, 12 unpack, 14 shortcut, 16 split, 17 join.
void PlayVoiceEvent(int event);

// Opens the product's help file at `context`, when its PATH is set.
void ShowVoiceHelp(HWND owner, DWORD context);

}  // namespace dialogkit
