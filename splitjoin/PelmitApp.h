// Pelmit's application object and the state its dialogs share for as long
// as the library stays loaded.
#pragma once
#include <windows.h>

#include <string>

#include "framework/dialogs/WinApp.h"

namespace splitjoin {

class CPelmitApp : public CWinApp {
public:
    bool InitInstance() override;
    // The voice product's help at `context` (split 5002, join 5003, shortcut 5009).
    void ShowVoiceHelp(HWND owner, DWORD context);
};

extern CPelmitApp theApp;

// The join list's next column sort is descending.
extern bool SortDescending;

// Profile sections and values.
extern const char kSegmentSection[];
extern const char kJoinSection[];

}  // namespace splitjoin
