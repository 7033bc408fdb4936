#include "framework/forms/ImageList.h"

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

void TImageList::Free() {
    own_.Reset();
    list_ = nullptr;
}

HIMAGELIST TImageList::Handle() {
    if (!list_) {
        own_.Reset(ImageList_Create(Width, Height, ILC_COLOR24 | ILC_MASK, 16, 16));
        list_ = own_.Get();
    }
    return list_;
}

void TImageList::SetHandle(HIMAGELIST list, bool share) {
    if (list != list_) {
        Free();
        list_ = list;
        int cx = 0, cy = 0;
        if (list_ && ImageList_GetIconSize(list_, &cx, &cy)) {
            Width = cx;
            Height = cy;
        }
    }
    if (share)
        own_.Release();
    else if (own_.Get() != list_)
        own_.Reset(list_);
}

int TImageList::Count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }

int TImageList::AddMasked(const TBitmap& bitmap, COLORREF maskColor) {
    if (!bitmap.Handle()) return -1;
    HIMAGELIST h = Handle();
    // The list copies the bitmap, which must not be selected into a device
    // context meanwhile: a stand-in takes its place for the call. (The call
    // also turns the mask colour black in the source.)
    HDC dc = const_cast<TBitmap&>(bitmap).Canvas()->Handle();
    const ScopedBitmap standIn(CreateCompatibleBitmap(dc, 1, 1));
    const ScopedSelect swapped(dc, standIn.Get());
    return ImageList_AddMasked(h, bitmap.Handle(), maskColor);
}

int TImageList::AddIcon(HICON icon) { return icon ? ImageList_AddIcon(Handle(), icon) : -1; }

void TImageList::Draw(HDC dc, int x, int y, int index, bool enabled) const {
    if (!list_ || index < 0 || index >= ImageList_GetImageCount(list_)) return;
    ImageList_Draw(list_, index, dc, x, y, enabled ? ILD_TRANSPARENT : (ILD_TRANSPARENT | ILD_BLEND50));
}

void TImageList::Clear() {
    if (own_) ImageList_RemoveAll(list_);
}
