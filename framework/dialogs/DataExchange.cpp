#include "framework/dialogs/DataExchange.h"

#include "framework/dialogs/Controls.h"

#include "framework/core/Exceptions.h"
#include "framework/dialogs/FrameworkTexts.h"
#include "framework/core/StrUtils.h"
#include "framework/win32/WideText.h"
#include "framework/dialogs/WinApp.h"
#include "framework/win32/WindowText.h"

namespace {

const UINT kJapaneseCodePage = 932;

// A value the control keeps itself, through its wrapper's getter and setter.
template <class Control, class Value, class Get, class Set>
void ExchangeThrough(CDataExchange* pDX, int id, Value& value, Get get, Set set) {
    Control control;
    control.Attach(pDX->PrepareCtrl(id));
    if (pDX->saveAndValidate_)
        value = (control.*get)();
    else
        (control.*set)(value);
}

}  // namespace

HWND CDataExchange::PrepareCtrl(int id) {
    last_ = dialog_->GetDlgItem(id);
    lastIsEdit_ = false;
    return last_;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
    PrepareCtrl(id);
    lastIsEdit_ = true;
    return last_;
}

void CDataExchange::FocusFailedControl() const {
    if (!last_) return;
    dialog_->GotoDlgCtrl(last_);
    if (lastIsEdit_) SendMessageA(last_, EM_SETSEL, 0, -1);
}

void CDataExchange::Tell(const std::wstring& text) const {
    CWinApp* app = GetApp();
    const std::wstring caption = app ? WideFromAnsi(app->AppName()) : std::wstring();
    dialog_->MessageBox(text, caption, MB_OK | MB_ICONEXCLAMATION);
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) { pDX->dialog_->AttachControl(id, control); }

void DDX_Text(CDataExchange* pDX, int id, std::string& value) {
    HWND control = pDX->PrepareEditCtrl(id);
    if (pDX->saveAndValidate_) {
        value = WindowText(control);
    } else {
        SetWindowTextA(control, value.c_str());
    }
}

void DDX_Text(CDataExchange* pDX, int id, int& value) {
    HWND control = pDX->PrepareEditCtrl(id);
    if (!pDX->saveAndValidate_) {
        SetWindowTextA(control, std::to_string(value).c_str());
        return;
    }
    try {
        value = StrToInt(WindowText(control));
    } catch (const EConvertError&) {
        pDX->Tell(WideFromCodePage(kJapaneseCodePage, kEnterIntegerText));
        pDX->Fail();
    }
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    HWND control = pDX->PrepareCtrl(id);
    if (pDX->saveAndValidate_) {
        value = static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0));
    } else {
        SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int id, int& value) {
    HWND first = pDX->PrepareCtrl(id);
    if (pDX->saveAndValidate_) value = -1;
    int index = 0;
    for (HWND button = first; button; button = GetWindow(button, GW_HWNDNEXT)) {
        if (button != first && (GetWindowLongA(button, GWL_STYLE) & WS_GROUP)) break;
        if (!(SendMessageA(button, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) continue;
        if (pDX->saveAndValidate_) {
            if (SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
        } else {
            SendMessageA(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& value) {
    ExchangeThrough<CComboBox>(pDX, id, value, &CComboBox::GetCurSel, &CComboBox::SetCurSel);
}

void DDX_CBString(CDataExchange* pDX, int id, std::string& value) {
    HWND control = pDX->PrepareCtrl(id);
    if (pDX->saveAndValidate_) {
        value = WindowText(control);
        return;
    }
    CComboBox box;
    box.Attach(control);
    const int index = box.FindStringExact(value);
    box.SetCurSel(index);
    if (index == CB_ERR) box.SetWindowText(value);
}

void DDX_TabIndex(CDataExchange* pDX, int id, int& value) {
    ExchangeThrough<CTabCtrl>(pDX, id, value, &CTabCtrl::GetCurSel, &CTabCtrl::SetCurSel);
}

void DDX_DateTimeCtrl(CDataExchange* pDX, int id, SYSTEMTIME& value) {
    ExchangeThrough<CDateTimeCtrl>(pDX, id, value, &CDateTimeCtrl::GetTime, &CDateTimeCtrl::SetTime);
}

void DDX_UpDown(CDataExchange* pDX, int id, int& value) {
    ExchangeThrough<CSpinButtonCtrl>(pDX, id, value, &CSpinButtonCtrl::GetPos, &CSpinButtonCtrl::SetPos);
}

void DDX_Progress(CDataExchange* pDX, int id, int& value) {
    ExchangeThrough<CProgressCtrl>(pDX, id, value, &CProgressCtrl::GetPos, &CProgressCtrl::SetPos);
}

void DDX_Slider(CDataExchange* pDX, int id, int& value) {
    ExchangeThrough<CSliderCtrl>(pDX, id, value, &CSliderCtrl::GetPos, &CSliderCtrl::SetPos);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minimum, int maximum) {
    if (!pDX->saveAndValidate_ || (value >= minimum && value <= maximum)) return;
    pDX->Tell(FormatTemplate(WideFromCodePage(kJapaneseCodePage, kIntegerRangeText),
                             std::to_wstring(minimum), std::to_wstring(maximum)));
    pDX->Fail();
}

void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int maxChars) {
    if (!pDX->saveAndValidate_) {
        // The field this check follows then refuses more characters itself;
        // a combo box limits its edit field through a message of its own.
        char kind[16] = "";
        GetClassNameA(pDX->LastControl(), kind, sizeof kind);
        const UINT limit = lstrcmpiA(kind, "ComboBox") == 0 ? CB_LIMITTEXT : EM_LIMITTEXT;
        SendMessageA(pDX->LastControl(), limit, static_cast<WPARAM>(maxChars), 0);
        return;
    }
    if (static_cast<int>(value.size()) <= maxChars) return;
    pDX->Tell(FormatTemplate(WideFromCodePage(kJapaneseCodePage, kMaxCharsText), std::to_wstring(maxChars)));
    pDX->Fail();
}

std::wstring FormatTemplate(const std::wstring& text, const std::wstring& first, const std::wstring& second) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'%' && i + 1 < text.size() && (text[i + 1] == L'1' || text[i + 1] == L'2')) {
            out += text[i + 1] == L'1' ? first : second;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}
