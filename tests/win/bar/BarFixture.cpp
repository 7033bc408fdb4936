#include "BarFixture.h"

#include "RegKey.h"

void SetRegString(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
    RegKey k;
    if (!k.Create(root, key, KEY_ALL_ACCESS)) {
        ADD_FAILURE() << "cannot open " << key;
        return;
    }
    k.WriteString(name, value);
}

std::string GetRegString(HKEY root, const std::string& key, const std::string& name, bool* exists) {
    RegKey k;
    std::string value;
    const bool ok = k.Open(root, key) && k.ReadString(name, value);
    if (exists) *exists = ok;
    return value;
}

void DeleteRegValue(HKEY root, const std::string& key, const std::string& name) {
    RegKey k;
    if (k.Open(root, key, KEY_ALL_ACCESS)) k.DeleteValue(name);
}
