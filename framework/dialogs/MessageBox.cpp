#include "framework/dialogs/MessageBox.h"

#include "framework/win32/WideText.h"
#include "framework/dialogs/WinApp.h"

int AppMessageBox(const std::wstring& text, UINT type) {
    CWinApp* app = GetApp();
    const std::wstring caption = app ? WideFromAnsi(app->AppName()) : std::wstring();
    return MessageBoxW(GetActiveWindow(), text.c_str(), caption.c_str(), type);
}

int AppMessageBox(const std::string& text, UINT type) { return AppMessageBox(WideFromAnsi(text), type); }

int AppMessageBox(UINT stringId, UINT type) {
    CWinApp* app = GetApp();
    return AppMessageBox(app ? app->LoadStringW(stringId) : std::wstring(), type);
}
