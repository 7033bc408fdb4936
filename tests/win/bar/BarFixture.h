// A test with a fresh program folder for the bar, the program's registry
// values saved and put back, and "FirstRun" preset so no search runs.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "tests/win/bar/BarProcess.h"

constexpr char kBarKey[] = "SOFTWARE\\Keltor\\Mivora\\1.0";

void SetRegString(HKEY root, const std::string& key, const std::string& name, const std::string& value);
std::string GetRegString(HKEY root, const std::string& key, const std::string& name, bool* exists = nullptr);
void DeleteRegValue(HKEY root, const std::string& key, const std::string& name);

class BarTest : public ::testing::Test {
protected:
    BarTest()
        : firstRun_(HKEY_LOCAL_MACHINE, kBarKey, "FirstRun"), rootDir_(HKEY_LOCAL_MACHINE, kBarKey, "RootDir") {
        SetRegString(HKEY_LOCAL_MACHINE, kBarKey, "FirstRun", "no");
        bar_ = std::make_unique<BarProcess>(dir_.Path());
    }
    void WriteIni(const std::string& text) { WriteFileBytes(dir_.File("mivora.ini"), text); }
    std::string List(const char* name) const { return ReadFileBytes(dir_.File(name)); }
    // The menu the bar shows within `ms`, null when none comes.
    HWND WaitForMenu(DWORD ms = 5000) const;
    // Clicks the bar's button whose left edge is at `left` and gives the menu
    // it opens; null, a failure recorded, when there is no such button.
    HWND OpenMenuAt(int left, DWORD ms = 5000) const;

    TempDir dir_;
    SavedRegValue firstRun_;
    SavedRegValue rootDir_;
    std::unique_ptr<BarProcess> bar_;
};
