#include "tests/win/support/DialogDriver.h"

#include <commctrl.h>

#include <cstring>
#include <thread>

namespace {

struct FindData {
    std::wstring caption;
    bool messageBox = false;
    HWND found = nullptr;
};

// The text control of a message box.
constexpr int kMessageTextId = 0xFFFF;

BOOL CALLBACK FindDialog(HWND window, LPARAM parameter) {
    auto* data = reinterpret_cast<FindData*>(parameter);
    if (!IsWindowVisible(window)) return TRUE;
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (lstrcmpW(className, L"#32770") != 0) return TRUE;
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(window, &text[0], length + 1);
    text.resize(static_cast<std::size_t>(length));
    // A message box may carry its dialog's caption: tell them apart by its text control.
    if (data->messageBox && !GetDlgItem(window, kMessageTextId)) return TRUE;
    if (text == data->caption) {
        data->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CloseDialog(HWND window, LPARAM) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (lstrcmpW(className, L"#32770") == 0) PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return TRUE;
}

}  // namespace

HWND DialogDriver::WaitForDialog(const std::wstring& caption, DWORD ms) { return Find(caption, false, ms); }

HWND DialogDriver::Find(const std::wstring& caption, bool messageBox, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        FindData data{caption, messageBox};
        EnumThreadWindows(uiThread_, FindDialog, reinterpret_cast<LPARAM>(&data));
        if (data.found) return data.found;
        if (GetTickCount() - start > ms) return nullptr;
        Sleep(10);
    }
}

HWND DialogDriver::Expect(const std::wstring& caption, DWORD ms) {
    HWND window = WaitForDialog(caption, ms);
    if (!window) {
        std::string name;
        for (wchar_t c : caption) name += c < 128 ? static_cast<char>(c) : '?';
        Fail("no dialog \"" + name + "\"");
    }
    return window;
}

bool DialogDriver::WaitGone(HWND window, DWORD ms) {
    return WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); }, ms);
}

bool DialogDriver::WaitFor(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        Sleep(10);
    }
    return true;
}

bool DialogDriver::NoDialog(const std::wstring& caption, DWORD ms) { return WaitForDialog(caption, ms) == nullptr; }

std::wstring DialogDriver::Text(HWND dialog, int id) const {
    HWND control = GetDlgItem(dialog, id);
    const int length = static_cast<int>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(control, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::string DialogDriver::AnsiText(HWND dialog, int id) const {
    HWND control = GetDlgItem(dialog, id);
    const int length = static_cast<int>(SendMessageA(control, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(control, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(std::strlen(text.c_str()));
    return text;
}

void DialogDriver::SetText(HWND dialog, int id, const std::string& text) const {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void DialogDriver::Click(HWND dialog, int id) const {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void DialogDriver::ClickRadio(HWND dialog, int id) const {
    // What a mouse click on an automatic radio button does: check it, clear
    // the others of its group, tell the dialog.
    HWND button = GetDlgItem(dialog, id);
    HWND first = button;
    while (first && !(GetWindowLongW(first, GWL_STYLE) & WS_GROUP)) first = GetWindow(first, GW_HWNDPREV);
    for (HWND b = first; b; b = GetWindow(b, GW_HWNDNEXT)) {
        if (b != first && (GetWindowLongW(b, GWL_STYLE) & WS_GROUP)) break;
        SendMessageW(b, BM_SETCHECK, b == button ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    Click(dialog, id);
}

void DialogDriver::SetCheck(HWND dialog, int id, bool checked) const {
    SendMessageW(GetDlgItem(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    Click(dialog, id);
}

bool DialogDriver::IsChecked(HWND dialog, int id) const {
    return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool DialogDriver::IsEnabled(HWND dialog, int id) const { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

bool DialogDriver::IsVisible(HWND dialog, int id) const {
    return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

std::wstring DialogDriver::Answer(const std::wstring& caption, int button, DWORD ms) {
    HWND box = Find(caption, true, ms);
    if (!box) {
        Fail("no message box");
        return std::wstring();
    }
    const std::wstring text = Text(box, kMessageTextId);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    WaitGone(box, 5000);
    return text;
}

std::vector<std::wstring> DialogDriver::ListColumn(HWND dialog, int id, int column) const {
    HWND list = GetDlgItem(dialog, id);
    std::vector<std::wstring> texts;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t buffer[600] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = 600;
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        texts.emplace_back(buffer);
    }
    return texts;
}

void DialogDriver::SelectRow(HWND dialog, int id, int row) const {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(GetDlgItem(dialog, id), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int DialogDriver::SelectedRow(HWND dialog, int id) const {
    return static_cast<int>(SendMessageW(GetDlgItem(dialog, id), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                         MAKELPARAM(LVNI_SELECTED, 0)));
}

void DialogDriver::ClickColumn(HWND dialog, int id, int column) const {
    NMLISTVIEW notice{};
    notice.hdr.hwndFrom = GetDlgItem(dialog, id);
    notice.hdr.idFrom = static_cast<UINT_PTR>(id);
    notice.hdr.code = LVN_COLUMNCLICK;
    notice.iItem = -1;
    notice.iSubItem = column;
    // Sent: the record lives on this thread's stack until the dialog has read it.
    SendMessageW(dialog, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&notice));
}

void DialogDriver::CloseEverything() {
    while (!uiDone) {
        EnumThreadWindows(uiThread_, CloseDialog, 0);
        Sleep(50);
    }
}

std::vector<std::string> RunDriven(const std::function<void()>& ui, const std::function<void(DialogDriver&)>& script,
                                   DWORD endMs) {
    DialogDriver driver(GetCurrentThreadId());
    std::thread thread([&] {
        try {
            script(driver);
        } catch (const std::exception& e) {
            driver.Fail(std::string("script error: ") + e.what());
        }
        if (driver.failures.empty() && !driver.WaitFor([&] { return driver.uiDone.load(); }, endMs))
            driver.Fail("the dialogs did not end");
        if (!driver.failures.empty()) driver.CloseEverything();
    });
    ui();
    driver.uiDone = true;
    thread.join();
    return driver.failures;
}
