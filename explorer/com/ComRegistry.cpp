#include "ComRegistry.h"
#include "ModulePath.h"

#include <vector>

// Provided by the linker: the image base of the module this code is linked into.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

const char kRegistryError[] = "Error creating system registry entry";

}  // namespace

RegKey& RegKey::operator=(RegKey&& other) noexcept {
    if (this != &other) {
        Close();
        key_ = other.key_;
        other.key_ = nullptr;
    }
    return *this;
}

void RegKey::Close() {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = nullptr;
}

RegKey RegKey::Create(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &key,
                        &disposition) != ERROR_SUCCESS)
        return RegKey();
    return RegKey(key);
}

RegKey RegKey::OpenRead(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return RegKey();
    return RegKey(key);
}

void CreateRegKey(HKEY root, const std::string& path, const std::string& valueName, const std::string& value) {
    RegKey key = RegKey::Create(root, path);
    if (!key) throw EOleRegistrationError(kRegistryError);
    if (RegSetValueExA(key.Get(), valueName.empty() ? nullptr : valueName.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(value.c_str()), static_cast<DWORD>(value.size() + 1)) !=
        ERROR_SUCCESS)
        throw EOleRegistrationError(kRegistryError);
}

bool ReadRegString(HKEY root, const std::string& path, const std::string& valueName, std::string& value) {
    RegKey key = RegKey::OpenRead(root, path);
    if (!key) return false;
    const char* name = valueName.empty() ? nullptr : valueName.c_str();
    // The value may change between the two calls: ask again while it grows.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(key.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
        if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
        std::vector<char> data(size + 1, '\0');
        DWORD got = size;
        const LONG rc = RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
        if (rc == ERROR_MORE_DATA) continue;
        if (rc != ERROR_SUCCESS || got > size) return false;
        // A stored string need not end with its NUL.
        std::size_t length = 0;
        while (length < got && data[length] != '\0') ++length;
        value.assign(data.data(), length);
        return true;
    }
    return false;
}

bool DeleteRegKeyTree(HKEY root, const std::string& path) {
    {
        HKEY raw = nullptr;
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | KEY_WRITE, &raw) != ERROR_SUCCESS)
            return RegKey::OpenRead(root, path).Get() == nullptr;
        RegKey key(raw);
        // NT refuses to delete a key that has subkeys: remove them first. The
        // first subkey is asked for again each time, since deleting renumbers.
        for (;;) {
            std::vector<char> name(256);
            DWORD length = static_cast<DWORD>(name.size());
            LONG rc = RegEnumKeyExA(key.Get(), 0, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
            while (rc == ERROR_MORE_DATA) {
                name.resize(name.size() * 2);
                length = static_cast<DWORD>(name.size());
                rc = RegEnumKeyExA(key.Get(), 0, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
            }
            if (rc != ERROR_SUCCESS) break;
            if (!DeleteRegKeyTree(key.Get(), std::string(name.data(), length))) return false;
        }
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
