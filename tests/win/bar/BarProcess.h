// Runs the real Mivora.exe from a folder of its own under Wine, and reads what
// it leaves: the window on screen, its settings file and list files.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/support/MenuDriver.h"
#include "tests/win/support/TestSupport.h"

std::string DistPath(const std::string& name);
std::string ProbePath();

class BarProcess {
public:
    // Copies the program and the libraries it loads into `folder`.
    explicit BarProcess(std::string folder);
    ~BarProcess();
    BarProcess(const BarProcess&) = delete;
    BarProcess& operator=(const BarProcess&) = delete;

    const std::string& Folder() const { return folder_; }
    std::string File(const std::string& name) const { return folder_ + name; }

    // Starts the program and waits for its bar window to show.
    bool Start(DWORD waitMs = 20000);
    // The two halves of Start, for a start that stops on the way (an error box).
    bool Launch();
    bool WaitShown(DWORD waitMs = 20000);
    // A message box of the program with that caption, when one shows.
    HWND MessageBoxWindow(const char* caption) const;
    // Starts another copy and returns its exit code (STILL_ACTIVE if it stays).
    DWORD StartSecond(DWORD waitMs = 15000);
    // Asks the bar to close and returns the exit code (STILL_ACTIVE if it stays).
    DWORD Close(DWORD waitMs = 15000);
    bool Running() const;

    HWND Window() const { return window_; }
    DWORD ThreadId() const { return thread_; }
    RECT Rect() const;
    // The bar's child windows of a class, left to right.
    std::vector<HWND> Children(const char* className) const;
    // The speed button whose left edge is at `left` in the bar's client area.
    HWND ButtonAt(int left) const;
    void Click(HWND control, bool right = false) const;

    // A value of the settings file, "" when missing.
    std::string Ini(const std::string& section, const std::string& key) const;
    // The keys of a section, in file order.
    std::vector<std::string> IniKeys(const std::string& section) const;

private:
    std::string folder_;
    PROCESS_INFORMATION pi_{};
    HWND window_ = nullptr;
    DWORD thread_ = 0;
};

// The bar's window of class "Tolvex" in process `pid` (any when 0).
HWND FindBarWindow(DWORD pid);
// Waits, pumping this thread's messages, until `done` or the time is up.
bool WaitFor(const std::function<bool()>& done, DWORD ms);
// The file's bytes once they equal `expected`, or the last bytes read when the time is up.
std::string WaitForFileBytes(const std::string& path, const std::string& expected, DWORD ms = 5000);
// Top-level windows of a class that thread `thread` made.
std::vector<HWND> ThreadWindows(DWORD thread, const char* className);
// Presses keys in an open menu of another thread: down `downs` times, then Enter.
void ChooseMenuItem(HWND menu, int downs);
