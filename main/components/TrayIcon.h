// One icon with a tool tip in the taskbar's notification area.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "framework/forms/Component.h"
#include "framework/forms/Graphics.h"
#include "framework/forms/Menus.h"
#include "framework/forms/UtilWindow.h"

namespace components {

// The shell call, replaceable so tests can see the records that would reach the tray.
using ShellNotifyIconFn = BOOL(WINAPI*)(DWORD Message, PNOTIFYICONDATAA Data);
ShellNotifyIconFn SetShellNotifyIcon(ShellNotifyIconFn fn);

class TTrayIcon : public TComponent {
public:
    // The record size of the first shell version, which every shell accepts.
    static constexpr DWORD kRecordSize = 88;
    static constexpr UINT kCallbackMessage = WM_USER + 1;
    static constexpr UINT kRefreshMessage = WM_USER + 2;

    explicit TTrayIcon(TComponent* AOwner);
    ~TTrayIcon() override;

    bool Active() const { return active_; }
    void SetActive(bool value);
    bool ShowDesigning() const { return showDesigning_; }
    void SetShowDesigning(bool value);
    TIcon* Icon() { return &icon_; }
    void SetIcon(const TIcon& value);
    const std::string& ToolTip() const { return toolTip_; }
    void SetToolTip(const std::string& value);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnRightClick;
    TPopupMenu* PopupMenu = nullptr;  // not owned

    HWND WindowHandle() const { return window_->Handle(); }

private:
    void FillRecord();
    bool Add();
    void Modify();
    void Remove();
    bool WndProc(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    void RightClick();

    NOTIFYICONDATAA data_{};
    TIcon icon_;
    std::string toolTip_;
    bool active_ = false;
    bool showDesigning_ = false;
    std::unique_ptr<TUtilWindow> window_;
};

}  // namespace components
