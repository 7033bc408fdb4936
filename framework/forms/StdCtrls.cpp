#include "framework/forms/StdCtrls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "framework/win32/CallGuarded.h"
#include "framework/win32/WindowText.h"

namespace {
// Properties that mark the windows this unit subclassed; each holds the
// procedure it replaced.
const char kControlProc[] = "MivoraStdControlProc";
const char kParentProc[] = "MivoraStdParentProc";

// Identifiers of the child windows: unique in the process, above the
// dialog-box answers (IDOK ... IDHELP) so the keys of a modal form never mistake
// a control for one of them, and below the system command range.
int NextControlId() {
    static int next = 1000;
    if (++next >= 0x7000) next = 1001;
    return next;
}

struct ButtonSearch {
    bool wantDefault;
    TButton* found;
};

BOOL CALLBACK FindButtonProc(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<ButtonSearch*>(lp);
    auto* button = dynamic_cast<TButton*>(TStdControl::FromHandle(hwnd));
    if (!button || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return TRUE;
    if (search->wantDefault ? button->Default : button->Cancel) {
        search->found = button;
        return FALSE;
    }
    return TRUE;
}

// The Default (or Cancel) button among the windows below `parent`.
TButton* FindButton(HWND parent, bool wantDefault) {
    ButtonSearch search{wantDefault, nullptr};
    EnumChildWindows(parent, FindButtonProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
}  // namespace

TStdControl::TStdControl(TComponent* AOwner) : TControl(AOwner), id_(NextControlId()) {}

TStdControl::~TStdControl() {
    // Reports that arrive while the window goes must not reach the half-gone object.
    if (Handle()) SetWindowLongPtrA(Handle(), GWLP_USERDATA, 0);
}

TStdControl* TStdControl::FromHandle(HWND hwnd) {
    if (!hwnd || !GetPropA(hwnd, kControlProc)) return nullptr;
    auto* control = reinterpret_cast<TControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return static_cast<TStdControl*>(control);
}

void TStdControl::CreateHandle() {
    if (Handle() || !Parent()) return;
    Parent()->HandleNeeded();
    HWND parent = Parent()->Handle();
    if (!parent) return;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | SystemStyle();
    if (Visible()) style |= WS_VISIBLE;
    if (!Enabled()) style |= WS_DISABLED;
    HWND hwnd = CreateWindowExA(SystemExStyle(), SystemClassName(), Caption().c_str(), style, Left(), Top(), Width(),
                                Height(), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                                GetModuleHandleA(nullptr), nullptr);
    if (!hwnd) return;
    Attach(hwnd);
    // The property first: the replacement procedure looks its predecessor up there.
    SetPropA(hwnd, kControlProc, reinterpret_cast<HANDLE>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)));
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlSubclassProc));
    auto font = reinterpret_cast<HFONT>(SendMessageA(parent, WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ReflectFrom(parent);
    UpdateTool();
    HandleCreated();
    CreateChildHandles();
}

void TStdControl::ReflectFrom(HWND parent) {
    if (GetPropA(parent, kParentProc)) return;
    SetPropA(parent, kParentProc, reinterpret_cast<HANDLE>(GetWindowLongPtrA(parent, GWLP_WNDPROC)));
    SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ParentSubclassProc));
}

LRESULT CALLBACK TStdControl::ControlSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto old = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kControlProc));
    if (TStdControl* control = FromHandle(hwnd)) {
        LRESULT result = 0;
        bool handled = false;
        CallGuarded([&] { handled = control->WindowMessage(msg, wp, lp, result); });
        if (handled) return result;
    }
    if (msg == WM_NCDESTROY) {
        RemovePropA(hwnd, kControlProc);
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        if (auto* self = reinterpret_cast<TControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA))) {
            // The window went with its parent: the object lives on without it.
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            self->SetHandle(nullptr);
        }
    }
    return old ? CallWindowProcA(old, hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK TStdControl::ParentSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto old = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kParentProc));
    auto pass = [&] { return old ? CallWindowProcA(old, hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp); };
    switch (msg) {
        case WM_COMMAND: {
            if (lp) {
                if (TStdControl* control = FromHandle(reinterpret_cast<HWND>(lp))) {
                    CallGuarded([&] { control->Command(HIWORD(wp)); });
                    return 0;
                }
            } else if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
                // Enter or Esc in a modal form, when no button answered for itself.
                if (TButton* button = FindButton(hwnd, LOWORD(wp) == IDOK)) {
                    CallGuarded([&] { button->Click(); });
                    return 0;
                }
            }
            break;
        }
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lp);
            if (TStdControl* control = header ? FromHandle(header->hwndFrom) : nullptr) {
                LRESULT result = 0;
                CallGuarded([&] { result = control->Notify(*header); });
                return result;
            }
            break;
        }
        case WM_VSCROLL:
        case WM_HSCROLL:
            if (TStdControl* control = FromHandle(reinterpret_cast<HWND>(lp))) {
                CallGuarded([&] { control->Scroll(LOWORD(wp)); });
                return 0;
            }
            break;
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
            TStdControl* control = item && item->CtlType != ODT_MENU ? FromHandle(item->hwndItem) : nullptr;
            bool drawn = false;
            if (control) CallGuarded([&] { drawn = control->DrawItem(*item); });
            if (drawn) return TRUE;
            break;
        }
        case DM_GETDEFID:
            if (TButton* button = FindButton(hwnd, true)) return MAKELRESULT(button->ControlId(), DC_HASDEFID);
            break;
        case WM_NCDESTROY:
            RemovePropA(hwnd, kParentProc);
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
            break;
        default:
            break;
    }
    return pass();
}

LRESULT TStdControl::Send(UINT msg, WPARAM wp, LPARAM lp) const {
    // The window is made on first use, as long as the control stands on a form.
    const_cast<TStdControl*>(this)->HandleNeeded();
    return Handle() ? SendMessageA(Handle(), msg, wp, lp) : 0;
}

void TStdControl::SetFocus() {
    HandleNeeded();
    if (Handle()) ::SetFocus(Handle());
}

bool TStdControl::Focused() const {
    HWND focus = GetFocus();
    return Handle() && (focus == Handle() || IsChild(Handle(), focus));
}

std::string TStdControl::Text() const { return Handle() ? WindowText(Handle()) : Caption(); }

void TStdControl::SetText(const std::string& value) { SetCaption(value); }

TForm* TStdControl::ParentForm() const {
    for (TControl* c = Parent(); c; c = c->Parent())
        if (auto* form = dynamic_cast<TForm*>(c)) return form;
    return nullptr;
}

// ---- buttons ----

void TButton::Click() {
    if (ModalResult != mrNone)
        if (TForm* form = ParentForm()) form->ModalResult = ModalResult;
    TControl::Click();
}

void TButton::Command(WORD code) {
    if (code == BN_CLICKED) Click();
}

bool TCheckBox::Checked() const {
    return Handle() ? SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED : checked_;
}

void TCheckBox::SetChecked(bool value) {
    if (value == Checked()) return;
    checked_ = value;
    if (Handle()) SendMessageA(Handle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    Click();
}

void TCheckBox::HandleCreated() { SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0); }

void TCheckBox::Command(WORD code) {
    if (code != BN_CLICKED) return;
    // The system has already turned the box over.
    checked_ = Checked();
    Click();
}

bool TRadioButton::Checked() const {
    return Handle() ? SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED : checked_;
}

void TRadioButton::Check(bool value) {
    checked_ = value;
    if (Handle()) SendMessageA(Handle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool value) {
    if (value == Checked()) return;
    Check(value);
    if (value && Parent()) {
        for (int i = 0; i < Parent()->ControlCount(); ++i) {
            auto* other = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
            if (other && other != this) other->Check(false);
        }
    }
    Click();
}

void TRadioButton::HandleCreated() { SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0); }

void TRadioButton::Command(WORD code) {
    // A click on a checked button changes nothing and raises nothing.
    if (code == BN_CLICKED) SetChecked(true);
}

void TRadioGroup::SetItems(const std::vector<std::string>& items) {
    const int lineHeight = 20;
    const int columns = std::max(Columns, 1);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    const int columnWidth = (Width() - 16) / columns;
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string& item = items[i];
        const int row = static_cast<int>(i) % rows, column = static_cast<int>(i) / rows;
        auto* button = new TRadioButton(Owner());
        button->SetCaption(item);
        button->SetBounds(8 + column * columnWidth, 16 + row * lineHeight, columnWidth - 4, 17);
        button->OnClick = [this](TObject*) {
            if (OnClick) OnClick(this);
        };
        button->SetParent(this);
        buttons_.push_back(button);
    }
}

int TRadioGroup::ItemIndex() const {
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i]->Checked()) return static_cast<int>(i);
    return -1;
}

void TRadioGroup::SetItemIndex(int index) {
    if (index >= 0 && index < static_cast<int>(buttons_.size())) buttons_[static_cast<size_t>(index)]->SetChecked(true);
}

// ---- edits ----

void TEdit::SetReadOnly(bool value) {
    readOnly_ = value;
    if (Handle()) SendMessageA(Handle(), EM_SETREADONLY, value, 0);
}

void TEdit::SetMaxLength(int value) {
    maxLength_ = std::max(value, 0);
    if (Handle()) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TEdit::SelectAll() { Send(EM_SETSEL, 0, -1); }

void TEdit::HandleCreated() {
    if (maxLength_ > 0) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TEdit::Command(WORD code) {
    if (code == EN_CHANGE && OnChange) OnChange(this);
}

// ---- list box ----

int TListBox::Count() const { return static_cast<int>(std::max<LRESULT>(Send(LB_GETCOUNT), 0)); }

std::string TListBox::Strings(int index) const {
    const LRESULT length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length == LB_ERR || length <= 0) return std::string();
    std::vector<char> buf(static_cast<size_t>(length) + 1, '\0');
    const LRESULT got = Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf.data()));
    if (got == LB_ERR || got < 0) return std::string();
    return std::string(buf.data(), static_cast<size_t>(std::min(got, length)));
}

std::vector<std::string> TListBox::Items() const {
    std::vector<std::string> items;
    const int n = Count();
    for (int i = 0; i < n; ++i) items.push_back(Strings(i));
    return items;
}

void TListBox::SetItems(const std::vector<std::string>& items) {
    Clear();
    for (const auto& item : items) Add(item);
}

int TListBox::Add(const std::string& text) {
    return static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

void TListBox::Insert(int index, const std::string& text) {
    Send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

void TListBox::SetString(int index, const std::string& text) {
    if (index < 0 || index >= Count()) return;
    const int selected = ItemIndex();
    Send(LB_DELETESTRING, static_cast<WPARAM>(index));
    Insert(index, text);
    if (selected >= 0) SetItemIndex(selected);
}

void TListBox::Delete(int index) { Send(LB_DELETESTRING, static_cast<WPARAM>(index)); }

void TListBox::Clear() { Send(LB_RESETCONTENT); }

int TListBox::ItemIndex() const { return static_cast<int>(Send(LB_GETCURSEL)); }

void TListBox::SetItemIndex(int index) { Send(LB_SETCURSEL, static_cast<WPARAM>(index)); }

int TListBox::CaretIndex() const { return static_cast<int>(Send(LB_GETCARETINDEX)); }

int TListBox::ItemAtPos(POINT at) const {
    const LRESULT hit = Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y));
    // The high word says the point lies outside every entry.
    if (hit == LB_ERR || HIWORD(hit) != 0) return -1;
    const int index = LOWORD(hit);
    return index < Count() ? index : -1;
}

void TListBox::HandleCreated() {
    if (ItemHeight > 0) Send(LB_SETITEMHEIGHT, 0, ItemHeight);
}

void TListBox::Command(WORD code) {
    if (code == LBN_SELCHANGE) Click();
    if (code == LBN_DBLCLK && OnDblClick) OnDblClick(this);
    if (code == LBN_SETFOCUS && OnEnter) OnEnter(this);
}

bool TListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    if (!OnDrawItem || item.itemID == static_cast<UINT>(-1)) return false;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    SetBkColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    OnDrawItem(this, static_cast<int>(item.itemID), item.hDC, item.rcItem, selected);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return true;
}

TListBox* TListBox::DropTarget(POINT screen, POINT& at) {
    auto* target = dynamic_cast<TListBox*>(FromHandle(WindowFromPoint(screen)));
    if (!target || !target->OnDragOver) return nullptr;
    at = screen;
    ScreenToClient(target->Handle(), &at);
    return target->OnDragOver(this, at) ? target : nullptr;
}

bool TListBox::WindowMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (!AutoDrag) return false;
    const POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    switch (msg) {
        case WM_LBUTTONDOWN:
            dragArmed_ = true;
            dragFrom_ = at;
            return false;
        case WM_MOUSEMOVE: {
            if (!dragging_) {
                const bool moved = std::abs(at.x - dragFrom_.x) > 5 || std::abs(at.y - dragFrom_.y) > 5;
                if (!dragArmed_ || !(wp & MK_LBUTTON) || !moved || ItemIndex() < 0) return false;
                dragging_ = true;
                // The list box took the mouse at the press; asking again would tell it it lost it.
                if (GetCapture() != Handle()) SetCapture(Handle());
            }
            POINT screen = at, inTarget{};
            ClientToScreen(Handle(), &screen);
            SetCursor(LoadCursor(nullptr, DropTarget(screen, inTarget) ? IDC_ARROW : IDC_NO));
            result = 0;
            return true;
        }
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lp) != Handle()) dragArmed_ = dragging_ = false;
            return false;
        case WM_LBUTTONUP: {
            dragArmed_ = false;
            if (!dragging_) return false;
            dragging_ = false;
            if (GetCapture() == Handle()) ReleaseCapture();
            POINT screen = at, inTarget{};
            ClientToScreen(Handle(), &screen);
            if (TListBox* target = DropTarget(screen, inTarget))
                if (target->OnDragDrop) target->OnDragDrop(this, inTarget);
            return false;
        }
        default: return false;
    }
}

// ---- combo box ----

DWORD TComboBox::SystemStyle() const {
    DWORD style = WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS;
    style |= Style == TComboBoxStyle::csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
    if (Sorted) style |= CBS_SORT;
    return style;
}

void TComboBox::HandleCreated() { FitDroppedHeight(); }

void TComboBox::SetBounds(int left, int top, int width, int height) {
    TControl::SetBounds(left, top, width, height);
    FitDroppedHeight();
}

void TComboBox::FitDroppedHeight() {
    if (!Handle()) return;
    // A combo box's window height includes its opened list: make room for
    // DropDownCount lines below the closed box.
    RECT closed{};
    GetWindowRect(Handle(), &closed);
    const LRESULT line = SendMessageA(Handle(), CB_GETITEMHEIGHT, 0, 0);
    if (line > 0 && DropDownCount > 0)
        SetWindowPos(Handle(), nullptr, 0, 0, Width(),
                     static_cast<int>(closed.bottom - closed.top + line * DropDownCount + 2),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TComboBox::Count() const { return static_cast<int>(std::max<LRESULT>(Send(CB_GETCOUNT), 0)); }

std::string TComboBox::Strings(int index) const {
    const LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR || length <= 0) return std::string();
    std::vector<char> buf(static_cast<size_t>(length) + 1, '\0');
    const LRESULT got = Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf.data()));
    if (got == CB_ERR || got < 0) return std::string();
    return std::string(buf.data(), static_cast<size_t>(std::min(got, length)));
}

std::vector<std::string> TComboBox::Items() const {
    std::vector<std::string> items;
    const int n = Count();
    for (int i = 0; i < n; ++i) items.push_back(Strings(i));
    return items;
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
    // Emptying the list also empties a drop-down box's text.
    const std::string text = Text();
    Clear();
    for (const auto& item : items) Add(item);
    if (Style == TComboBoxStyle::csDropDown && Handle()) SetWindowTextA(Handle(), text.c_str());
}

int TComboBox::Add(const std::string& text) {
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

void TComboBox::Clear() { Send(CB_RESETCONTENT); }

int TComboBox::ItemIndex() const { return static_cast<int>(Send(CB_GETCURSEL)); }

void TComboBox::SetItemIndex(int index) { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }

int TComboBox::IndexOf(const std::string& text) const {
    const LRESULT found = Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    return found == CB_ERR ? -1 : static_cast<int>(found);
}

void TComboBox::SelectAll() { Send(CB_SETEDITSEL, 0, MAKELPARAM(0, -1)); }

void TComboBox::Command(WORD code) {
    if (code == CBN_EDITCHANGE) {
        if (OnChange) OnChange(this);
    } else if (code == CBN_SELCHANGE) {
        // The box shows the picked entry only after this report: the handlers
        // read the new text already.
        const int index = ItemIndex();
        if (index >= 0 && Style == TComboBoxStyle::csDropDown) SetWindowTextA(Handle(), Strings(index).c_str());
        TNotifyEvent onChange = OnChange;
        Click();
        if (onChange) onChange(this);
    }
}

// ---- up-down ----

const char* TUpDown::SystemClassName() const { return UPDOWN_CLASSA; }

DWORD TUpDown::SystemStyle() const { return UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS; }

void TUpDown::HandleCreated() {
    // The 16-bit range message: the first common controls know no other.
    SendMessageA(Handle(), UDM_SETRANGE, 0, MAKELPARAM(static_cast<short>(Max), static_cast<short>(Min)));
    if (associate_ && associate_->Handle())
        SendMessageA(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
    SendMessageA(Handle(), UDM_SETPOS, 0, MAKELPARAM(static_cast<short>(position_), 0));
}

int TUpDown::Position() const {
    if (!Handle()) return position_;
    const LRESULT r = SendMessageA(Handle(), UDM_GETPOS, 0, 0);
    return HIWORD(r) ? position_ : static_cast<short>(LOWORD(r));
}

void TUpDown::SetPosition(int value) {
    position_ = std::min(std::max(value, Min), Max);
    if (Handle()) SendMessageA(Handle(), UDM_SETPOS, 0, MAKELPARAM(static_cast<short>(position_), 0));
}

void TUpDown::SetAssociate(TEdit* edit) {
    associate_ = edit;
    if (Handle() && edit) {
        edit->HandleNeeded();
        SendMessageA(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit->Handle()), 0);
    }
}

void TUpDown::Scroll(WORD code) {
    if (code == SB_ENDSCROLL) return;
    position_ = Position();
    Click();
}
