// Text conversions and comparisons of the dialog framework. The tool
// libraries keep their strings in the system's ANSI code page, as the shell
// hands them paths; their few Japanese texts are code page 932 bytes, which
// only show correctly through the wide (UTF-16) calls whatever the system's
// code page is.
#pragma once
#include <windows.h>

#include <string>

std::wstring WideFromCodePage(UINT codePage, const std::string& text);
// ANSI (the system's code page) to and from UTF-16.
std::wstring WideFromAnsi(const std::string& text);
std::string AnsiFromWide(const std::wstring& text);

// The system code page's lead-byte test, for the multi-byte path functions.
bool SystemLeadByte(unsigned char byte);

// Case-insensitive comparison of ANSI texts, aware of double-byte characters.
int CompareNoCase(const std::string& a, const std::string& b);
bool SameNoCase(const std::string& a, const std::string& b);

// The text of a window or dialog control, of any length.
std::string WindowTextOf(HWND window);
