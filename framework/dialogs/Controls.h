// The control wrappers the tool libraries' dialogs use, each a thin layer of
// forwarders over the control's messages.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ScopedHandle.h"
#include "Wnd.h"

class CButton : public CWnd {};

class CSpinButtonCtrl : public CWnd {
public:
    // 16-bit range: the form every version of the control knows.
    void SetRange(short lower, short upper) const { Send(UDM_SETRANGE, 0, MAKELPARAM(upper, lower)); }
    // The position as the control reads it from its buddy. When the buddy's
    // text is no number in range the control flags an error in the high word;
    // the low word still holds the nearest position it knows.
    int GetPos() const { return static_cast<short>(LOWORD(Send(UDM_GETPOS))); }
};

class CAnimateCtrl : public CWnd {
public:
    // Opens an AVI resource of the module; playing starts by itself with ACS_AUTOPLAY.
    bool Open(UINT resourceId) const;
};

// Owns an image list and destroys it.
class CImageList {
public:
    bool Create(int cx, int cy, UINT flags, int initial, int grow);
    // The image `image1` of one list with `image2` of another drawn over it, as a list of its own.
    bool Create(const CImageList& list1, int image1, const CImageList& list2, int image2, int dx, int dy);
    void Destroy() { list_.Reset(); }
    HIMAGELIST Handle() const { return list_.Get(); }
    COLORREF SetBkColor(COLORREF colour) const { return ImageList_SetBkColor(list_.Get(), colour); }
    // Adds a copy of the icon; the caller still owns `icon`.
    int Add(HICON icon) const { return ImageList_AddIcon(list_.Get(), icon); }
    // A new icon of the image, which the caller owns.
    HICON ExtractIcon(int image) const { return ImageList_GetIcon(list_.Get(), image, ILD_NORMAL); }

private:
    ScopedImageList list_;
};

class CListCtrl : public CWnd {
public:
    int InsertColumn(int column, const std::string& heading, int format, int width) const;
    // A row whose text the list asks for when it draws (LPSTR_TEXTCALLBACK).
    int InsertCallbackItem(int index, int image, LPARAM data) const;
    bool DeleteItem(int index) const { return Send(LVM_DELETEITEM, static_cast<WPARAM>(index)) != 0; }
    int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    int GetNextItem(int start, UINT flags) const {
        return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
    }
    int GetSelected() const { return GetNextItem(-1, LVNI_SELECTED); }
    LPARAM GetItemData(int index) const;
    int GetItemImage(int index) const;
    void Select(int index) const;
    bool EnsureVisible(int index) const { return Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE) != 0; }
    bool SortItems(PFNLVCOMPARE compare, LPARAM data) const {
        return Send(LVM_SORTITEMS, static_cast<WPARAM>(data), reinterpret_cast<LPARAM>(compare)) != 0;
    }
    void SetSmallImageList(HIMAGELIST list) const {
        Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(list));
    }
};
