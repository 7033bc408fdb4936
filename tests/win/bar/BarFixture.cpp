#include "tests/win/bar/BarFixture.h"

#include "framework/win32/RegKey.h"

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

HWND BarTest::WaitForMenu(DWORD ms) const {
    HWND menu = nullptr;
    WaitFor([&] { return (menu = FindMenuWindow(bar_->ThreadId())) != nullptr; }, ms);
    return menu;
}

HWND BarTest::OpenMenuAt(int left, DWORD ms) const {
    HWND button = bar_->ButtonAt(left);
    if (!button) {
        ADD_FAILURE() << "no bar button at " << left;
        return nullptr;
    }
    bar_->Click(button);
    return WaitForMenu(ms);
}
