#include "framework/forms/PopupList.h"

#include <algorithm>

#include "framework/forms/Application.h"
#include "framework/forms/Forms.h"
#include "framework/forms/ImageList.h"
#include "framework/forms/Menus.h"

namespace {
const char kPopupListClass[] = "TMivoraPopupList";
// A command chosen in a menu, handed to the window after the menu call.
const UINT CM_MENUCOMMAND = WM_APP + 0x3E2;
const int kIconSpace = 22;  // the icon column: 16 pixels and some air
const int kTextGap = 6;
}  // namespace

TPopupList& TPopupList::Instance() {
    static TPopupList list;
    return list;
}

HWND TPopupList::Window() {
    if (window_ && IsWindow(window_)) return window_;
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefaultProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kPopupListClass;
    RegisterClassA(&wc);
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kPopupListClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              wc.hInstance, nullptr);
    return window_;
}

LRESULT CALLBACK TPopupList::DefaultProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    bool done = false;
    CallGuarded([&] {
        result = Instance().Dispatch(hwnd, msg, wp, lp);
        done = true;
    });
    return done ? result : 0;
}

TMenuItem* TPopupList::FindItemByCommand(UINT command) const {
    for (auto it = tracking_.rbegin(); it != tracking_.rend(); ++it)
        if (TMenuItem* item = (*it)->Items()->FindByCommand(command)) return item;
    return nullptr;
}

TMenuItem* TPopupList::FindItemBySubmenu(HMENU submenu) const {
    for (auto it = tracking_.rbegin(); it != tracking_.rend(); ++it)
        if (TMenuItem* item = (*it)->Items()->FindBySubmenu(submenu)) return item;
    return nullptr;
}

TMenuItem* TPopupList::KnownItem(ULONG_PTR data, TPopupMenu** owner) const {
    // The item data of an owner-drawn entry is trusted only when it names an
    // item of a menu being shown.
    auto* item = reinterpret_cast<TMenuItem*>(data);
    for (TPopupMenu* menu : tracking_) {
        if (!menu->Items()->Contains(item)) continue;
        if (owner) *owner = menu;
        return item;
    }
    return nullptr;
}

HFONT TPopupList::MenuFont(bool bold) {
    ScopedFont& f = bold ? boldFont_ : font_;
    if (!f) {
        NONCLIENTMETRICSA ncm{};
        ncm.cbSize = sizeof ncm;
        LOGFONTA lf{};
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
            lf = ncm.lfMenuFont;
        else
            GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
        if (bold) lf.lfWeight = FW_BOLD;
        f.Reset(CreateFontIndirectA(&lf));
    }
    return f.Get();
}

void TPopupList::Track(TPopupMenu* menu, int x, int y) {
    HWND owner = Window();
    HMENU handle = menu->Items()->CreateLiveHandle(menu->Images);
    tracking_.push_back(menu);
    HideFormTips();
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(handle, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, x, y, 0, owner, nullptr));
    // The menu may have been freed by a handler that ran inside the menu loop.
    auto it = std::find(tracking_.begin(), tracking_.end(), menu);
    if (it == tracking_.end()) return;
    tracking_.erase(it);
    menu->Items()->DestroyLiveHandle();
    // Without a message after the menu, a menu can fail to close at the next outside click.
    PostMessageA(owner, WM_NULL, 0, 0);
    if (chosen) {
        pending_.emplace_back(menu, chosen);
        PostMessageA(owner, CM_MENUCOMMAND, chosen, 0);
    }
}

void TPopupList::Forget(TPopupMenu* menu) {
    tracking_.erase(std::remove(tracking_.begin(), tracking_.end(), menu), tracking_.end());
    pending_.erase(std::remove_if(pending_.begin(), pending_.end(),
                                  [menu](const std::pair<TPopupMenu*, UINT>& p) { return p.first == menu; }),
                   pending_.end());
}

LRESULT TPopupList::Dispatch(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case CM_MENUCOMMAND: {
            const UINT command = static_cast<UINT>(wp);
            auto it = std::find_if(pending_.begin(), pending_.end(),
                                   [command](const std::pair<TPopupMenu*, UINT>& p) { return p.second == command; });
            if (it == pending_.end()) return 0;
            TPopupMenu* menu = it->first;
            pending_.erase(it);
            if (TMenuItem* item = menu->Items()->FindByCommand(command)) item->Click();
            return 0;
        }
        case WM_INITMENUPOPUP: {
            // A submenu is about to open: its item's click fills it, in place.
            auto submenu = reinterpret_cast<HMENU>(wp);
            TMenuItem* item = FindItemBySubmenu(submenu);
            if (item && item->Parent()) {
                item->Click();
                item->RebuildLiveHandle();
            }
            return 0;
        }
        case WM_MEASUREITEM: {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
            if (mis->CtlType != ODT_MENU) break;
            MeasureItem(*mis);
            return TRUE;
        }
        case WM_DRAWITEM: {
            auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
            if (dis->CtlType != ODT_MENU) break;
            DrawItem(*dis);
            return TRUE;
        }
        default:
            break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

void TPopupList::MeasureItem(MEASUREITEMSTRUCT& mis) {
    TMenuItem* item = KnownItem(mis.itemData);
    const std::string text = item ? item->Caption : std::string();
    const ScopedWindowDC dc(window_);
    const ScopedSelect font(dc.Get(), MenuFont(item && item->Default));
    SIZE size{};
    GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc.Get(), &tm);
    mis.itemWidth = static_cast<UINT>(kIconSpace + kTextGap + size.cx + kTextGap);
    mis.itemHeight = static_cast<UINT>(std::max<LONG>(20, tm.tmHeight + 4));
}

void TPopupList::DrawItem(const DRAWITEMSTRUCT& dis) {
    TPopupMenu* menu = nullptr;
    TMenuItem* item = KnownItem(dis.itemData, &menu);
    if (!item) return;
    HDC dc = dis.hDC;
    RECT r = dis.rcItem;
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    const bool grayed = (dis.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    const int iconTop = r.top + (r.bottom - r.top - 16) / 2;
    if (item->ImageIndex >= 0 && menu->Images) {
        menu->Images->Draw(dc, r.left + 3, iconTop, item->ImageIndex, !grayed);
    } else if (item->Checked) {
        RECT mark{r.left + 3, iconTop, r.left + 19, iconTop + 16};
        DrawFrameControl(dc, &mark, DFC_MENU, item->RadioItem ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    }
    RECT tr = r;
    tr.left += kIconSpace + kTextGap;
    const ScopedSelect font(dc, MenuFont(item->Default));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(grayed ? COLOR_GRAYTEXT : (selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT)));
    DrawTextA(dc, item->Caption.c_str(), -1, &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
}
