// An open registry key, closed when it goes: the one place that opens,
// creates, reads, writes and lists keys for the framework layers and the COM
// kit. A value name "" is the key's default value.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/win32/ScopedHandle.h"

class RegKey {
public:
    // parent\path; false, with no key open, when it cannot be opened.
    bool Open(HKEY parent, const std::string& path, REGSAM access = KEY_READ);
    // parent\path, made with every missing key above it.
    bool Create(HKEY parent, const std::string& path, REGSAM access = KEY_READ | KEY_WRITE);
    void Close() { key_.Reset(); }
    HKEY Get() const { return key_.Get(); }
    explicit operator bool() const { return key_.Valid(); }

    // The value's type and size in bytes (either may be null); false when there is no such value.
    bool QueryValue(const std::string& name, DWORD* type, DWORD* size) const;
    // A REG_SZ or REG_EXPAND_SZ value up to its first NUL: a stored string need not end with one.
    bool ReadString(const std::string& name, std::string& value) const;
    // A REG_DWORD value.
    bool ReadDword(const std::string& name, DWORD& value) const;
    bool WriteString(const std::string& name, const std::string& value) const;
    bool WriteDword(const std::string& name, DWORD value) const;
    bool DeleteValue(const std::string& name) const;
    std::vector<std::string> ValueNames() const;
    std::vector<std::string> SubkeyNames() const;

private:
    ScopedKey key_;
};
