#include "framework/forms/Graphics.h"

void TIcon::SetHandle(HICON icon) {
    if (icon != handle_.Get()) handle_.Reset(icon);
}

void TIcon::Assign(const TIcon& other) {
    if (&other != this) AssignHandle(other.Handle());
}

void TIcon::AssignHandle(HICON icon) { SetHandle(icon ? CopyIcon(icon) : nullptr); }

void TBitmap::Free() {
    selected_.reset();
    dc_.Reset();
    bitmap_.Reset();
    canvas_.dc_ = nullptr;
    width_ = height_ = 0;
}

void TBitmap::SetSize(int width, int height) {
    Free();
    if (width <= 0 || height <= 0) return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    dc_.Reset(CreateCompatibleDC(nullptr));
    if (!bitmap_ || !dc_) {
        Free();
        return;
    }
    selected_.emplace(dc_.Get(), bitmap_.Get());
    canvas_.dc_ = dc_.Get();
    width_ = width;
    height_ = height;
    Fill(RGB(255, 255, 255));
}

void TBitmap::CopyFrom(HBITMAP picture) {
    const ScopedMemoryDC source(CreateCompatibleDC(nullptr));
    if (!picture || !source || !dc_) return;
    const ScopedSelect selected(source.Get(), picture);
    BitBlt(dc_.Get(), 0, 0, width_, height_, source.Get(), 0, 0, SRCCOPY);
}

void TBitmap::Fill(COLORREF color) {
    if (!canvas_.dc_) return;
    RECT r{0, 0, width_, height_};
    const ScopedBrush brush(CreateSolidBrush(color));
    FillRect(canvas_.dc_, &r, brush.Get());
}
