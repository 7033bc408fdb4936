// Helpers shared by the tests that run under Wine.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/forms/Application.h"

// Processes messages until `done` holds or `ms` milliseconds have passed.
// Change notices and tray callbacks arrive asynchronously under Wine, so tests
// wait with a deadline instead of sleeping a fixed time.
bool PumpUntil(const std::function<bool()>& done, DWORD ms);
void PumpFor(DWORD ms);

// A fresh folder under the system's temporary folder, removed with its contents.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // With trailing backslash.
    const std::string& Path() const { return path_; }
    std::string File(const std::string& relative) const { return path_ + relative; }

private:
    std::string path_;
};

void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
void RemoveTree(const std::string& path);
// A dropped-file list as the shell hands it over, in this process's memory.
HDROP MakeDrop(const std::vector<std::string>& paths);
// A shell shortcut LINK to TARGET; false when the shell refuses to write it.
bool MakeShortcut(const std::string& link, const std::string& target);

// Collects the application's error reports instead of showing message boxes.
class ErrorReports {
public:
    ErrorReports();
    ~ErrorReports();
    std::vector<std::string> messages;

private:
    TExceptionEvent previous_;
};

// Windows form of a host path (Wine maps the host's root to a drive letter).
std::string HostPathToWindows(const std::string& hostPath);

// Saves a registry value on construction and puts it back (or removes it) on destruction.
class SavedRegValue {
public:
    SavedRegValue(HKEY root, const std::string& key, const std::string& name);
    ~SavedRegValue();

private:
    HKEY root_;
    std::string key_, name_;
    bool existed_ = false;
    DWORD type_ = 0;
    std::string data_;
};
