#include "framework/win32/RegKey.h"

#include <algorithm>

namespace {

const char* ValueName(const std::string& name) { return name.empty() ? nullptr : name.c_str(); }

// Names of values or subkeys, with a buffer that grows as the names demand.
template <class Enum>
std::vector<std::string> EnumNames(Enum enumerate) {
    std::vector<std::string> names;
    std::string buffer(256, '\0');
    for (DWORD i = 0;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        const LONG rc = enumerate(i, &buffer[0], &length);
        if (rc == ERROR_MORE_DATA && buffer.size() < (1u << 16)) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (rc != ERROR_SUCCESS) break;
        names.emplace_back(buffer.data(), length);
        ++i;
    }
    return names;
}

}  // namespace

bool RegKey::Open(HKEY parent, const std::string& path, REGSAM access) {
    HKEY key = nullptr;
    const bool opened = RegOpenKeyExA(parent, path.c_str(), 0, access, &key) == ERROR_SUCCESS;
    key_.Reset(opened ? key : nullptr);
    return opened;
}

bool RegKey::Create(HKEY parent, const std::string& path, REGSAM access) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    const bool created = RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                                         &key, &disposition) == ERROR_SUCCESS;
    key_.Reset(created ? key : nullptr);
    return created;
}

bool RegKey::QueryValue(const std::string& name, DWORD* type, DWORD* size) const {
    return key_ && RegQueryValueExA(key_.Get(), ValueName(name), nullptr, type, nullptr, size) == ERROR_SUCCESS;
}

bool RegKey::ReadString(const std::string& name, std::string& value) const {
    // The value may grow between asking for its size and reading it: ask again.
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD type = 0, size = 0;
        if (!QueryValue(name, &type, &size) || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
        std::string data(size + 1, '\0');
        DWORD got = size;
        const LONG rc =
            RegQueryValueExA(key_.Get(), ValueName(name), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &got);
        if (rc == ERROR_MORE_DATA) continue;
        if (rc != ERROR_SUCCESS) return false;
        data.resize(std::min<std::size_t>(got, data.size()));
        value.assign(data.c_str());
        return true;
    }
    return false;
}

bool RegKey::ReadDword(const std::string& name, DWORD& value) const {
    DWORD type = 0, data = 0, size = sizeof data;
    if (!key_ || RegQueryValueExA(key_.Get(), ValueName(name), nullptr, &type, reinterpret_cast<BYTE*>(&data),
                                  &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof data)
        return false;
    value = data;
    return true;
}

bool RegKey::WriteString(const std::string& name, const std::string& value) const {
    return key_ && RegSetValueExA(key_.Get(), ValueName(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                  static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool RegKey::WriteDword(const std::string& name, DWORD value) const {
    return key_ && RegSetValueExA(key_.Get(), ValueName(name), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                  sizeof value) == ERROR_SUCCESS;
}

bool RegKey::DeleteValue(const std::string& name) const {
    return key_ && RegDeleteValueA(key_.Get(), ValueName(name)) == ERROR_SUCCESS;
}

std::vector<std::string> RegKey::ValueNames() const {
    if (!key_) return {};
    return EnumNames([this](DWORD i, char* buffer, DWORD* length) {
        return RegEnumValueA(key_.Get(), i, buffer, length, nullptr, nullptr, nullptr, nullptr);
    });
}

std::vector<std::string> RegKey::SubkeyNames() const {
    if (!key_) return {};
    return EnumNames([this](DWORD i, char* buffer, DWORD* length) {
        return RegEnumKeyExA(key_.Get(), i, buffer, length, nullptr, nullptr, nullptr, nullptr);
    });
}
