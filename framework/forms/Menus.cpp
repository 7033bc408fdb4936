#include "framework/forms/Menus.h"

#include "framework/forms/Application.h"

namespace {
// Command ids shared by every menu of the process, so an id names one item;
// they stay below the system command range.
constexpr UINT kFirstCommand = 101, kEndCommand = 0xF000;

// The ids live items hold. Menus rebuilt for hours (the network menu, folder
// menus of hundreds of items) wrap the counter, and an id handed out twice
// would let a click run another menu's item.
std::vector<bool>& CommandsHeld() {
    static std::vector<bool> held(kEndCommand, false);
    return held;
}

UINT TakeCommand() {
    static UINT next = kFirstCommand - 1;
    std::vector<bool>& held = CommandsHeld();
    for (UINT tried = kFirstCommand; tried < kEndCommand; ++tried) {
        if (++next >= kEndCommand) next = kFirstCommand;
        if (!held[next]) {
            held[next] = true;
            return next;
        }
    }
    throw EMenuError("Too many menu items");
}

void ReleaseCommand(UINT command) {
    if (command >= kFirstCommand && command < kEndCommand) CommandsHeld()[command] = false;
}
}  // namespace

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), command_(TakeCommand()) {}

TMenuItem::~TMenuItem() {
    Clear();
    ReleaseCommand(command_);
}

void TMenuItem::Add(TMenuItem* child) {
    child->RemoveFromOwner();
    child->parent_ = this;
    items_.push_back(child);
}

void TMenuItem::Clear() {
    std::vector<TMenuItem*> old;
    old.swap(items_);
    for (TMenuItem* item : old) delete item;
}

TMenuItem* TMenuItem::FindByCommand(UINT command) {
    if (command_ == command) return this;
    for (TMenuItem* item : items_)
        if (TMenuItem* found = item->FindByCommand(command)) return found;
    return nullptr;
}

void TMenuItem::Click() {
    if (Enabled && OnClick) OnClick(this);
}

HMENU TMenuItem::BuildPopup() const {
    HMENU menu = CreatePopupMenu();
    for (const TMenuItem* item : items_) {
        if (item->Caption == "-") {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING | (item->Enabled ? 0 : MF_GRAYED) | (item->Checked ? MF_CHECKED : 0);
        if (item->Count() > 0) {
            AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(item->BuildPopup()),
                        item->Caption.c_str());
        } else {
            AppendMenuA(menu, flags, item->command_, item->Caption.c_str());
        }
        if (item->Default) SetMenuDefaultItem(menu, item->command_, FALSE);
    }
    return menu;
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner) {}

void TPopupMenu::Popup(int X, int Y) {
    if (OnPopup) OnPopup(this);
    HWND owner = OwnerWindow ? OwnerWindow : Application->Handle();
    const ScopedMenu menu(items_.BuildPopup());
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, X, Y, 0, owner, nullptr));
    // Without a message after the menu, a menu opened from the tray can fail to
    // close when the user clicks elsewhere.
    PostMessageA(owner, WM_NULL, 0, 0);
    if (chosen == 0) return;
    if (TMenuItem* item = items_.FindByCommand(chosen)) item->Click();
}

// ---- menus built at run time, shown through the pop-up list window ----

#include <cstddef>

#include "framework/forms/ImageList.h"
#include "framework/forms/PopupList.h"

namespace {
// Captions are data (file names, addresses), never accelerator texts.
std::string MenuText(const std::string& caption) {
    std::string out;
    out.reserve(caption.size());
    for (char c : caption) {
        if (c == '&') out += '&';
        out += c;
    }
    return out;
}

// The record size of the first version, which Windows 95 and NT 4 accept.
const UINT kMenuItemInfoSize = offsetof(MENUITEMINFOA, hbmpItem);

// Takes every entry out without freeing submenus: DestroyMenu would free them
// too, and each child item frees its own.
void DetachEntries(HMENU menu) {
    while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
}
}  // namespace

TMenuItem::Live::~Live() {
    if (handle) DetachEntries(handle.Get());
    handle.Reset();
    if (data && release) release(data);
}

void TMenuItem::SetData(void* data, TDataRelease release) {
    if (live_.data && live_.release && live_.data != data) live_.release(live_.data);
    live_.data = data;
    live_.release = release;
}

void TMenuItem::Insert(int index, TMenuItem* child) {
    if (index < 0) index = 0;
    if (index > Count()) index = Count();
    child->RemoveFromOwner();
    child->parent_ = this;
    items_.insert(items_.begin() + index, child);
}

void TMenuItem::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    TMenuItem* child = items_[static_cast<size_t>(index)];
    items_.erase(items_.begin() + index);
    // Out of the shown menu before its own system menu goes.
    if (live_.handle) RebuildLiveHandle();
    delete child;
}

int TMenuItem::IndexOf(const TMenuItem* child) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == child) return static_cast<int>(i);
    return -1;
}

TMenuItem* TMenuItem::FindBySubmenu(HMENU submenu) {
    if (!submenu) return nullptr;
    if (live_.handle.Get() == submenu) return this;
    for (TMenuItem* item : items_)
        if (TMenuItem* found = item->FindBySubmenu(submenu)) return found;
    return nullptr;
}

bool TMenuItem::Contains(const TMenuItem* item) const {
    if (item == this) return true;
    for (const TMenuItem* child : items_)
        if (child->Contains(item)) return true;
    return false;
}

HMENU TMenuItem::CreateLiveHandle(TImageList* images) {
    DestroyLiveHandle();
    live_.images = images;
    live_.handle.Reset(CreatePopupMenu());
    FillLive();
    return live_.handle.Get();
}

void TMenuItem::RebuildLiveHandle() {
    if (!live_.handle) return;
    DetachEntries(live_.handle.Get());
    FillLive();
}

void TMenuItem::DestroyLiveHandle() {
    if (!live_.handle) return;
    DetachEntries(live_.handle.Get());
    for (TMenuItem* item : items_) item->DestroyLiveHandle();
    live_.handle.Reset();
}

void TMenuItem::FillLive() {
    UINT pos = 0;
    for (TMenuItem* item : items_) {
        if (!item->Visible) continue;
        MENUITEMINFOA mii{};
        mii.cbSize = kMenuItemInfoSize;
        if (item->Caption == "-") {
            mii.fMask = MIIM_TYPE;
            mii.fType = MFT_SEPARATOR;
            InsertMenuItemA(live_.handle.Get(), pos++, TRUE, &mii);
            continue;
        }
        const std::string text = MenuText(item->Caption);
        mii.fMask = MIIM_TYPE | MIIM_ID | MIIM_STATE | MIIM_DATA;
        mii.wID = item->command_;
        mii.dwItemData = reinterpret_cast<ULONG_PTR>(item);
        mii.fState = (item->Enabled ? MFS_ENABLED : MFS_GRAYED) | (item->Checked ? MFS_CHECKED : 0) |
                     (item->Default ? MFS_DEFAULT : 0);
        if (live_.images) {
            // Drawn by the pop-up list window: icon and text.
            mii.fType = MFT_OWNERDRAW;
        } else {
            mii.fType = MFT_STRING;
            mii.dwTypeData = const_cast<char*>(text.c_str());
        }
        if (item->RadioItem) mii.fType |= MFT_RADIOCHECK;
        if (item->Count() > 0) {
            item->live_.images = live_.images;
            if (item->live_.handle) {
                // Kept: a submenu that is open right now goes on showing it.
                item->RebuildLiveHandle();
            } else {
                item->live_.handle.Reset(CreatePopupMenu());
                item->FillLive();
            }
            mii.fMask |= MIIM_SUBMENU;
            mii.hSubMenu = item->live_.handle.Get();
        } else if (item->live_.handle) {
            item->DestroyLiveHandle();
        }
        InsertMenuItemA(live_.handle.Get(), pos++, TRUE, &mii);
    }
}

TPopupMenu::~TPopupMenu() { TPopupList::Instance().Forget(this); }

void TPopupMenu::PopupAt(int X, int Y) {
    if (OnPopup) OnPopup(this);
    TPopupList::Instance().Track(this, X, Y);
}
