// Platform-free rules of the options dialog: the list-length boxes, the
// texture index and the start-up command.
#pragma once
#include <string>

namespace bar {

// The bounds of every list length the options dialog offers.
constexpr int kMinListLength = 3;
constexpr int kMaxListLength = 20;

// The number a list-length box holds: text that is no whole number counts as
// the lower bound, and the value stays within the bounds.
int ListLengthFromText(const std::string& text);

// The five texture pictures, by index.
constexpr int kTextureCount = 5;
extern const char* const kTextureNames[kTextureCount];  // "Golden" .. "Wood"
// Only an index of one of the pictures changes the bar's pictures.
bool IsTextureIndex(int index);

// The command stored for the start with the system: empty when off. A path
// with a blank is quoted, or the system would first try a program named by
// the path's part before the blank ("C:\Program.exe").
std::string RunValueText(const std::string& exePath, bool on);

}  // namespace bar
