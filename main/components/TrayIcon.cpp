#include "main/components/TrayIcon.h"

#include <cstring>

#include "framework/forms/Application.h"

namespace components {

namespace {
ShellNotifyIconFn shellNotifyIcon = Shell_NotifyIconA;
const size_t kMaxTip = 62;
}  // namespace

ShellNotifyIconFn SetShellNotifyIcon(ShellNotifyIconFn fn) {
    ShellNotifyIconFn old = shellNotifyIcon;
    shellNotifyIcon = fn ? fn : Shell_NotifyIconA;
    return old;
}

TTrayIcon::TTrayIcon(TComponent* AOwner) : TComponent(AOwner) {
    window_ = std::make_unique<TUtilWindow>(
        [this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) { return WndProc(msg, wp, lp, result); });
}

TTrayIcon::~TTrayIcon() {
    if ((!Designing() && active_) || (Designing() && showDesigning_)) Remove();
}

// What the shipped 32-bit build hands the shell is the first version's record.
static_assert(sizeof(void*) != 4 || TTrayIcon::kRecordSize == NOTIFYICONDATAA_V1_SIZE, "tray record size");

void TTrayIcon::FillRecord() {
    std::memset(&data_, 0, sizeof data_);
    data_.cbSize = kRecordSize;
    data_.hWnd = window_->Handle();
    data_.uID = 0;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kCallbackMessage;
    data_.hIcon = icon_.Handle();
    // The first record version has room for 63 characters and the zero.
    std::strncpy(data_.szTip, toolTip_.c_str(), 63);
    data_.szTip[63] = '\0';
}

bool TTrayIcon::Add() {
    FillRecord();
    const bool ok = shellNotifyIcon(NIM_ADD, &data_) != FALSE;
    // An icon added before its tip was set gets tip and icon once the message loop runs.
    if (toolTip_.empty()) PostMessageA(window_->Handle(), kRefreshMessage, 0, 0);
    return ok;
}

void TTrayIcon::Modify() {
    FillRecord();
    if (active_) shellNotifyIcon(NIM_MODIFY, &data_);
}

void TTrayIcon::Remove() { shellNotifyIcon(NIM_DELETE, &data_); }

void TTrayIcon::SetActive(bool value) {
    if (value == active_) return;
    active_ = value;
    if (Designing()) return;
    if (value)
        Add();
    else
        Remove();
}

void TTrayIcon::SetShowDesigning(bool value) {
    if (!Designing() || value == showDesigning_) return;
    showDesigning_ = value;
    if (value)
        Add();
    else
        Remove();
}

void TTrayIcon::SetIcon(const TIcon& value) {
    if (&value != &icon_) icon_.Assign(value);
    Modify();
}

void TTrayIcon::SetToolTip(const std::string& value) {
    toolTip_ = value.substr(0, kMaxTip);
    Modify();
}

bool TTrayIcon::WndProc(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    result = 0;
    if (msg == kRefreshMessage) {
        SetToolTip(toolTip_);
        return true;
    }
    if (msg != kCallbackMessage) return false;
    // A handler may free this component (an "Exit" item): nothing below touches
    // `this` after an event has fired.
    switch (lp) {
        case WM_LBUTTONUP:
            if (OnClick) OnClick(this);
            break;
        case WM_LBUTTONDBLCLK:
            if (OnDblClick) OnDblClick(this);
            break;
        case WM_RBUTTONUP:
            RightClick();
            break;
        default:
            break;
    }
    return true;
}

void TTrayIcon::RightClick() {
    POINT pt{};
    GetCursorPos(&pt);
    TMouseEvent onRightClick = OnRightClick;
    if (PopupMenu) {
        // Without the foreground the menu would not close when the user clicks elsewhere.
        SetForegroundWindow(Application->Handle());
        Application->ProcessMessages();
        PopupMenu->Popup(pt.x, pt.y);
    }
    if (onRightClick) onRightClick(this, TMouseButton::mbRight, 0, pt.x, pt.y);
}

}  // namespace components
