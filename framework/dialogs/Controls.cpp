#include "framework/dialogs/Controls.h"

#include "framework/dialogs/WinApp.h"

bool CAnimateCtrl::Open(UINT resourceId) const {
    return Send(ACM_OPENA, reinterpret_cast<WPARAM>(ResourceHandle()),
                reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(resourceId))) != 0;
}

int CTabCtrl::InsertItem(int index, const std::string& text, int image) const {
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<char*>(text.c_str());
    item.iImage = image;
    return static_cast<int>(Send(TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

bool CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    list_.Reset(ImageList_Create(cx, cy, flags, initial, grow));
    return list_.Valid();
}

bool CImageList::Create(const CImageList& list1, int image1, const CImageList& list2, int image2, int dx, int dy) {
    list_.Reset(ImageList_Merge(list1.Handle(), image1, list2.Handle(), image2, dx, dy));
    return list_.Valid();
}

int CListCtrl::InsertColumn(int column, const std::string& heading, int format, int width) const {
    LVCOLUMNA c{};
    c.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    c.fmt = format;
    c.cx = width;
    c.pszText = const_cast<char*>(heading.c_str());
    c.iSubItem = column;
    return static_cast<int>(Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c)));
}

int CListCtrl::InsertCallbackItem(int index, int image, LPARAM data) const {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = index;
    item.pszText = LPSTR_TEXTCALLBACKA;
    item.iImage = image;
    item.lParam = data;
    return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

LPARAM CListCtrl::GetItemData(int index) const {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    return Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : 0;
}

int CListCtrl::GetItemImage(int index) const {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    return Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? item.iImage : -1;
}

void CListCtrl::Select(int index) const {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}
