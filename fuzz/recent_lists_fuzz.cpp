// List files as a user may leave them: any bytes, any line ends, NULs. Read,
// record into, write and read again: the round trip must keep the entries.
#include <cstddef>
#include <cstdint>
#include <string>

#include "main/bar/core/RecentLists.h"
#include "framework/core/StrUtils.h"

using namespace bar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TStringList list, locked;
    list.SetText(text);
    locked.SetText(text.substr(0, size / 2));
    const PathEquals equals = [](const std::string& a, const std::string& b) { return SameTextAscii(a, b); };
    if (list.Count() > 0) RecordRecentPath(list, locked, list[list.Count() - 1], equals);
    RecordRecentPath(list, locked, "C:\\fuzz", equals);
    TStringList again;
    again.SetText(list.Text());
    // Entries with a CR or LF inside cannot survive a line-based file; all others must.
    bool clean = true;
    for (const auto& s : list.Items()) clean = clean && s.find_first_of("\r\n") == std::string::npos;
    if (clean && again.Items() != list.Items()) __builtin_trap();
    return 0;
}
