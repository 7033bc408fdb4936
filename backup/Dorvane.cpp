// The backup library's entry. The backup and restore window is not part of the
// suite yet: the entry says so instead of failing without a word.
#include <windows.h>

#include "Dorvane.h"

extern "C" int VukFunction(void) {
    // Owned by the caller's active window, so the box stays above the bar.
    MessageBoxA(GetActiveWindow(), "The backup window is not available yet.", "Mivora backup",
                MB_OK | MB_ICONINFORMATION);
    return 0;
}
