// String helpers of the component layer that need no platform.
#pragma once
#include <cstdint>
#include <string>

std::string IntToStr(long long value);
// Decimal integer with optional sign and surrounding blanks; anything else
// raises EConvertError with the class library's message.
int StrToInt(const std::string& text);
// The same, giving `fallback` instead of raising.
int StrToIntDef(const std::string& text, int fallback);
// ASCII-only case folding: positions never move, multi-byte text is untouched.
std::string UpperCaseAscii(std::string text);
std::string LowerCaseAscii(std::string text);
bool SameTextAscii(const std::string& a, const std::string& b);
std::string Trim(const std::string& text);
// Backslash-terminated form of a folder path ("" stays "").
std::string IncludeTrailingBackslash(const std::string& path);
