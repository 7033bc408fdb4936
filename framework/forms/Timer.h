// A timer component: OnTimer every Interval milliseconds while Enabled.
#pragma once
#include <windows.h>

#include <memory>

#include "framework/forms/Component.h"
#include "framework/forms/UtilWindow.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    UINT Interval() const { return interval_; }
    void SetInterval(UINT value);
    TNotifyEvent OnTimer;
    // The hidden window whose WM_TIMER drives the component.
    HWND WindowHandle() const { return window_->Handle(); }

private:
    void UpdateTimer();
    std::unique_ptr<TUtilWindow> window_;
    bool enabled_ = true;
    UINT interval_ = 1000;
    bool running_ = false;
};
