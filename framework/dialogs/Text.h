// Text comparisons of the dialog framework. The tool libraries keep their
// strings in the system's ANSI code page, as the shell hands them paths.
#pragma once
#include <windows.h>

#include <string>

#include "framework/win32/LeadByte.h"

// Case-insensitive comparison of ANSI texts, aware of double-byte characters.
int CompareNoCase(const std::string& a, const std::string& b);
bool SameNoCase(const std::string& a, const std::string& b);
