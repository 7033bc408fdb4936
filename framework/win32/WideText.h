// ANSI and code page texts to and from UTF-16. The suite keeps its strings in
// the system's ANSI code page, as the shell hands it paths; the wide calls
// show them, and code page 932 texts, whatever that code page is.
#pragma once
#include <windows.h>

#include <string>

// Bytes the code page cannot read become its default character (U+30FB in code page 932).
std::wstring WideFromCodePage(UINT codePage, const std::string& text);
std::wstring WideFromAnsi(const std::string& text);
// Characters the ANSI code page lacks become its default character.
std::string AnsiFromWide(const std::wstring& text);
