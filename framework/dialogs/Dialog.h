// A dialog on a template of the module's resources, run modal (DoModal) or
// modeless (Create); the two differ only in how they end. Behaviour comes
// from virtual hooks (OnInitDialog, OnOK, OnCancel, OnCommand, ...) and from a
// small table of handlers that a dialog fills in its constructor:
//   MapClicked(IDC_BROWSE, [this] { OnBrowse(); });
// The dialog is a Unicode window, so that Japanese texts of its template show
// correctly whatever the system's code page; the data exchange still reads
// and writes ANSI text, as the rest of the library keeps it.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/dialogs/Wnd.h"

class CDataExchange;

// The help command that F1 also sends.
constexpr int ID_HELP = 0xE146;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog and returns how it ended (IDOK, IDCANCEL, ...). The same
    // object can run again: every run builds its controls afresh.
    virtual INT_PTR DoModal();
    // Creates the dialog and returns at once; the caller's message loop runs
    // it (see ModelessDialogs.h). A DS_CONTROL|WS_CHILD template makes a page
    // inside `parent`, any other a window of its own owned by `parent`.
    bool Create(HWND parent = nullptr);
    void DestroyWindow() const { ::DestroyWindow(Handle()); }
    // true: controls to members, with validation; false: members to controls.
    // A failed validation has told the user and put the focus on the field.
    bool UpdateData(bool saveAndValidate = true);
    // A modal run ends with `result`; a modeless dialog is hidden, ready to
    // be shown again.
    void EndDialog(int result) const;

    HWND GetDlgItem(int id) const { return ::GetDlgItem(Handle(), id); }
    std::string GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const std::string& text) const { ::SetDlgItemTextA(Handle(), id, text.c_str()); }
    void SetDlgItemInt(int id, int value) const { ::SetDlgItemInt(Handle(), id, static_cast<UINT>(value), TRUE); }
    bool IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(Handle(), id) == BST_CHECKED; }
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendDlgItemMessageA(Handle(), id, message, wParam, lParam);
    }
    void EnableDlgItem(int id, bool enable) const { ::EnableWindow(GetDlgItem(id), enable ? TRUE : FALSE); }
    void GotoDlgCtrl(HWND control) const;
    // Raises the dialog above other windows without keeping it on top.
    void BringToFront() const;
    void SetIcons(HICON icon) const;
    // Message boxes owned by this dialog; ANSI text is converted, wide text
    // (Japanese) is shown as it is.
    int MessageBox(const std::string& text, const std::string& caption, UINT type) const;
    int MessageBox(const std::wstring& text, const std::wstring& caption, UINT type) const;

protected:
    // The base fills the controls from the members.
    virtual BOOL OnInitDialog();
    // The base reads and validates the controls, then ends with IDOK.
    virtual void OnOK();
    virtual void OnCancel();
    // The close box; the base acts as Cancel, and destroys a modeless dialog.
    virtual void OnClose();
    virtual void OnDestroy() {}
    // A modeless dialog's window is gone and none of its handlers still
    // runs: a dialog made with new may delete itself here.
    virtual void PostNcDestroy() {}
    // F1 or the help command.
    virtual void OnHelp() {}
    virtual void DoDataExchange(CDataExchange* pDX);
    // WM_COMMAND: the mapped handlers, then OK, Cancel and help.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY: the mapped handlers.
    virtual BOOL OnNotify(NMHDR* header, LRESULT* result);

    using CommandHandler = std::function<void()>;
    using NotifyHandler = std::function<void(NMHDR* header, LRESULT* result)>;
    using MessageHandler = std::function<LRESULT(WPARAM wParam, LPARAM lParam)>;
    void MapCommand(int id, UINT code, CommandHandler handler);
    void MapClicked(int id, CommandHandler handler) { MapCommand(id, BN_CLICKED, std::move(handler)); }
    void MapNotify(int id, UINT code, NotifyHandler handler);
    void MapMessage(UINT message, MessageHandler handler);

private:
    friend class CDataExchange;
    friend void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
    void AttachControl(int id, CWnd& control);
    void DetachAll();
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    struct CommandEntry {
        int id;
        UINT code;
        CommandHandler handler;
    };
    struct NotifyEntry {
        int id;
        UINT code;
        NotifyHandler handler;
    };
    struct MessageEntry {
        UINT message;
        MessageHandler handler;
    };
    struct AttachedControl {
        int id;
        CWnd* control;
    };

    UINT templateId_;
    CWnd* parent_;
    std::vector<CommandEntry> commands_;
    std::vector<NotifyEntry> notifies_;
    std::vector<MessageEntry> messages_;
    std::vector<AttachedControl> controls_;
    bool modeless_ = false;
    // Handlers of this dialog on the stack, and whether the window went
    // during one of them: deleting the dialog must wait until they return.
    int dispatching_ = 0;
    bool windowGone_ = false;
};
