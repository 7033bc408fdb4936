// Standard controls: the system's own list box, combo box, buttons, edits and
// up-down control, each a thin object over its window.
//
// The system controls report to their parent window (WM_COMMAND, WM_NOTIFY,
// WM_VSCROLL). The first standard control made on a parent subclasses that
// parent once and hands each report back to the control that sent it, so the
// controls work on any form or panel of the layer.
//
// Event rules, fixed here because dialogs depend on them:
// - TCheckBox and TRadioButton: a change of Checked by the program raises
//   OnClick, as a click by the user does; setting the state it already has
//   raises nothing.
// - TListBox: OnClick when the user changes the selection (mouse or keys),
//   never when the program sets ItemIndex; OnDblClick on a double click.
// - TComboBox: OnChange when the user edits the text (not when the program
//   sets it); a pick from the list sets the text, then raises OnClick, then
//   OnChange.
// - TEdit: OnChange for every change of the text, also by the program.
// - TButton: a click sets the form's ModalResult to the button's, then raises
//   OnClick. Enter clicks the Default button and Esc the Cancel button while
//   the form runs modally.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/forms/Forms.h"

class TStdControl : public TControl {
public:
    explicit TStdControl(TComponent* AOwner);
    ~TStdControl() override;
    // Gives the control the keyboard focus.
    void SetFocus();
    bool Focused() const;
    // The window text as it is now (the user may have changed it).
    std::string Text() const;
    void SetText(const std::string& value);
    // The form the control stands on, or null.
    TForm* ParentForm() const;
    int ControlId() const { return id_; }

    // The control that owns a window, or null for any other window.
    static TStdControl* FromHandle(HWND hwnd);

protected:
    virtual const char* SystemClassName() const = 0;
    virtual DWORD SystemStyle() const { return WS_TABSTOP; }
    virtual DWORD SystemExStyle() const { return 0; }
    void CreateHandle() override;
    // After the window exists: load the state kept while it did not.
    virtual void HandleCreated() {}
    // Reports of the window to its parent, handed back here.
    virtual void Command(WORD code) { (void)code; }
    virtual LRESULT Notify(NMHDR& header) {
        (void)header;
        return 0;
    }
    virtual void Scroll(WORD code) { (void)code; }
    // An owner-drawn control's part to draw (WM_DRAWITEM); false leaves it to the system.
    virtual bool DrawItem(const DRAWITEMSTRUCT& item) {
        (void)item;
        return false;
    }
    // The control's own messages before the system sees them; true with
    // `result` set keeps them from it.
    virtual bool WindowMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
        (void)msg, (void)wp, (void)lp, (void)result;
        return false;
    }
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;

private:
    static LRESULT CALLBACK ControlSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK ParentSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static void ReflectFrom(HWND parent);
    int id_;
};

// Static text; an "&" marks the key that, with Alt, focuses the control made
// right after the label.
class TStaticLabel : public TStdControl {
public:
    explicit TStaticLabel(TComponent* AOwner) : TStdControl(AOwner) {}

protected:
    const char* SystemClassName() const override { return "STATIC"; }
    DWORD SystemStyle() const override { return SS_LEFT; }
};

class TButton : public TStdControl {
public:
    explicit TButton(TComponent* AOwner) : TStdControl(AOwner) {}
    TModalResult ModalResult = mrNone;
    bool Default = false;
    bool Cancel = false;
    void Click() override;

protected:
    const char* SystemClassName() const override { return "BUTTON"; }
    DWORD SystemStyle() const override { return WS_TABSTOP | (Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON); }
    void Command(WORD code) override;
};

class TCheckBox : public TStdControl {
public:
    explicit TCheckBox(TComponent* AOwner) : TStdControl(AOwner) {}
    bool Checked() const;
    void SetChecked(bool value);

protected:
    const char* SystemClassName() const override { return "BUTTON"; }
    DWORD SystemStyle() const override { return WS_TABSTOP | BS_AUTOCHECKBOX; }
    void HandleCreated() override;
    void Command(WORD code) override;

private:
    bool checked_ = false;
};

// Radio buttons of one parent exclude each other.
class TRadioButton : public TStdControl {
public:
    explicit TRadioButton(TComponent* AOwner) : TStdControl(AOwner) {}
    bool Checked() const;
    void SetChecked(bool value);

protected:
    const char* SystemClassName() const override { return "BUTTON"; }
    DWORD SystemStyle() const override { return WS_TABSTOP | BS_RADIOBUTTON; }
    void HandleCreated() override;
    void Command(WORD code) override;

private:
    void Check(bool value);
    bool checked_ = false;
};

class TGroupBox : public TStdControl {
public:
    explicit TGroupBox(TComponent* AOwner) : TStdControl(AOwner) {}

protected:
    const char* SystemClassName() const override { return "BUTTON"; }
    DWORD SystemStyle() const override { return BS_GROUPBOX; }
};

// A group box of radio buttons, one per item. OnClick follows
// the rule of its buttons: a change of ItemIndex, by the user or the program.
class TRadioGroup : public TGroupBox {
public:
    explicit TRadioGroup(TComponent* AOwner) : TGroupBox(AOwner) {}
    // The buttons fill the columns one after the other, top to bottom.
    int Columns = 1;
    // Makes the buttons; call once, when the group is placed.
    void SetItems(const std::vector<std::string>& items);
    int ItemIndex() const;
    void SetItemIndex(int index);
    TRadioButton* Buttons(int index) const { return buttons_[static_cast<size_t>(index)]; }

protected:
    // Tab and the arrow keys of a modal form reach the buttons inside.
    DWORD SystemExStyle() const override { return WS_EX_CONTROLPARENT; }

private:
    std::vector<TRadioButton*> buttons_;
};

class TEdit : public TStdControl {
public:
    explicit TEdit(TComponent* AOwner) : TStdControl(AOwner) {}
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    // 0: no limit but the system's.
    void SetMaxLength(int value);
    void SelectAll();
    TNotifyEvent OnChange;

protected:
    const char* SystemClassName() const override { return "EDIT"; }
    DWORD SystemStyle() const override { return WS_TABSTOP | ES_AUTOHSCROLL | (readOnly_ ? ES_READONLY : 0); }
    DWORD SystemExStyle() const override { return WS_EX_CLIENTEDGE; }
    void HandleCreated() override;
    void Command(WORD code) override;

private:
    bool readOnly_ = false;
    int maxLength_ = 0;
};

// An edit of several lines with a vertical scroll bar, wrapping at its right
// edge; Enter does not start a new line.
class TMemo : public TEdit {
public:
    explicit TMemo(TComponent* AOwner) : TEdit(AOwner) {}

protected:
    DWORD SystemStyle() const override {
        return WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | (ReadOnly() ? ES_READONLY : 0);
    }
};

class TListBox : public TStdControl {
public:
    explicit TListBox(TComponent* AOwner) : TStdControl(AOwner) {}
    int Count() const;
    std::string Strings(int index) const;
    std::vector<std::string> Items() const;
    void SetItems(const std::vector<std::string>& items);
    int Add(const std::string& text);
    void Insert(int index, const std::string& text);
    // Replaces the entry in place; its selection stays.
    void SetString(int index, const std::string& text);
    void Delete(int index);
    void Clear();
    // The selected entry, -1 when none.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The entry with the focus mark: the current one even while nothing is selected.
    int CaretIndex() const;
    // The entry at a point of the client area, -1 when none is there.
    int ItemAtPos(POINT at) const;
    // The focus came to the list.
    TNotifyEvent OnEnter;

    // Entries of this height (set before the window is made) drawn by
    // OnDrawItem, which gets a device context with the rectangle to fill.
    int ItemHeight = 0;
    std::function<void(TListBox* sender, int index, HDC dc, const RECT& rect, bool selected)> OnDrawItem;

    // With AutoDrag the user drags the selected entry with the mouse once it
    // moved 5 pixels. Over a list box, that list's OnDragOver says whether it
    // takes the entry (at a point of its client area); on release there, its
    // OnDragDrop gets it. Elsewhere the release drops nothing.
    bool AutoDrag = false;
    std::function<bool(TListBox* source, POINT at)> OnDragOver;
    std::function<void(TListBox* source, POINT at)> OnDragDrop;
    bool Dragging() const { return dragging_; }

protected:
    const char* SystemClassName() const override { return "LISTBOX"; }
    DWORD SystemStyle() const override {
        return WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS |
               (ItemHeight > 0 ? LBS_OWNERDRAWFIXED : 0);
    }
    DWORD SystemExStyle() const override { return WS_EX_CLIENTEDGE; }
    void HandleCreated() override;
    void Command(WORD code) override;
    bool DrawItem(const DRAWITEMSTRUCT& item) override;
    bool WindowMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    // The list under a screen point that takes this list's entry, with the point in its client area.
    TListBox* DropTarget(POINT screen, POINT& at);
    POINT dragFrom_{};
    bool dragArmed_ = false;
    bool dragging_ = false;
};

enum class TComboBoxStyle { csDropDown, csDropDownList };

class TComboBox : public TStdControl {
public:
    explicit TComboBox(TComponent* AOwner) : TStdControl(AOwner) {}
    // Both take effect when the window is made.
    TComboBoxStyle Style = TComboBoxStyle::csDropDown;
    bool Sorted = false;
    // Lines of the opened list.
    int DropDownCount = 8;

    int Count() const;
    std::string Strings(int index) const;
    std::vector<std::string> Items() const;
    // The text of a drop-down box stays as it was.
    void SetItems(const std::vector<std::string>& items);
    int Add(const std::string& text);
    void Clear();
    int ItemIndex() const;
    // -1 selects nothing (and empties a drop-down box's text).
    void SetItemIndex(int index);
    // The entry with exactly this text, compared without regard to case as the
    // system does; -1 when none.
    int IndexOf(const std::string& text) const;
    void SelectAll();
    TNotifyEvent OnChange;
    // The height is that of the closed box; the opened list comes below it.
    void SetBounds(int left, int top, int width, int height) override;

protected:
    const char* SystemClassName() const override { return "COMBOBOX"; }
    DWORD SystemStyle() const override;
    void HandleCreated() override;
    void Command(WORD code) override;

private:
    void FitDroppedHeight();
};

// Arrows that step a number, shown in the edit they are tied to.
class TUpDown : public TStdControl {
public:
    explicit TUpDown(TComponent* AOwner) : TStdControl(AOwner) {}
    int Min = 0;
    int Max = 100;
    int Position() const;
    void SetPosition(int value);
    // Places the arrows at the right of `edit`, which then shows the number.
    void SetAssociate(TEdit* edit);

protected:
    const char* SystemClassName() const override;
    DWORD SystemStyle() const override;
    void HandleCreated() override;
    void Scroll(WORD code) override;

private:
    TEdit* associate_ = nullptr;
    int position_ = 0;
};
