// Registry access by key path. A path with a leading backslash starts at the
// root key; any other path is relative to the key now open.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/win32/RegKey.h"

class TRegistry {
public:
    TRegistry() = default;
    explicit TRegistry(REGSAM access) : access_(access) {}
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey = HKEY_CURRENT_USER;
    HKEY CurrentKey() const { return current_.Get(); }
    const std::string& CurrentPath() const { return path_; }

    // Full access; creates missing keys when `CanCreate`.
    bool OpenKey(const std::string& Key, bool CanCreate);
    // Read access only, never creates: what a reader needs on NT without admin rights.
    bool OpenKeyReadOnly(const std::string& Key);
    void CloseKey();

    bool KeyExists(const std::string& Key);
    bool ValueExists(const std::string& Name) const;
    // A missing value gives ""; a value that is not a string raises ERegistryException.
    std::string ReadString(const std::string& Name) const;
    void WriteString(const std::string& Name, const std::string& Value);
    bool DeleteValue(const std::string& Name);
    bool DeleteKey(const std::string& Key);
    std::vector<std::string> GetValueNames() const;
    std::vector<std::string> GetKeyNames() const;

private:
    bool Open(const std::string& Key, bool create, REGSAM access);
    // Splits a path into the key to start from and the relative rest.
    HKEY BaseFor(const std::string& Key, std::string& rest) const;
    REGSAM access_ = KEY_ALL_ACCESS;
    RegKey current_;
    std::string path_;
};
