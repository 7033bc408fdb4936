// The control wrappers the tool libraries' dialogs use, each a thin layer of
// forwarders over the control's messages.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/win32/ScopedHandle.h"
#include "framework/dialogs/Wnd.h"

class CButton : public CWnd {};

// Up-down control.
class CSpinButtonCtrl : public CWnd {
public:
    // 16-bit range and position: the form every version of the control knows.
    void SetRange(short lower, short upper) const { Send(UDM_SETRANGE, 0, MAKELPARAM(upper, lower)); }
    // The position as the control reads it from its buddy. When the buddy's
    // text is no number in range the control flags an error in the high word;
    // the low word still holds the nearest position it knows.
    int GetPos() const { return static_cast<short>(LOWORD(Send(UDM_GETPOS))); }
    void SetPos(int pos) const { Send(UDM_SETPOS, 0, MAKELPARAM(static_cast<short>(pos), 0)); }
    void SetBuddy(HWND buddy) const { Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy)); }
};

class CTabCtrl : public CWnd {
public:
    int InsertItem(int index, const std::string& text, int image = -1) const;
    int GetCurSel() const { return static_cast<int>(Send(TCM_GETCURSEL)); }
    // Sends no TCN_SELCHANGE: whoever selects shows the page.
    void SetCurSel(int index) const { Send(TCM_SETCURSEL, static_cast<WPARAM>(index)); }
    // Where the pages go, in the tab control's client coordinates.
    RECT DisplayRect() const {
        RECT r = GetClientRect();
        Send(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
        return r;
    }
};

// A combo box whose items are filled in code.
class CComboBox : public CWnd {
public:
    int AddString(const std::string& text) const {
        return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    // CB_ERR (-1) when nothing is selected.
    int GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    void SetCurSel(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    int FindStringExact(const std::string& text) const {
        return static_cast<int>(Send(CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(text.c_str())));
    }
};

class CDateTimeCtrl : public CWnd {
public:
    SYSTEMTIME GetTime() const {
        SYSTEMTIME time{};
        Send(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
        return time;
    }
    void SetTime(const SYSTEMTIME& time) const { Send(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time)); }
    // A display format such as "HH':'mm"; empty: the control's default.
    void SetFormat(const std::string& format) const {
        Send(DTM_SETFORMATA, 0, format.empty() ? 0 : reinterpret_cast<LPARAM>(format.c_str()));
    }
};

// Progress bar with a 32-bit range.
class CProgressCtrl : public CWnd {
public:
    void SetRange(int lower, int upper) const { Send(PBM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
    int GetPos() const { return static_cast<int>(Send(PBM_GETPOS)); }
    void SetPos(int pos) const { Send(PBM_SETPOS, static_cast<WPARAM>(pos)); }
};

// Track bar.
class CSliderCtrl : public CWnd {
public:
    void SetRange(int lower, int upper) const {
        Send(TBM_SETRANGEMIN, FALSE, lower);
        Send(TBM_SETRANGEMAX, TRUE, upper);
    }
    int GetPos() const { return static_cast<int>(Send(TBM_GETPOS)); }
    void SetPos(int pos) const { Send(TBM_SETPOS, TRUE, pos); }
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
