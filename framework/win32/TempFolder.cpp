#include "framework/core/TempFolder.h"

#include <windows.h>

std::string TempFolder() {
    // A longer folder gives its length: asked again for that, a few times
    // at most should the variable it comes from change in between.
    DWORD size = MAX_PATH + 1;
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::string folder(size, '\0');
        const DWORD got = GetTempPathA(size, &folder[0]);
        if (got == 0) return std::string();
        if (got < size) {
            folder.resize(got);
            return folder;
        }
        size = got + 1;
    }
    return std::string();
}
