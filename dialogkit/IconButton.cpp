#include "dialogkit/IconButton.h"

#include "dialogkit/core/IconButtonLayout.h"
#include "framework/dialogs/WinApp.h"

BOOL CIconButton::SetIcon(WORD id, int cx, int cy) {
    icon_.Reset(
        static_cast<HICON>(LoadImageA(ResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR)));
    if (!icon_) return FALSE;
    iconWidth_ = cx;
    iconHeight_ = cy;
    if (Handle()) Invalidate(true);
    return TRUE;
}

void CIconButton::DrawItem(DRAWITEMSTRUCT* item) {
    HDC dc = item->hDC;
    RECT r = item->rcItem;
    const UINT state = item->itemState;
    const bool pressed = (state & ODS_SELECTED) != 0;
    const UINT drawFlag = (state & ODS_DISABLED) ? DSS_DISABLED : DSS_NORMAL;

    if (item->itemAction != ODA_FOCUS) {
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
        const std::string caption = GetWindowText();
        const RECT client = GetClientRect();
        const int clientWidth = client.right - client.left;
        const int clientHeight = client.bottom - client.top;
        if (icon_) {
            const dialogkit::Point p = dialogkit::IconOrigin(r.left, clientWidth, clientHeight, iconWidth_,
                                                               iconHeight_, !caption.empty(), pressed);
            DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon_.Get()), 0, p.x, p.y, iconWidth_,
                       iconHeight_, DST_ICON | drawFlag);
        }
        if (!caption.empty()) {
            SIZE extent{};
            GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
            const dialogkit::Point p = dialogkit::CaptionOrigin(client.left, client.right, clientHeight, extent.cx,
                                                                  extent.cy, icon_.Valid(), iconWidth_, pressed);
            DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(caption.c_str()),
                       static_cast<WPARAM>(caption.size()), p.x, p.y, 0, 0, DST_TEXT | drawFlag);
        }
    }

    if (dialogkit::ShouldDrawFocus(state, lastState_, item->itemAction)) {
        const int inset = dialogkit::FocusInset(r.right - r.left, r.bottom - r.top);
        RECT focus = r;
        InflateRect(&focus, -inset, -inset);
        DrawFocusRect(dc, &focus);
    }
    lastState_ = state;
}
