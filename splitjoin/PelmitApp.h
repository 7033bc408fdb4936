// Pelmit's application object and the state its dialogs share for as long
// as the library stays loaded.
#pragma once
#include <windows.h>

#include <string>

#include "StopEvent.h"
#include "WinApp.h"

class CPelmitApp : public CWinApp {
public:
    bool InitInstance() override;
    // The voice product's help at `context` (split 5002, join 5003, shortcut 5009).
    void ShowVoiceHelp(HWND owner, DWORD context);
};

extern CPelmitApp theApp;

// The path of the first dropped item of the latest join dialog.
extern std::string FirstDroppedItem;
// The join list's next column sort is descending.
extern bool SortDescending;
// Set by the progress dialogs' Cancel, polled by the workers.
extern dialogkit::StopEvent JoinStopEvent;
extern dialogkit::StopEvent SplitStopEvent;
// The source's name without folder and extension, for the split preview.
extern std::string PieceBaseName;
// The piece size in KB the split dialog's current choice stands for.
extern int SelectedSizeKB;

// Profile sections and values.
extern const char kSegmentSection[];
extern const char kJoinSection[];
