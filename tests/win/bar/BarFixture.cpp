#include "BarFixture.h"

void SetRegString(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
    HKEY k;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr) != ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot open " << key;
        return;
    }
    RegSetValueExA(k, name.empty() ? nullptr : name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(k);
}

std::string GetRegString(HKEY root, const std::string& key, const std::string& name, bool* exists) {
    if (exists) *exists = false;
    HKEY k;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return "";
    char buf[1024] = {};
    DWORD size = sizeof buf - 1, type = 0;
    const bool ok = RegQueryValueExA(k, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) ==
                    ERROR_SUCCESS;
    RegCloseKey(k);
    if (exists) *exists = ok;
    return ok ? std::string(buf) : std::string();
}

void DeleteRegValue(HKEY root, const std::string& key, const std::string& name) {
    HKEY k;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &k) != ERROR_SUCCESS) return;
    RegDeleteValueA(k, name.c_str());
    RegCloseKey(k);
}
