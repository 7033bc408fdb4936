// Drives the modal dialogs that the test's main thread shows, from a second
// thread: finds them by caption, fills fields, presses buttons and answers
// message boxes. Presses are posted, never sent, so that a handler that opens
// a message box cannot block the driver that is to answer it.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

class DialogDriver {
public:
    explicit DialogDriver(DWORD uiThread) : uiThread_(uiThread) {}

    // A visible dialog of the UI thread with this caption; nullptr after `ms`.
    HWND WaitForDialog(const std::wstring& caption, DWORD ms = 15000);
    // Like WaitForDialog, but records a failure when none comes.
    HWND Expect(const std::wstring& caption, DWORD ms = 15000);
    bool WaitGone(HWND window, DWORD ms = 15000);
    // Waits until `done` holds.
    bool WaitFor(const std::function<bool()>& done, DWORD ms = 15000);
    // No dialog with this caption appears within `ms`.
    bool NoDialog(const std::wstring& caption, DWORD ms);

    std::wstring Text(HWND dialog, int id) const;
    std::string AnsiText(HWND dialog, int id) const;
    void SetText(HWND dialog, int id, const std::string& text) const;
    void Click(HWND dialog, int id) const;
    void ClickRadio(HWND dialog, int id) const;
    void SetCheck(HWND dialog, int id, bool checked) const;
    bool IsChecked(HWND dialog, int id) const;
    bool IsEnabled(HWND dialog, int id) const;
    bool IsVisible(HWND dialog, int id) const;

    // A message box of the UI thread with this caption; nullptr after `ms`.
    HWND WaitForMessageBox(const std::wstring& caption, DWORD ms) { return Find(caption, true, ms); }
    // Waits for a message box with this caption, returns its text and presses `button`.
    std::wstring Answer(const std::wstring& caption, int button, DWORD ms = 15000);

    // List view rows (column texts) and selection.
    std::vector<std::wstring> ListColumn(HWND dialog, int id, int column) const;
    void SelectRow(HWND dialog, int id, int row) const;
    int SelectedRow(HWND dialog, int id) const;
    void ClickColumn(HWND dialog, int id, int column) const;

    void Fail(const std::string& what) { failures.push_back(what); }
    std::vector<std::string> failures;
    std::atomic<bool> uiDone{false};

    // Closes every dialog of the UI thread until the UI call has returned:
    // a failed script must not leave the test hanging in a modal loop.
    void CloseEverything();

private:
    HWND Find(const std::wstring& caption, bool messageBox, DWORD ms);
    DWORD uiThread_;
};

// Runs `ui` on this thread while `script` drives it from another; the
// driver's failures come back as strings. `endMs` is how long the ui may go
// on after the script: runs over gigabytes need more than the default.
std::vector<std::string> RunDriven(const std::function<void()>& ui, const std::function<void(DialogDriver&)>& script,
                                   DWORD endMs = 30000);
