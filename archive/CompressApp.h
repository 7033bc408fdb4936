// The archive library's application object and its settings sections.
#pragma once
#include <windows.h>

#include "framework/dialogs/WinApp.h"

class CCompressApp : public CWinApp {
public:
    bool InitInstance() override;
    void ShowVoiceHelp(HWND owner, DWORD context);
};

extern CCompressApp theApp;

// Profile sections of the pack dialog and its pages.
extern const char kPackSection[];
extern const char kLzhSection[];
extern const char kTarSection[];
extern const char kZipSection[];
// Of the pack-for-mail dialog and its pages, and of the unpack dialog.
extern const char kSendSection[];
extern const char kLzhMailSection[];
extern const char kTarMailSection[];
extern const char kZipMailSection[];
extern const char kUnpackSection[];
