// Data exchange between a dialog's controls and its members, with
// validation. A failed conversion or check tells the user in the framework's
// own words, stops the exchange and leaves the focus on the field.
#pragma once
#include <windows.h>

#include <string>

#include "framework/dialogs/Dialog.h"

// Thrown by Fail() inside DoDataExchange and caught by UpdateData; it never
// leaves the framework.
struct DataExchangeFailure {};

class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate) : saveAndValidate_(saveAndValidate), dialog_(dialog) {}
    const bool saveAndValidate_;
    CDialog* const dialog_;

    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    // After the user has been told what is wrong.
    [[noreturn]] void Fail() { throw DataExchangeFailure(); }
    void FocusFailedControl() const;
    HWND LastControl() const { return last_; }
    // A message box of the framework for this dialog.
    void Tell(const std::wstring& text) const;

private:
    HWND last_ = nullptr;
    bool lastIsEdit_ = false;
};

// Binds a wrapper to the dialog's control (once per run of the dialog); an
// owner-draw control then gets its paints through DrawItem.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
// A whole number with optional sign and blanks around it.
void DDX_Text(CDataExchange* pDX, int id, int& value);
// 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* pDX, int id, int& value);
// The index of the checked button in the radio group that starts at `id`, in
// window order up to the next control that starts a group; -1 when none.
void DDX_Radio(CDataExchange* pDX, int id, int& value);
// The selected item of a combo box: its index (-1 none), or its text. A
// text that no item has selects none, or fills the edit of a combo that has one.
void DDX_CBIndex(CDataExchange* pDX, int id, int& value);
void DDX_CBString(CDataExchange* pDX, int id, std::string& value);
// The selected tab.
void DDX_TabIndex(CDataExchange* pDX, int id, int& value);
void DDX_DateTimeCtrl(CDataExchange* pDX, int id, SYSTEMTIME& value);
// The positions of an up-down control, a progress bar and a track bar.
void DDX_UpDown(CDataExchange* pDX, int id, int& value);
void DDX_Progress(CDataExchange* pDX, int id, int& value);
void DDX_Slider(CDataExchange* pDX, int id, int& value);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minimum, int maximum);
// Limits the edit's length on load and checks it on save.
void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int maxChars);

// "%1", "%2", ... replaced by the arguments, in order.
std::wstring FormatTemplate(const std::wstring& text, const std::wstring& first,
                            const std::wstring& second = std::wstring());
