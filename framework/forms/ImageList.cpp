#include "ImageList.h"

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::~TImageList() { Free(); }

void TImageList::Free() {
    if (list_ && !share_) ImageList_Destroy(list_);
    list_ = nullptr;
    share_ = false;
}

HIMAGELIST TImageList::Handle() {
    if (!list_) {
        list_ = ImageList_Create(Width, Height, ILC_COLOR24 | ILC_MASK, 16, 16);
        share_ = false;
    }
    return list_;
}

void TImageList::SetHandle(HIMAGELIST list, bool share) {
    if (list == list_) {
        share_ = share;
        return;
    }
    Free();
    list_ = list;
    share_ = share;
    if (list_) {
        int cx = 0, cy = 0;
        if (ImageList_GetIconSize(list_, &cx, &cy)) {
            Width = cx;
            Height = cy;
        }
    }
}

int TImageList::Count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }

int TImageList::AddMasked(const TBitmap& bitmap, COLORREF maskColor) {
    if (!bitmap.Handle()) return -1;
    HIMAGELIST h = Handle();
    // The list copies the bitmap, which must not be selected into a device
    // context meanwhile: a stand-in takes its place for the call. (The call
    // also turns the mask colour black in the source.)
    HDC dc = const_cast<TBitmap&>(bitmap).Canvas()->Handle();
    HBITMAP standIn = CreateCompatibleBitmap(dc, 1, 1);
    auto bmp = static_cast<HBITMAP>(SelectObject(dc, standIn));
    const int first = ImageList_AddMasked(h, bmp, maskColor);
    SelectObject(dc, bmp);
    DeleteObject(standIn);
    return first;
}

int TImageList::AddIcon(HICON icon) { return icon ? ImageList_AddIcon(Handle(), icon) : -1; }

void TImageList::Draw(HDC dc, int x, int y, int index, bool enabled) const {
    if (!list_ || index < 0 || index >= ImageList_GetImageCount(list_)) return;
    ImageList_Draw(list_, index, dc, x, y, enabled ? ILD_TRANSPARENT : (ILD_TRANSPARENT | ILD_BLEND50));
}

void TImageList::Clear() {
    if (list_ && !share_) ImageList_RemoveAll(list_);
}
