#include "framework/forms/HintWindow.h"

#include <algorithm>

namespace {
const int kMargin = 2;
const UINT kTextFlags = DT_WORDBREAK | DT_NOPREFIX | DT_LEFT;
}

THintWindow::THintWindow(TComponent* AOwner) : TControl(AOwner) {
    SetColor(clInfoBk);
    SetVisible(false);
}

THintWindow::~THintWindow() { DestroyHandle(); }

HFONT THintWindow::Font() {
    if (!font_) {
        // The size of the first record version, which every system accepts.
        NONCLIENTMETRICSA ncm{};
        ncm.cbSize = sizeof ncm;
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
            font_.Reset(CreateFontIndirectA(&ncm.lfStatusFont));
    }
    return font_ ? font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void THintWindow::CreateHandle() {
    if (Handle()) return;
    RegisterWindowClass(WindowClassName(), CS_SAVEBITS);
    HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WindowClassName(), Caption().c_str(),
                                WS_POPUP | WS_BORDER, Left(), Top(), Width(), Height(), ParentWindow, nullptr,
                                GetModuleHandleA(nullptr), this);
    if (hwnd && !Handle()) Attach(hwnd);
}

RECT THintWindow::CalcHintRect(int MaxWidth, const std::string& Hint) {
    maxWidth_ = MaxWidth;
    RECT r{0, 0, MaxWidth, 0};
    const ScopedWindowDC dc(nullptr);
    const ScopedSelect font(dc.Get(), Font());
    DrawTextA(dc.Get(), Hint.c_str(), -1, &r, kTextFlags | DT_CALCRECT);
    // Room for the border and a little air around the text.
    r.right += 2 * kMargin + 4;
    r.bottom += 2 * kMargin + 2;
    return r;
}

void THintWindow::ActivateHint(RECT Rect, const std::string& Hint) {
    HandleNeeded();
    if (!Handle()) return;
    const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    const int x = std::max(0, std::min<int>(Rect.left, sw - w));
    const int y = std::max(0, std::min<int>(Rect.top, sh - h));
    SetCaption(Hint);
    SetBounds(x, y, w, h);
    TControl::SetVisible(true);
    SetWindowPos(Handle(), HWND_TOPMOST, x, y, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
}

bool THintWindow::WndProc(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_NCHITTEST) {
        // Clicks go through to what lies below.
        result = HTTRANSPARENT;
        return true;
    }
    // Hidden by others (ShowWindow on the handle): noted once the hide is
    // done. Hiding again from inside the hide makes Wine finish it without
    // its no-activate flag, after which the window waits two seconds for a
    // window manager each time it shows.
    if (msg == WM_WINDOWPOSCHANGED && (reinterpret_cast<const WINDOWPOS*>(lp)->flags & SWP_HIDEWINDOW))
        TControl::SetVisible(false);
    return TControl::WndProc(msg, wp, lp, result);
}

void THintWindow::Paint(HDC dc, const RECT& client) {
    RECT r = client;
    InflateRect(&r, -kMargin, -kMargin);
    r.left += 1;
    const ScopedSelect font(dc, Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    DrawTextA(dc, Caption().c_str(), -1, &r, kTextFlags);
}
