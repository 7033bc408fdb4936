#include "framework/dialogs/Dialog.h"

#include <commctrl.h>

#include "framework/win32/CallGuarded.h"
#include "framework/dialogs/DataExchange.h"
#include "framework/win32/ModelessDialogs.h"
#include "framework/dialogs/Services.h"
#include "framework/dialogs/Text.h"
#include "framework/win32/WideText.h"
#include "framework/dialogs/WinApp.h"
#include "framework/win32/WindowText.h"

namespace {

// The owner of a dialog without a parent: the calling thread's active window,
// as a top-level window, so that it is disabled while the dialog runs.
HWND DefaultOwner() {
    HWND window = GetActiveWindow();
    while (window && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
    return window;
}

// The control classes of the templates. The date-time picker needs the
// newer call, which the first common controls lack: it is looked up, so that
// a library still loads there.
void RegisterControlClasses() {
    InitCommonControls();
    using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto initEx = reinterpret_cast<InitEx>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("comctl32.dll"), "InitCommonControlsEx")));
    const INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
    if (initEx) initEx(&icc);
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : templateId_(templateId), parent_(parent) {}

CDialog::~CDialog() {
    if (!modeless_ || !Handle()) return;
    // The window outlives no object: cut it off before it goes, since the
    // derived parts its handlers reach are already gone.
    SetWindowLongPtrW(Handle(), DWLP_USER, 0);
    UnregisterModelessDialog(Handle());
    ::DestroyWindow(Handle());
}

INT_PTR CDialog::DoModal() {
    RegisterControlClasses();
    HWND owner = parent_ ? parent_->Handle() : DefaultOwner();
    INT_PTR result = DialogBoxParamW(ResourceHandle(), MAKEINTRESOURCEW(templateId_), owner, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    if (result == -1 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
        // Windows 9x: only the ANSI dialog manager.
        result = DialogBoxParamA(ResourceHandle(), MAKEINTRESOURCEA(templateId_), owner, DialogProc,
                                 reinterpret_cast<LPARAM>(this));
    }
    DetachAll();
    return result;
}

bool CDialog::Create(HWND parent) {
    RegisterControlClasses();
    modeless_ = true;
    const auto self = reinterpret_cast<LPARAM>(this);
    HWND window = CreateDialogParamW(ResourceHandle(), MAKEINTRESOURCEW(templateId_), parent, DialogProc, self);
    if (!window && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED)
        window = CreateDialogParamA(ResourceHandle(), MAKEINTRESOURCEA(templateId_), parent, DialogProc, self);
    if (!window) {
        modeless_ = false;
        return false;
    }
    // A page gets its keys through the window it lies in.
    if (!(GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) RegisterModelessDialog(window);
    return true;
}

void CDialog::EndDialog(int result) const {
    if (modeless_)
        ShowWindow(SW_HIDE);
    else
        ::EndDialog(Handle(), result);
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
        return true;
    } catch (const DataExchangeFailure&) {
        dx.FocusFailedControl();
        return false;
    }
}

std::string CDialog::GetDlgItemText(int id) const { return WindowText(GetDlgItem(id)); }

void CDialog::GotoDlgCtrl(HWND control) const {
    SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

void CDialog::BringToFront() const {
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void CDialog::SetIcons(HICON icon) const {
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

int CDialog::MessageBox(const std::string& text, const std::string& caption, UINT type) const {
    return MessageBox(WideFromAnsi(text), WideFromAnsi(caption), type);
}

int CDialog::MessageBox(const std::wstring& text, const std::wstring& caption, UINT type) const {
    return MessageBoxW(Handle(), text.c_str(), caption.c_str(), type);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(true)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnClose() {
    if (modeless_)
        DestroyWindow();
    else
        OnCancel();
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM) {
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    for (const CommandEntry& entry : commands_) {
        if (entry.id == id && entry.code == code) {
            entry.handler();
            return TRUE;
        }
    }
    if (code != BN_CLICKED) return FALSE;
    switch (id) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    case ID_HELP:
        OnHelp();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDialog::OnNotify(NMHDR* header, LRESULT* result) {
    for (const NotifyEntry& entry : notifies_) {
        if (entry.id == static_cast<int>(header->idFrom) && entry.code == header->code) {
            entry.handler(header, result);
            return TRUE;
        }
    }
    return FALSE;
}

void CDialog::MapCommand(int id, UINT code, CommandHandler handler) {
    commands_.push_back({id, code, std::move(handler)});
}

void CDialog::MapNotify(int id, UINT code, NotifyHandler handler) {
    notifies_.push_back({id, code, std::move(handler)});
}

void CDialog::MapMessage(UINT message, MessageHandler handler) { messages_.push_back({message, std::move(handler)}); }

void CDialog::DetachAll() {
    for (AttachedControl& c : controls_) c.control->Detach();
    controls_.clear();
    Detach();
}

void CDialog::AttachControl(int id, CWnd& control) {
    if (control.Handle()) return;
    control.Attach(GetDlgItem(id));
    controls_.push_back({id, &control});
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        reinterpret_cast<CDialog*>(lParam)->Attach(hwnd);
    }
    auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!dialog) return FALSE;
    ++dialog->dispatching_;
    INT_PTR handled = FALSE;
    CallGuarded([&] { handled = dialog->Dispatch(message, wParam, lParam); });
    if (message == WM_NCDESTROY && dialog->modeless_) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        UnregisterModelessDialog(hwnd);
        dialog->DetachAll();
        dialog->modeless_ = false;
        dialog->windowGone_ = true;
    }
    if (--dialog->dispatching_ == 0 && dialog->windowGone_) {
        dialog->windowGone_ = false;
        CallGuarded([&] { dialog->PostNcDestroy(); });
    }
    return handled;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(wParam, lParam);
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!OnNotify(reinterpret_cast<NMHDR*>(lParam), &result)) return FALSE;
        SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        for (const AttachedControl& c : controls_) {
            if (c.control->Handle() == item->hwndItem) {
                c.control->DrawItem(item);
                return TRUE;
            }
        }
        return FALSE;
    }
    case WM_HELP:
        OnHelp();
        return TRUE;
    case WM_CLOSE:
        OnClose();
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    default:
        break;
    }
    for (const MessageEntry& entry : messages_) {
        if (entry.message == message) {
            SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, entry.handler(wParam, lParam));
            return TRUE;
        }
    }
    return FALSE;
}
