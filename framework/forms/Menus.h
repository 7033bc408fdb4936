// Pop-up menus built from items that carry a caption, a click handler and data.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/forms/Component.h"
#include "framework/core/Exceptions.h"
#include "framework/win32/ScopedHandle.h"

class TImageList;

// More menu items alive at once than there are command ids.
class EMenuError : public Exception {
    using Exception::Exception;
};

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner = nullptr);
    ~TMenuItem() override;

    std::string Caption;  // "-" makes a separator
    TNotifyEvent OnClick;
    bool Default = false;
    bool Enabled = true;
    bool Checked = false;
    UINT Command() const { return command_; }

    // The item takes `child` into its list and frees it with itself.
    void Add(TMenuItem* child);
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_[static_cast<size_t>(index)]; }
    TMenuItem* Parent() const { return parent_; }
    TMenuItem* FindByCommand(UINT command);
    void Click();

    // Builds a system menu of the children; the caller destroys it.
    HMENU BuildPopup() const;

    // ---- items of menus built at run time and shown through the pop-up list ----
    std::string Hint;
    int ImageIndex = -1;
    bool Visible = true;
    bool RadioItem = false;
    // A number for the menu's owner (a "filled" mark of a submenu, say).
    int HelpContext = 0;
    // Data that belongs to the item: released with it, or when replaced.
    using TDataRelease = void (*)(void* data);
    void SetData(void* data, TDataRelease release);
    void* Data() const { return live_.data; }

    // Puts `child` at `index` (0..Count); the item frees it with itself.
    void Insert(int index, TMenuItem* child);
    // Frees the child at `index`.
    void Delete(int index);
    int IndexOf(const TMenuItem* child) const;
    // The item whose submenu is `submenu` while the menu is shown.
    TMenuItem* FindBySubmenu(HMENU submenu);
    // Whether `item` is this item or one below it.
    bool Contains(const TMenuItem* item) const;

    // The system menu of the children while the menu is shown (none otherwise).
    HMENU Handle() const { return live_.handle.Get(); }
    // Makes the system menu of the children, and of theirs; with images the
    // items are drawn by the owner window, icon and text.
    HMENU CreateLiveHandle(TImageList* images);
    // Refills the system menu in place after the children changed while shown:
    // the menu handle stays the same, so an open submenu shows the new items.
    void RebuildLiveHandle();
    void DestroyLiveHandle();

private:
    void FillLive();
    // Released after the destructor's body, so the children are gone first.
    struct Live {
        ScopedMenu handle;
        TImageList* images = nullptr;
        void* data = nullptr;
        TDataRelease release = nullptr;
        ~Live();
    };
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    UINT command_;
    Live live_;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);
    TMenuItem* Items() { return &items_; }
    TNotifyEvent OnPopup;
    // Shows the menu at screen point (X, Y) and returns once it has closed,
    // after running the chosen item's OnClick.
    void Popup(int X, int Y);
    // The window that receives the menu's messages; the application window by default.
    HWND OwnerWindow = nullptr;

    // Pictures of the items (by ImageIndex); not owned.
    TImageList* Images = nullptr;
    ~TPopupMenu() override;
    // Shows the menu at screen point (X, Y) through the pop-up list window and
    // returns once it has closed. Submenus raise their item's OnClick as they
    // open (and may fill themselves then), item icons are drawn, and the
    // chosen item's OnClick comes after the call has returned, from the
    // message loop.
    void PopupAt(int X, int Y);

private:
    TMenuItem items_;
};
