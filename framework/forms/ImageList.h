// A list of equally sized small images, its own or one it shares.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "framework/forms/Component.h"
#include "framework/forms/Graphics.h"

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner);

    int Width = 16;
    int Height = 16;
    // The system list; an own list is made on first use.
    HIMAGELIST Handle();
    // Takes a list made elsewhere. With `share` the list is only borrowed and
    // never destroyed here (the system's icon list belongs to the shell).
    void SetHandle(HIMAGELIST list, bool share);
    bool ShareImages() const { return list_ && !own_; }
    int Count() const;
    // Cuts the bitmap into Width-wide images; `maskColor` pixels are transparent.
    int AddMasked(const TBitmap& bitmap, COLORREF maskColor);
    int AddIcon(HICON icon);
    // Draws image `index`; an index outside the list draws nothing.
    void Draw(HDC dc, int x, int y, int index, bool enabled = true) const;
    void Clear();

private:
    void Free();
    HIMAGELIST list_ = nullptr;
    // Holds list_ when it is this object's own.
    ScopedImageList own_;
};
