// A window the framework knows: the handle and one-line forwarders to the
// calls the dialogs make on it. It never owns the window; the dialog manager
// destroys controls with their dialog.
#pragma once
#include <windows.h>

#include <string>

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND Handle() const { return hwnd_; }
    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    void Detach() { hwnd_ = nullptr; }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(hwnd_, message, wParam, lParam);
    }
    void EnableWindow(bool enable) const { ::EnableWindow(hwnd_, enable ? TRUE : FALSE); }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(hwnd_) != FALSE; }
    void ShowWindow(int show) const { ::ShowWindow(hwnd_, show); }
    std::string GetWindowText() const;
    void SetWindowText(const std::string& text) const { ::SetWindowTextA(hwnd_, text.c_str()); }
    void Invalidate(bool erase = true) const { ::InvalidateRect(hwnd_, nullptr, erase ? TRUE : FALSE); }
    RECT GetClientRect() const {
        RECT r{};
        ::GetClientRect(hwnd_, &r);
        return r;
    }

    // An owner-draw control's paint, reflected to it by its dialog.
    virtual void DrawItem(DRAWITEMSTRUCT* item) { (void)item; }

private:
    HWND hwnd_ = nullptr;
};
