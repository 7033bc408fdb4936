// The system code page's lead-byte test, for the multi-byte path and text
// functions every layer and library shares.
#pragma once
#include <windows.h>

inline bool SystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }
