// Icons and bitmaps, each owning its handle.
#pragma once
#include <windows.h>

class TIcon {
public:
    TIcon() = default;
    ~TIcon() { ReleaseHandle(); }
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    HICON Handle() const { return handle_; }
    // Takes ownership of `icon`.
    void SetHandle(HICON icon);
    // Copies the other icon's image into this one.
    void Assign(const TIcon& other);
    void AssignHandle(HICON icon);  // copies, does not take ownership
    bool Empty() const { return handle_ == nullptr; }
    void ReleaseHandle();

private:
    HICON handle_ = nullptr;
};

class TCanvas {
public:
    HDC Handle() const { return dc_; }

private:
    friend class TBitmap;
    HDC dc_ = nullptr;
};

// A 32-bit bitmap selected into its own memory device context.
class TBitmap {
public:
    TBitmap() = default;
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    void SetSize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    TCanvas* Canvas() { return &canvas_; }
    HBITMAP Handle() const { return bitmap_; }
    void Fill(COLORREF color);
    COLORREF Pixel(int x, int y) const { return GetPixel(canvas_.dc_, x, y); }

private:
    void Free();
    TCanvas canvas_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    int width_ = 0, height_ = 0;
};
