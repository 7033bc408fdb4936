#include "explorer/com/ComRegistry.h"
#include "framework/win32/ModulePath.h"
#include "framework/win32/RegKey.h"

#include <vector>

// Provided by the linker: the image base of the module this code is linked into.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

const char kRegistryError[] = "Error creating system registry entry";

}  // namespace

void CreateRegKey(HKEY root, const std::string& path, const std::string& valueName, const std::string& value) {
    RegKey key;
    if (!key.Create(root, path) || !key.WriteString(valueName, value)) throw EOleRegistrationError(kRegistryError);
}

bool ReadRegString(HKEY root, const std::string& path, const std::string& valueName, std::string& value) {
    RegKey key;
    return key.Open(root, path) && key.ReadString(valueName, value);
}

bool DeleteRegKeyTree(HKEY root, const std::string& path) {
    {
        RegKey key;
        if (!key.Open(root, path, KEY_READ | KEY_WRITE)) return !RegKey().Open(root, path);
        // NT refuses to delete a key that has subkeys: remove them first.
        for (const std::string& name : key.SubkeyNames())
            if (!DeleteRegKeyTree(key.Get(), name)) return false;
    }
    return RegDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS;
}

std::string GuidToString(const GUID& guid) {
    char text[39];
    wsprintfA(text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", static_cast<unsigned long>(guid.Data1),
              guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4],
              guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return text;
}

bool IsNtPlatform() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

std::string ModuleFileName(HMODULE module) { return ModulePath(module); }

std::string RegistrationPath(HMODULE module) {
    const std::string path = ModuleFileName(module);
    if (path.find(' ') == std::string::npos) return path;
    const DWORD needed = GetShortPathNameA(path.c_str(), nullptr, 0);
    if (needed == 0) return path;
    std::vector<char> buffer(needed + 1);
    const DWORD length = GetShortPathNameA(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) return path;
    return std::string(buffer.data(), length);
}

HMODULE ThisModule() { return reinterpret_cast<HMODULE>(&__ImageBase); }
