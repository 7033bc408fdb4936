// The system's folder for temporary files.
#pragma once
#include <string>

// With its trailing separator; "" when the system names none. Defined by the
// platform's half (the Win32 one lives with the Win32 base).
std::string TempFolder();
