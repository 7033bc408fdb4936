#include "framework/forms/ComCtrls.h"

#include <algorithm>

// ---- date and time picker ----

DWORD TDateTimePicker::SystemStyle() const {
    return WS_TABSTOP | (Kind == TDateTimeKind::dtkTime ? DTS_TIMEFORMAT : DTS_LONGDATEFORMAT);
}

void TDateTimePicker::CreateHandle() {
    // The pickers are not among the classes every form registers.
    static const bool registered = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)registered;
    TStdControl::CreateHandle();
}

void TDateTimePicker::HandleCreated() {
    if (ranged_) SendMessageA(Handle(), DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range_));
    if (value_.wYear) SendMessageA(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value_));
}

SYSTEMTIME TDateTimePicker::DateTime() const {
    SYSTEMTIME st = value_;
    if (Handle() && SendMessageA(Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID)
        st = value_;
    return st;
}

void TDateTimePicker::SetDateTime(const SYSTEMTIME& value) {
    value_ = value;
    if (Handle()) SendMessageA(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value_));
}

void TDateTimePicker::SetRange(const SYSTEMTIME& first, const SYSTEMTIME& last) {
    range_[0] = first;
    range_[1] = last;
    ranged_ = true;
    if (Handle()) SendMessageA(Handle(), DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range_));
}

LRESULT TDateTimePicker::Notify(NMHDR& header) {
    if (header.code == DTN_DATETIMECHANGE) {
        value_ = DateTime();
        if (OnChange) OnChange(this);
    }
    return 0;
}

// ---- animation ----

bool TAnimate::Play(HINSTANCE module, int resource, int lastFrame) {
    if (!Send(ACM_OPENA, reinterpret_cast<WPARAM>(module), reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(resource))))
        return false;
    if (Send(ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, lastFrame))) return true;
    // A system's clip of that name may hold fewer frames: then all of them.
    return Send(ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, 0xFFFF)) != 0;
}

// ---- grid ----

void TStringGrid::SetColumns(const std::vector<std::string>& captions, const std::vector<int>& widths) {
    captions_ = captions;
    widths_ = widths;
    captions_.resize(widths_.size());
    if (Handle()) HandleCreated();
}

void TStringGrid::HandleCreated() {
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    if (Images) SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(Images));
    while (SendMessageA(Handle(), LVM_DELETECOLUMN, 0, 0)) {
    }
    for (size_t i = 0; i < widths_.size(); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = widths_[i];
        column.pszText = const_cast<char*>(captions_[i].c_str());
        SendMessageA(Handle(), LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

int TStringGrid::RowCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)) + 1; }

void TStringGrid::SetRowCount(int value) {
    const int lines = std::max(value, 1) - 1;
    for (int n = RowCount() - 1; n > lines; --n) Send(LVM_DELETEITEM, static_cast<WPARAM>(n - 1));
    for (int n = RowCount() - 1; n < lines; ++n) {
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = n;
        item.iImage = -1;
        item.pszText = const_cast<char*>("");
        Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

std::string TStringGrid::Cells(int col, int row) const {
    if (row < 1 || row >= RowCount())
        return row == 0 && col >= 0 && col < ColCount() ? captions_[static_cast<size_t>(col)] : "";
    std::vector<char> buf(256);
    for (;;) {
        LVITEMA item{};
        item.iSubItem = col;
        item.pszText = buf.data();
        item.cchTextMax = static_cast<int>(buf.size());
        const auto got =
            static_cast<size_t>(Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&item)));
        // A text that filled the buffer may have been cut: ask again with more room.
        if (got + 1 < buf.size()) return std::string(buf.data(), got);
        buf.resize(buf.size() * 2);
    }
}

void TStringGrid::SetCells(int col, int row, const std::string& text) {
    if (row < 1 || row >= RowCount()) return;
    LVITEMA item{};
    item.iSubItem = col;
    item.pszText = const_cast<char*>(text.c_str());
    Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&item));
}

int TStringGrid::Row() const {
    return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) + 1;
}

void TStringGrid::SetRow(int row) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    if (row < 1 || row >= RowCount()) {
        item.state = 0;
        Send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
        return;
    }
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&item));
    Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row - 1), FALSE);
}

void TStringGrid::SetRowImage(int row, int image) {
    if (row < 1 || row >= RowCount()) return;
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row - 1;
    item.iImage = image;
    Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

LRESULT TStringGrid::Notify(NMHDR& header) {
    switch (header.code) {
        case NM_CLICK: {
            LVHITTESTINFO hit{};
            const DWORD pos = GetMessagePos();
            hit.pt = POINT{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
            ScreenToClient(Handle(), &hit.pt);
            if (Send(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) >= 0 && hit.iItem >= 0 && OnCellClick)
                OnCellClick(hit.iSubItem, hit.iItem + 1);
            break;
        }
        case NM_DBLCLK:
            if (OnDblClick) OnDblClick(this);
            break;
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if (((change.uOldState ^ change.uNewState) & LVIS_SELECTED) && OnSelect) OnSelect(this);
            break;
        }
        case LVN_KEYDOWN:
            if (OnKeyDown) OnKeyDown(reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey);
            break;
        default: break;
    }
    return 0;
}
