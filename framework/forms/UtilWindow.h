// A hidden window whose procedure is a member function of a component.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>

// Return true when the message was handled (with `result` set); false passes it
// on to the default window procedure.
using TWndMethod = std::function<bool(UINT Msg, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

class TUtilWindow {
public:
    explicit TUtilWindow(TWndMethod method);
    ~TUtilWindow();
    TUtilWindow(const TUtilWindow&) = delete;
    TUtilWindow& operator=(const TUtilWindow&) = delete;
    HWND Handle() const { return hwnd_; }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_ = nullptr;
    // Shared so a handler that destroys this window's owner keeps running on a live callable.
    std::shared_ptr<TWndMethod> method_;
};
