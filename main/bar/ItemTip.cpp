// Tips are built on every highlight change inside the menu loop, so only the
// start of a file is read.
#include "main/bar/ItemTip.h"

#include <shellapi.h>

#include "framework/core/ComPtr.h"
#include "framework/forms/IniFile.h"
#include "explorer/infotip/core/InfoTipRules.h"
#include "main/bar/InfoTipText.h"
#include "main/bar/core/ItemTipRules.h"
#include "framework/win32/LeadByte.h"
#include "main/bar/PopupHook.h"
#include "framework/win32/ScopedHandle.h"
#include "main/bar/ShellMenus.h"
#include "framework/core/StrUtils.h"
#include "framework/forms/SysUtils.h"
#include "framework/win32/WideText.h"
#include "main/bar/mainfrm.h"

namespace bar {

namespace {

// The bar's item of the highlighted entry: the shared menu first, then the network menu.
TMenuItem* HoveredItem() {
    TPopupMenu* menus[] = {Form1 ? Form1->DesktopMenu : nullptr, NetworkMenu};
    for (TPopupMenu* menu : menus) {
        if (!menu) continue;
        TMenuItem* item = HoverIsSubmenu ? menu->Items()->FindBySubmenu(reinterpret_cast<HMENU>(HoverMenuCommand))
                                         : menu->Items()->FindByCommand(static_cast<UINT>(HoverMenuCommand));
        if (item) return item;
    }
    return nullptr;
}

void ShowTipAt(const TipRect& r, const std::string& text) {
    TipWindow->ActivateHint(RECT{r.left, r.top, r.left + r.width, r.top + r.height}, text);
}

std::string LocalDateText(const FILETIME& written) {
    FILETIME local{};
    SYSTEMTIME t{};
    if (!FileTimeToLocalFileTime(&written, &local) || !FileTimeToSystemTime(&local, &t)) return "";
    char date[80] = {}, time[80] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &t, nullptr, time, sizeof time);
    return TipDateText(date, time, t.wHour == 0 && t.wMinute == 0 && t.wSecond == 0 && t.wMilliseconds == 0);
}

bool OpensInNotepad(const std::string& path) {
    char program[MAX_PATH] = {};
    const auto found = reinterpret_cast<INT_PTR>(FindExecutableA(path.c_str(), nullptr, program));
    return found > 32 && SameTextAscii(ExtractFileName(program), "notepad.exe");
}

}  // namespace

void HideItemTip() {
    if (TipHandle) ShowWindow(TipHandle, SW_HIDE);
}

std::string GetFileTypeName(const std::string& path) {
    SHFILEINFOA info{};
    if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_TYPENAME)) return "";
    return info.szTypeName;
}

std::string GetShellInfoTip(LPCITEMIDLIST list) {
    ComPtr<IShellFolder> parent;
    ScopedIdList last;
    if (!SplitIdList(list, parent.Receive(), last.Receive())) return "";
    ComPtr<IQueryInfo> info;
    LPCITEMIDLIST items[] = {last.Get()};
    if (FAILED(parent->GetUIObjectOf(Application->Handle(), 1, items, IID_IQueryInfo, nullptr, info.ReceiveVoid())))
        return "";
    LPWSTR text = nullptr;
    if (FAILED(info->GetInfoTip(0, &text)) || !text) return "";
    const std::string tip = AnsiFromWide(text);
    CoTaskMemFree(text);
    return tip;
}

std::string FileTipText(const std::string& path) {
    const std::string ext = LowerCaseAscii(ExtractFileExt(path));
    if (ext == ".url") {
        TIniFile url(path);
        return url.ReadString("InternetShortcut", "URL", "");
    }
    FileTipParts parts;
    parts.path = path;
    parts.typeName = GetFileTypeName(path);
    {
        // Shared for reading and writing: the tip neither fails on a file
        // another program holds open nor keeps it from writing.
        const ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD high = 0;
        const DWORD low = file ? GetFileSize(file.Get(), &high) : INVALID_FILE_SIZE;
        FILETIME written{};
        if (file && !(low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)) {
            parts.sizeKnown = true;
            parts.size = (std::uint64_t(high) << 32) | low;
            if (GetFileTime(file.Get(), nullptr, nullptr, &written)) parts.when = LocalDateText(written);
        }
        if (file && OpensInNotepad(path))
            parts.extras.push_back(tavlin::TextTip(ReadFileHead(path, tavlin::kTextTipBytes)));
    }
    switch (tavlin::TipKindForFile(path, SystemLeadByte)) {
        case tavlin::TipKind::kZip: parts.extras.push_back(ListZipEntries(path, tavlin::kZipTipEntries)); break;
        case tavlin::TipKind::kHtml:
            // A page that can't be read or converted just gets no preview.
            try {
                parts.extras.push_back(tavlin::HtmlTip(ReadFileHead(path, tavlin::kHtmlTipBytes)));
            } catch (...) {
            }
            break;
        case tavlin::TipKind::kProgram: parts.extras.push_back(GetVersionString(path, "FileDescription")); break;
        default: break;
    }
    return ComposeFileTip(parts);
}

void ShowTipNearCursor(const std::string& text) {
    if (!TipWindow) return;
    POINT pt{};
    GetCursorPos(&pt);
    const RECT laid = TipWindow->CalcHintRect(kTipWidth, text);
    ShowTipAt(PlaceTipNearCursor(pt.x, pt.y, laid.right - laid.left, laid.bottom - laid.top,
                                 GetSystemMetrics(SM_CYSCREEN)),
              text);
}

void ShowItemTip() {
    if (ContextMenuActive || !TipWindow) return;
    TMenuItem* item = HoveredItem();
    LPCITEMIDLIST list = item && item->Caption != "-" ? ItemIdList(item) : nullptr;
    std::string text;
    if (list && HoverIsSubmenu) {
        text = FolderTip(IdListToPath(list));
        TipWindow->ActivateHint(TipWindow->CalcHintRect(kTipWidth, text), text);
        return;
    }
    if (list && OpenMenuKind == 8) {
        text = GetShellInfoTip(list);
    } else if (list && IsFileSystemIdList(list)) {
        const std::string path = IdListToPath(list);
        if (!path.empty()) text = FileTipText(path);
    }
    // A highlight without a tip of its own hides the last one, which
    // described another item. A shown tip is moved, never hidden first:
    // Wine's X11 driver waits up to two seconds to show a window again
    // right after hiding it.
    if (text.empty())
        HideItemTip();
    else
        ShowTipNearCursor(text);
}

}  // namespace bar
