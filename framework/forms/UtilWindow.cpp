#include "framework/forms/UtilWindow.h"

#include "framework/forms/Application.h"

namespace {
const char kUtilWindowClass[] = "TMivoraUtilWindow";
}

TUtilWindow::TUtilWindow(TWndMethod method) : method_(std::make_shared<TWndMethod>(std::move(method))) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kUtilWindowClass;
    RegisterClassA(&wc);  // fails harmlessly once the class exists
    hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, kUtilWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            wc.hInstance, nullptr);
    if (hwnd_) SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TUtilWindow::~TUtilWindow() {
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

LRESULT CALLBACK TUtilWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TUtilWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    std::shared_ptr<TWndMethod> method = self->method_;
    LRESULT result = 0;
    bool handled = false;
    CallGuarded([&] { handled = (*method)(msg, wp, lp, result); });
    return handled ? result : DefWindowProcA(hwnd, msg, wp, lp);
}
