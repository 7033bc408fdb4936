#include "framework/forms/Controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "framework/forms/Forms.h"

void TControl::SetCaption(const std::string& value) {
    caption_ = value;
    if (handle_) SetWindowTextA(handle_, caption_.c_str());
}

COLORREF ColorToRGB(TColor color) {
    if (color & clSystemColor) return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0xFFFFFF;
}

HCURSOR CursorHandle(TCursor cursor) {
    LPCSTR id = IDC_ARROW;
    switch (cursor) {
        case crHourGlass: id = IDC_WAIT; break;
        case crSizeAll: id = IDC_SIZEALL; break;
        case crHandPoint: id = MAKEINTRESOURCEA(32649); break;  // IDC_HAND
        default: break;
    }
    HCURSOR h = LoadCursorA(nullptr, id);
    return h ? h : LoadCursorA(nullptr, IDC_ARROW);
}

namespace {
TShiftState ShiftFromKeys(WPARAM keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}
}  // namespace

TControl::~TControl() {
    RemoveTool();
    for (TControl* child : controls_) child->parent_ = nullptr;
    controls_.clear();
    if (parent_) {
        auto& siblings = parent_->controls_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        parent_ = nullptr;
    }
    DestroyHandle();
}

void TControl::RegisterWindowClass(const char* name, UINT classStyle) {
    WNDCLASSA wc{};
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoA(instance, name, &wc)) return;
    wc = WNDCLASSA{};
    wc.style = classStyle;
    wc.lpfnWndProc = ControlProc;
    wc.hInstance = instance;
    wc.hCursor = nullptr;  // WM_SETCURSOR picks the control's cursor
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

void TControl::Attach(HWND hwnd) {
    handle_ = hwnd;
    ownsHandle_ = true;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TControl::CreateHandle() {
    if (handle_ || !parent_) return;
    parent_->HandleNeeded();
    if (!parent_->handle_) return;
    RegisterWindowClass(WindowClassName(), CS_DBLCLKS);
    DWORD style = WindowStyle();
    if (visible_) style |= WS_VISIBLE;
    if (!enabled_) style |= WS_DISABLED;
    // The object is reachable from the first message on, through the creation data.
    HWND hwnd = CreateWindowExA(0, WindowClassName(), caption_.c_str(), style, left_, top_, width_, height_,
                                parent_->handle_, nullptr, GetModuleHandleA(nullptr), this);
    if (!hwnd) return;
    if (!handle_) Attach(hwnd);
    UpdateTool();
    CreateChildHandles();
}

void TControl::CreateChildHandles() {
    for (TControl* child : controls_)
        if (!child->handle_) child->CreateHandle();
}

void TControl::DestroyHandle() {
    if (handle_ && ownsHandle_) {
        HWND h = handle_;
        SetWindowLongPtrA(h, GWLP_USERDATA, 0);
        handle_ = nullptr;
        // Children's windows go with this one; they learn it from WM_NCDESTROY.
        DestroyWindow(h);
    }
    handle_ = nullptr;
    ownsHandle_ = false;
    toolAdded_ = false;
}

void TControl::HandleNeeded() {
    if (!handle_) CreateHandle();
}

void TControl::SetParent(TControl* parent) {
    if (parent == parent_) return;
    if (parent_) {
        auto& siblings = parent_->controls_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    RemoveTool();
    DestroyHandle();
    parent_ = parent;
    if (parent_) {
        parent_->controls_.push_back(this);
        if (parent_->handle_) CreateHandle();
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (handle_) SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TControl::ClientWidth() const {
    if (handle_) {
        RECT r{};
        GetClientRect(handle_, &r);
        return r.right - r.left;
    }
    return width_;
}

int TControl::ClientHeight() const {
    if (handle_) {
        RECT r{};
        GetClientRect(handle_, &r);
        return r.bottom - r.top;
    }
    return height_;
}

void TControl::SetClientWidth(int value) { SetWidth(width_ - ClientWidth() + value); }

void TControl::SetClientHeight(int value) { SetHeight(height_ - ClientHeight() + value); }

void TControl::SetVisible(bool value) {
    visible_ = value;
    if (handle_) ShowWindow(handle_, value ? SW_SHOWNA : SW_HIDE);
}

void TControl::SetEnabled(bool value) {
    enabled_ = value;
    if (handle_) EnableWindow(handle_, value);
}

void TControl::SetColor(TColor value) {
    color_ = value;
    ParentColor = false;
    Invalidate();
    for (TControl* child : controls_)
        if (child->ParentColor) child->Invalidate();
}

TColor TControl::EffectiveColor() const {
    const TControl* c = this;
    while (c->ParentColor && c->parent_) c = c->parent_;
    return c->color_;
}

void TControl::SetHint(const std::string& value) {
    hint_ = value;
    UpdateTool();
}

void TControl::SetShowHint(bool value) {
    showHint_ = value;
    UpdateTool();
}

HWND TControl::TooltipWindow() { return parent_ ? parent_->TooltipWindow() : nullptr; }

void TControl::UpdateTool() {
    if (!handle_ || !parent_) return;
    HWND tip = TooltipWindow();
    if (!tip) return;
    // The first record size: every version of the common controls takes it.
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = GetParent(handle_);
    ti.uId = reinterpret_cast<UINT_PTR>(handle_);
    ti.lpszText = const_cast<char*>(hint_.c_str());
    const bool wanted = showHint_ && !hint_.empty();
    if (wanted && !toolAdded_) {
        toolAdded_ = SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
    } else if (wanted) {
        SendMessageA(tip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
    } else if (toolAdded_) {
        SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        toolAdded_ = false;
    }
}

void TControl::RemoveTool() {
    if (!toolAdded_ || !handle_) return;
    if (HWND tip = TooltipWindow()) {
        TOOLINFOA ti{};
        ti.cbSize = TTTOOLINFOA_V1_SIZE;
        ti.hwnd = GetParent(handle_);
        ti.uId = reinterpret_cast<UINT_PTR>(handle_);
        SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
    toolAdded_ = false;
}

void TControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TControl::Repaint() {
    if (!handle_) return;
    InvalidateRect(handle_, nullptr, TRUE);
    UpdateWindow(handle_);
}

void TControl::BringToFront() {
    if (handle_) SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::EraseBackground(HDC dc, const RECT& client) {
    if (transparent_) return;
    POINT origin{0, 0};
    const TControl* owner = this;
    while (owner->ParentColor && owner->parent_) {
        origin.x += owner->left_;
        origin.y += owner->top_;
        owner = owner->parent_;
    }
    if (owner->PaintChildBackground) {
        owner->PaintChildBackground(dc, origin, client);
        return;
    }
    const ScopedBrush brush(CreateSolidBrush(ColorToRGB(EffectiveColor())));
    FillRect(dc, &client, brush.Get());
}

void TControl::Paint(HDC, const RECT&) {}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, TMouseButton::mbLeft, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    // The click handler may free the control (a menu item that closes the form).
    TMouseEvent onMouseUp = OnMouseUp;
    const bool click = clickPending_;
    clickPending_ = false;
    if (click) Click();
    if (onMouseUp) onMouseUp(this, button, shift, x, y);
}

bool TControl::WndProc(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    result = 0;
    switch (msg) {
        case WM_ERASEBKGND: {
            RECT r{};
            GetClientRect(handle_, &r);
            EraseBackground(reinterpret_cast<HDC>(wp), r);
            result = 1;
            return true;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(handle_, &ps);
            RECT r{};
            GetClientRect(handle_, &r);
            Paint(dc, r);
            EndPaint(handle_, &ps);
            return true;
        }
        case WM_SETTEXT:
            result = DefWindowProcA(handle_, msg, wp, lp);
            Invalidate();
            return true;
        case WM_SETCURSOR:
            if (LOWORD(lp) == HTCLIENT) {
                SetCursor(CursorHandle(Screen->Cursor() != crDefault ? Screen->Cursor() : Cursor));
                result = TRUE;
                return true;
            }
            return false;
        case WM_WINDOWPOSCHANGED: {
            // The system moves windows too (the move loop, the user): keep the
            // stored bounds the window's own.
            RECT r{};
            GetWindowRect(handle_, &r);
            if (HWND parent = GetParent(handle_); parent && (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD))
                MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
            left_ = r.left;
            top_ = r.top;
            width_ = r.right - r.left;
            height_ = r.bottom - r.top;
            return false;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK: {
            TMouseButton b = TMouseButton::mbLeft;
            if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK) b = TMouseButton::mbRight;
            if (msg == WM_MBUTTONDOWN || msg == WM_MBUTTONDBLCLK) b = TMouseButton::mbMiddle;
            TShiftState shift = ShiftFromKeys(wp);
            const bool dbl = msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
            if (dbl) shift |= ssDouble;
            SetCapture(handle_);
            pressed_ = true;
            downButton_ = b;
            doublePress_ = dbl;
            if (dbl && b == TMouseButton::mbLeft && OnDblClick) OnDblClick(this);
            MouseDown(b, shift, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
            return true;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            TMouseButton b = TMouseButton::mbLeft;
            if (msg == WM_RBUTTONUP) b = TMouseButton::mbRight;
            if (msg == WM_MBUTTONUP) b = TMouseButton::mbMiddle;
            const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
            RECT r{};
            GetClientRect(handle_, &r);
            const POINT pt{x, y};
            // Read before releasing the capture, which clears the pressed state.
            clickPending_ =
                pressed_ && !doublePress_ && downButton_ == b && b == TMouseButton::mbLeft && PtInRect(&r, pt);
            doublePress_ = false;
            if (GetCapture() == handle_) ReleaseCapture();
            pressed_ = false;
            MouseUp(b, ShiftFromKeys(wp), x, y);
            return true;
        }
        case WM_MOUSEMOVE: {
            if (!tracking_) {
                tracking_ = true;
                if (!mouseInside_) {
                    mouseInside_ = true;
                    Invalidate();
                }
                TRACKMOUSEEVENT tme{};
                tme.cbSize = sizeof tme;
                tme.dwFlags = TME_LEAVE;
                tme.hwndTrack = handle_;
                _TrackMouseEvent(&tme);
            }
            MouseMove(ShiftFromKeys(wp), GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
            return true;
        }
        case WM_MOUSELEAVE:
            tracking_ = false;
            mouseInside_ = false;
            MouseLeave();
            return true;
        case WM_CAPTURECHANGED:
            pressed_ = false;
            Invalidate();
            return false;
        default:
            return false;
    }
}

LRESULT CALLBACK TControl::ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        if (auto* self = static_cast<TControl*>(cs->lpCreateParams)) self->Attach(hwnd);
    }
    auto* self = reinterpret_cast<TControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        // The window is going (with its parent, or by the system): the object
        // lives on without it.
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
        self->ownsHandle_ = false;
        self->toolAdded_ = false;
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    LRESULT result = 0;
    bool handled = false;
    // An event handler may free the control: only the handler's result is read after it.
    CallGuarded([&] { handled = self->WndProc(msg, wp, lp, result); });
    return handled ? result : DefWindowProcA(hwnd, msg, wp, lp);
}
