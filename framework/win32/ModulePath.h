// The full path of a loaded module (null: the program), at any length.
#pragma once
#include <windows.h>

#include <string>

inline std::string ModulePath(HMODULE module) {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD got = GetModuleFileNameA(module, &path[0], static_cast<DWORD>(path.size()));
        if (got == 0) return std::string();
        // A cut name fills the whole buffer (NT) or the buffer less one (9x).
        if (got + 1 < path.size()) {
            path.resize(got);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
