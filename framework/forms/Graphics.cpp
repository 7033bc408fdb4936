#include "Graphics.h"

void TIcon::SetHandle(HICON icon) {
    if (icon == handle_) return;
    ReleaseHandle();
    handle_ = icon;
}

void TIcon::Assign(const TIcon& other) {
    if (&other != this) AssignHandle(other.handle_);
}

void TIcon::AssignHandle(HICON icon) { SetHandle(icon ? CopyIcon(icon) : nullptr); }

void TIcon::ReleaseHandle() {
    if (handle_) DestroyIcon(handle_);
    handle_ = nullptr;
}

TBitmap::~TBitmap() { Free(); }

void TBitmap::Free() {
    if (canvas_.dc_) {
        if (previous_) SelectObject(canvas_.dc_, previous_);
        DeleteDC(canvas_.dc_);
    }
    if (bitmap_) DeleteObject(bitmap_);
    canvas_.dc_ = nullptr;
    bitmap_ = nullptr;
    previous_ = nullptr;
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
    bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    canvas_.dc_ = CreateCompatibleDC(nullptr);
    if (!bitmap_ || !canvas_.dc_) {
        Free();
        return;
    }
    previous_ = SelectObject(canvas_.dc_, bitmap_);
    width_ = width;
    height_ = height;
    Fill(RGB(255, 255, 255));
}

void TBitmap::Fill(COLORREF color) {
    if (!canvas_.dc_) return;
    RECT r{0, 0, width_, height_};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(canvas_.dc_, &r, brush);
    DeleteObject(brush);
}
