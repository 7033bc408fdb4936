// The folder browser's callback of the tool libraries' dialogs: it centres
// the browser and selects the special folder (a CSIDL number) given as its data.
#pragma once
#include <windows.h>

int CALLBACK BrowseFolderCallback(HWND window, UINT message, LPARAM parameter, LPARAM data);
