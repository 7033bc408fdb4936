// Lead bytes of multi-byte ANSI code pages. In code page 932 (Shift JIS) the
// trail byte of a double-byte character can look like "\", "[" or "]", so
// text is scanned character by character; the caller supplies the lead-byte
// test of the code page in use (the system's on Windows, a table in tests).
#pragma once

using LeadBytePredicate = bool (*)(unsigned char byte);

// The lead bytes of code page 932: 0x81-0x9F and 0xE0-0xFC.
bool Cp932LeadByte(unsigned char byte);
