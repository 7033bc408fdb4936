// The backup library's application object: its settings live under
// HKEY_CURRENT_USER\Software\Mivora\Dorvane.
#pragma once
#include "WinApp.h"

class CDorvaneApp : public CWinApp {
public:
    bool InitInstance() override;
};

extern CDorvaneApp theApp;
