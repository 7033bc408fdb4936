// Icons and bitmaps, each owning its handle.
#pragma once
#include <windows.h>

#include <optional>

#include "framework/win32/ScopedHandle.h"

class TIcon {
public:
    TIcon() = default;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    HICON Handle() const { return handle_.Get(); }
    // Takes ownership of `icon`.
    void SetHandle(HICON icon);
    // Copies the other icon's image into this one.
    void Assign(const TIcon& other);
    void AssignHandle(HICON icon);  // copies, does not take ownership
    bool Empty() const { return !handle_; }
    void ReleaseHandle() { handle_.Reset(); }

private:
    ScopedIcon handle_;
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
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    void SetSize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    TCanvas* Canvas() { return &canvas_; }
    HBITMAP Handle() const { return bitmap_.Get(); }
    void Fill(COLORREF color);
    // Copies `picture`, which no device context may hold, from its top-left corner.
    void CopyFrom(HBITMAP picture);
    COLORREF Pixel(int x, int y) const { return GetPixel(canvas_.dc_, x, y); }

private:
    void Free();
    TCanvas canvas_;
    // Freed in reverse: the bitmap leaves the device context before either goes.
    ScopedBitmap bitmap_;
    ScopedMemoryDC dc_;
    std::optional<ScopedSelect> selected_;
    int width_ = 0, height_ = 0;
};
