#include "framework/win32/SystemLibrary.h"

#include <string>

FARPROC SystemProcAddress(const char* library, const char* name) {
    HMODULE module = GetModuleHandleA(library);
    if (!module) {
        const UINT needed = GetSystemDirectoryA(nullptr, 0);
        if (needed == 0) return nullptr;
        std::string path(needed, '\0');
        const UINT got = GetSystemDirectoryA(&path[0], needed);
        if (got == 0 || got >= needed) return nullptr;
        path.resize(got);
        if (path.back() != '\\') path += '\\';
        module = LoadLibraryA((path + library).c_str());
    }
    return module ? GetProcAddress(module, name) : nullptr;
}
