// The framework's message box: owned by the thread's active window (the
// running dialog), captioned with the application's name.
#pragma once
#include <windows.h>

#include <string>

int AppMessageBox(const std::wstring& text, UINT type);
int AppMessageBox(const std::string& text, UINT type);
// The text is a string-table entry of the module.
int AppMessageBox(UINT stringId, UINT type);
