#include "Registry.h"

#include "Exceptions.h"

HKEY TRegistry::BaseFor(const std::string& Key, std::string& rest) const {
    // The API rejects a leading backslash (error 161 on some systems), so strip
    // it and start from the root.
    const bool absolute = !Key.empty() && Key[0] == '\\';
    rest = absolute ? Key.substr(1) : Key;
    while (!rest.empty() && rest.back() == '\\') rest.pop_back();
    return (absolute || !current_) ? RootKey : current_;
}

bool TRegistry::Open(const std::string& Key, bool create, REGSAM access) {
    std::string rest;
    HKEY base = BaseFor(Key, rest);
    const bool relative = base == current_ && current_ != nullptr;
    HKEY opened = nullptr;
    LONG rc;
    if (create) {
        DWORD disposition = 0;
        rc = RegCreateKeyExA(base, rest.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &opened,
                             &disposition);
    } else {
        rc = RegOpenKeyExA(base, rest.c_str(), 0, access, &opened);
    }
    if (rc != ERROR_SUCCESS) return false;
    const std::string newPath = relative && !path_.empty() ? path_ + "\\" + rest : rest;
    CloseKey();
    current_ = opened;
    path_ = newPath;
    return true;
}

bool TRegistry::OpenKey(const std::string& Key, bool CanCreate) { return Open(Key, CanCreate, access_); }

bool TRegistry::OpenKeyReadOnly(const std::string& Key) { return Open(Key, false, KEY_READ); }

void TRegistry::CloseKey() {
    if (current_) RegCloseKey(current_);
    current_ = nullptr;
    path_.clear();
}

bool TRegistry::KeyExists(const std::string& Key) {
    std::string rest;
    HKEY base = BaseFor(Key, rest);
    HKEY probe = nullptr;
    if (RegOpenKeyExA(base, rest.c_str(), 0, KEY_READ, &probe) != ERROR_SUCCESS) return false;
    RegCloseKey(probe);
    return true;
}

bool TRegistry::ValueExists(const std::string& Name) const {
    if (!current_) return false;
    return RegQueryValueExA(current_, Name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string& Name) const {
    if (!current_) return "";
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD type = 0, size = 0;
        if (RegQueryValueExA(current_, Name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return "";
        if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException("Invalid data type for '" + Name + "'");
        std::string buf(size + 1, '\0');
        DWORD got = size;
        const LONG rc = RegQueryValueExA(current_, Name.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(&buf[0]), &got);
        if (rc == ERROR_MORE_DATA) continue;  // the value grew between the two calls
        if (rc != ERROR_SUCCESS) return "";
        buf.resize(got < buf.size() ? got : buf.size());
        // Stored strings need not be terminated; cut at the first zero either way.
        const size_t zero = buf.find('\0');
        if (zero != std::string::npos) buf.resize(zero);
        return buf;
    }
    return "";
}

void TRegistry::WriteString(const std::string& Name, const std::string& Value) {
    if (!current_ || RegSetValueExA(current_, Name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(Value.c_str()),
                                    static_cast<DWORD>(Value.size() + 1)) != ERROR_SUCCESS)
        throw ERegistryException("Failed to set data for '" + Name + "'");
}

bool TRegistry::DeleteValue(const std::string& Name) {
    return current_ && RegDeleteValueA(current_, Name.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::DeleteKey(const std::string& Key) {
    std::string rest;
    HKEY base = BaseFor(Key, rest);
    return RegDeleteKeyA(base, rest.c_str()) == ERROR_SUCCESS;
}

namespace {
// Enumerates value or subkey names with a buffer that grows as names demand.
template <class Enum>
std::vector<std::string> EnumNames(Enum enumerate) {
    std::vector<std::string> names;
    std::string buf(256, '\0');
    for (DWORD i = 0;;) {
        DWORD len = static_cast<DWORD>(buf.size());
        const LONG rc = enumerate(i, &buf[0], &len);
        if (rc == ERROR_MORE_DATA && buf.size() < (1u << 16)) {
            buf.resize(buf.size() * 2);
            continue;
        }
        if (rc != ERROR_SUCCESS) break;
        names.emplace_back(buf.data(), len);
        ++i;
    }
    return names;
}
}  // namespace

std::vector<std::string> TRegistry::GetValueNames() const {
    if (!current_) return {};
    return EnumNames([this](DWORD i, char* buf, DWORD* len) {
        return RegEnumValueA(current_, i, buf, len, nullptr, nullptr, nullptr, nullptr);
    });
}

std::vector<std::string> TRegistry::GetKeyNames() const {
    if (!current_) return {};
    return EnumNames([this](DWORD i, char* buf, DWORD* len) {
        return RegEnumKeyExA(current_, i, buf, len, nullptr, nullptr, nullptr, nullptr);
    });
}
