#include "framework/forms/Registry.h"

#include "framework/core/Exceptions.h"

HKEY TRegistry::BaseFor(const std::string& Key, std::string& rest) const {
    // The API rejects a leading backslash (error 161 on some systems), so strip
    // it and start from the root.
    const bool absolute = !Key.empty() && Key[0] == '\\';
    rest = absolute ? Key.substr(1) : Key;
    while (!rest.empty() && rest.back() == '\\') rest.pop_back();
    return (absolute || !current_) ? RootKey : current_.Get();
}

bool TRegistry::Open(const std::string& Key, bool create, REGSAM access) {
    std::string rest;
    HKEY base = BaseFor(Key, rest);
    const bool relative = current_ && base == current_.Get();
    RegKey opened;
    if (!(create ? opened.Create(base, rest, access) : opened.Open(base, rest, access))) return false;
    const std::string newPath = relative && !path_.empty() ? path_ + "\\" + rest : rest;
    current_ = std::move(opened);
    path_ = newPath;
    return true;
}

bool TRegistry::OpenKey(const std::string& Key, bool CanCreate) { return Open(Key, CanCreate, access_); }

bool TRegistry::OpenKeyReadOnly(const std::string& Key) { return Open(Key, false, KEY_READ); }

void TRegistry::CloseKey() {
    current_.Close();
    path_.clear();
}

bool TRegistry::KeyExists(const std::string& Key) {
    std::string rest;
    HKEY base = BaseFor(Key, rest);
    return RegKey().Open(base, rest);
}

bool TRegistry::ValueExists(const std::string& Name) const { return current_.QueryValue(Name, nullptr, nullptr); }

std::string TRegistry::ReadString(const std::string& Name) const {
    DWORD type = 0;
    if (!current_.QueryValue(Name, &type, nullptr)) return "";
    if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException("Invalid data type for '" + Name + "'");
    std::string value;
    current_.ReadString(Name, value);
    return value;
}

void TRegistry::WriteString(const std::string& Name, const std::string& Value) {
    if (!current_.WriteString(Name, Value)) throw ERegistryException("Failed to set data for '" + Name + "'");
}

bool TRegistry::DeleteValue(const std::string& Name) { return current_.DeleteValue(Name); }

bool TRegistry::DeleteKey(const std::string& Key) {
    std::string rest;
    HKEY base = BaseFor(Key, rest);
    return RegDeleteKeyA(base, rest.c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> TRegistry::GetValueNames() const { return current_.ValueNames(); }

std::vector<std::string> TRegistry::GetKeyNames() const { return current_.SubkeyNames(); }
