#include "framework/forms/ExtCtrls.h"

namespace {

HFONT ParentFont(HWND hwnd) {
    HWND parent = GetParent(hwnd);
    auto font = reinterpret_cast<HFONT>(SendMessageA(parent ? parent : hwnd, WM_GETFONT, 0, 0));
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

UINT AlignmentFlags(TAlignment a) {
    switch (a) {
        case TAlignment::taCenter: return DT_CENTER;
        case TAlignment::taRightJustify: return DT_RIGHT;
        default: return DT_LEFT;
    }
}

void DrawEdgeCut(HDC dc, RECT& r, TBevelCut cut) {
    if (cut == TBevelCut::bvNone) return;
    DrawEdge(dc, &r, cut == TBevelCut::bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
}

}  // namespace

void DrawTransparentBitmap(HDC dc, int x, int y, const TBitmap& bitmap) {
    const int w = bitmap.Width(), h = bitmap.Height();
    if (w <= 0 || h <= 0) return;
    HDC src = const_cast<TBitmap&>(bitmap).Canvas()->Handle();
    const COLORREF key = bitmap.Pixel(0, h - 1);
    // A monochrome mask: 1 where the key colour is. Works on every system,
    // unlike TransparentBlt, which Windows 95 lacks.
    const ScopedMemoryDC maskDc(CreateCompatibleDC(dc));
    const ScopedBitmap mask(CreateBitmap(w, h, 1, 1, nullptr));
    const ScopedSelect maskSelected(maskDc.Get(), mask.Get());
    const COLORREF oldBk = SetBkColor(src, key);
    BitBlt(maskDc.Get(), 0, 0, w, h, src, 0, 0, SRCCOPY);
    SetBkColor(src, oldBk);
    // Keep the background where the mask is set, then paint the picture's other pixels.
    const ScopedMemoryDC imgDc(CreateCompatibleDC(dc));
    const ScopedBitmap img(CreateCompatibleBitmap(dc, w, h));
    const ScopedSelect imgSelected(imgDc.Get(), img.Get());
    BitBlt(imgDc.Get(), 0, 0, w, h, src, 0, 0, SRCCOPY);
    const COLORREF oldImgBk = SetBkColor(imgDc.Get(), RGB(0, 0, 0));
    const COLORREF oldImgText = SetTextColor(imgDc.Get(), RGB(255, 255, 255));
    // The mask becomes black at key pixels and white elsewhere: the key turns black.
    BitBlt(imgDc.Get(), 0, 0, w, h, maskDc.Get(), 0, 0, SRCAND);
    SetBkColor(imgDc.Get(), oldImgBk);
    SetTextColor(imgDc.Get(), oldImgText);
    const COLORREF oldDcBk = SetBkColor(dc, RGB(255, 255, 255));
    const COLORREF oldDcText = SetTextColor(dc, RGB(0, 0, 0));
    BitBlt(dc, x, y, w, h, maskDc.Get(), 0, 0, SRCAND);
    BitBlt(dc, x, y, w, h, imgDc.Get(), 0, 0, SRCPAINT);
    SetBkColor(dc, oldDcBk);
    SetTextColor(dc, oldDcText);
}

void TLabel::SetTransparent(bool value) {
    transparent_ = value;
    Invalidate();
}

void TLabel::Paint(HDC dc, const RECT& client) {
    if (Caption().empty()) return;
    RECT r = client;
    const ScopedSelect font(dc, ParentFont(Handle()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(FontColor));
    DrawTextA(dc, Caption().c_str(), -1, &r, AlignmentFlags(Alignment) | DT_NOPREFIX | DT_SINGLELINE);
}

TPanel::TPanel(TComponent* AOwner) : TControl(AOwner) {}

void TPanel::Paint(HDC dc, const RECT& client) {
    RECT r = client;
    DrawEdgeCut(dc, r, BevelOuter);
    DrawEdgeCut(dc, r, BevelInner);
    if (!Caption().empty()) {
        const ScopedSelect font(dc, ParentFont(Handle()));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(FontColor));
        DrawTextA(dc, Caption().c_str(), -1, &r,
                  AlignmentFlags(Alignment) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (OnPaint) OnPaint(this);
}

void TImage::Paint(HDC dc, const RECT&) {
    if (picture_.Width() <= 0) return;
    if (Transparent)
        DrawTransparentBitmap(dc, 0, 0, picture_);
    else
        BitBlt(dc, 0, 0, picture_.Width(), picture_.Height(), picture_.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TBevel::Paint(HDC dc, const RECT& client) {
    RECT r = client;
    // A groove: shadow on the left or top, highlight on the right or bottom.
    const bool vertical = (r.bottom - r.top) >= (r.right - r.left);
    HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
    HBRUSH light = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    if (vertical) {
        RECT a{r.left, r.top, r.left + 1, r.bottom}, b{r.left + 1, r.top, r.left + 2, r.bottom};
        FillRect(dc, &a, shadow);
        FillRect(dc, &b, light);
    } else {
        RECT a{r.left, r.top, r.right, r.top + 1}, b{r.left, r.top + 1, r.right, r.top + 2};
        FillRect(dc, &a, shadow);
        FillRect(dc, &b, light);
    }
}

void TSpeedButton::Paint(HDC dc, const RECT& client) {
    RECT r = client;
    const bool down = pressed_ && mouseInside_;
    if (down)
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (!Flat || mouseInside_)
        DrawEdge(dc, &r, Flat ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
    if (glyph_.Width() > 0) {
        const int off = down ? 1 : 0;
        const int x = (r.right - r.left - glyph_.Width()) / 2 + off;
        const int y = (r.bottom - r.top - glyph_.Height()) / 2 + off;
        DrawTransparentBitmap(dc, x, y, glyph_);
    }
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    Invalidate();
    TControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    RECT r{};
    GetClientRect(Handle(), &r);
    const POINT pt{x, y};
    // While captured the mouse may be outside: the button then shows released.
    const bool inside = PtInRect(&r, pt) != FALSE;
    if (inside != mouseInside_) {
        mouseInside_ = inside;
        Invalidate();
    }
    TControl::MouseMove(shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    Invalidate();
    // A speed button reports the release before its click.
    const bool click = clickPending_;
    clickPending_ = false;
    TNotifyEvent onClick = OnClick;
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
    if (click && onClick) onClick(this);
}

void TSpeedButton::MouseLeave() { Invalidate(); }
