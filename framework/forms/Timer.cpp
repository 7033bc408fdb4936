#include "framework/forms/Timer.h"

namespace {
const UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    window_ = std::make_unique<TUtilWindow>([this](UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
        if (msg != WM_TIMER || wp != kTimerId) return false;
        result = 0;
        // A copy: the handler may free this timer.
        TNotifyEvent onTimer = OnTimer;
        if (onTimer) onTimer(this);
        return true;
    });
    UpdateTimer();
}

TTimer::~TTimer() {
    if (running_ && window_->Handle()) KillTimer(window_->Handle(), kTimerId);
    running_ = false;
}

void TTimer::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    UpdateTimer();
}

void TTimer::SetInterval(UINT value) {
    if (value == interval_) return;
    interval_ = value;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    HWND h = window_->Handle();
    if (!h) return;
    if (running_) KillTimer(h, kTimerId);
    running_ = false;
    // Restarting counts the interval from now, as changing either property does.
    if (enabled_ && interval_ > 0) running_ = SetTimer(h, kTimerId, interval_, nullptr) != 0;
}
