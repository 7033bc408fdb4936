// In this process: the pop-up list window's note of the highlighted item, and
// the tip texts of real files.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "tests/win/bar/BarFixture.h"
#include "framework/forms/HintWindow.h"
#include "main/bar/ItemTip.h"
#include "tests/win/support/MenuDriver.h"
#include "main/bar/PopupHook.h"
#include "framework/forms/PopupList.h"
#include "main/bar/ShellMenus.h"
#include "main/bar/mainfrm.h"

using namespace bar;

namespace {

void MoveMouseTo(POINT pt) {
    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, pt.x * 65536 / GetSystemMetrics(SM_CXSCREEN) + 1,
                pt.y * 65536 / GetSystemMetrics(SM_CYSCREEN) + 1, 0, 0);
}

POINT itemAt[2];
bool movedOn = false;
// While the menu still handles the move onto its first item, the mouse moves on.
LRESULT CALLBACK MoveOnWhileBusy(int code, WPARAM wp, LPARAM lp) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && call->message == WM_MENUSELECT && HIWORD(call->wParam) != 0xFFFF && !movedOn) {
        movedOn = true;
        MoveMouseTo(itemAt[1]);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

TEST(PopupHook, MenuSelectNotesTheItemUnlessAContextMenuIsUp) {
    auto form = std::make_unique<TForm1>(nullptr);
    Form1 = form.get();
    const ScopedMenu menu(CreatePopupMenu()), sub(CreatePopupMenu());
    AppendMenuA(menu.Get(), MF_STRING, 7, "file");
    AppendMenuA(menu.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Get()), "folder");
    const auto subHandle = reinterpret_cast<UINT_PTR>(sub.Get());
    struct Case {
        WPARAM wp;
        HMENU from;
        bool contextMenu;
        UINT_PTR hover;
        bool submenu;
    } cases[] = {
        {MAKEWPARAM(7, MF_STRING), menu.Get(), false, 7, false},
        {MAKEWPARAM(1, MF_POPUP), menu.Get(), false, subHandle, true},
        {MAKEWPARAM(5, MF_STRING), menu.Get(), true, subHandle, true},  // the context menu's own highlight
        {MAKEWPARAM(0, 0xFFFF), nullptr, false, 0, true},                 // closing: the kind stays
    };
    for (const Case& c : cases) {
        ContextMenuActive = c.contextMenu;
        PopupListWndProc(TPopupList::Instance().Window(), WM_MENUSELECT, c.wp, reinterpret_cast<LPARAM>(c.from));
        EXPECT_EQ(HoverMenuCommand, c.hover) << c.wp;
        EXPECT_EQ(HoverIsSubmenu, c.submenu) << c.wp;
    }
    ContextMenuActive = false;
    Form1 = nullptr;
}

TEST(PopupHook, TheHighlightAndTipFollowAMoveThatCameWhileTheMenuWasBusy) {
    auto form = std::make_unique<TForm1>(nullptr);
    Form1 = form.get();
    TipWindow = new THintWindow(form.get());
    InstallPopupListProc();
    TempDir dir;
    for (const char* name : {"first.txt", "second.txt"}) {
        WriteFileBytes(dir.File(name), name);
        auto* item = new TMenuItem(nullptr);
        item->Caption = name;
        item->SetData(PathToIdList(dir.File(name)), ShellFree);
        form->DesktopMenu->Items()->Add(item);
    }
    const ScopedHook hook(SetWindowsHookExA(WH_CALLWNDPROC, MoveOnWhileBusy, nullptr, GetCurrentThreadId()));
    UINT_PTR hovered = 0;
    MenuDriver driver({[&](HWND menu) {
                           for (UINT i = 0; i < 2; ++i) {
                               RECT r{};
                               GetMenuItemRect(menu, form->DesktopMenu->Items()->Handle(), i, &r);
                               itemAt[i] = {r.left + 20, (r.top + r.bottom) / 2};
                           }
                           MoveMouseTo(itemAt[0]);
                       },
                       [](HWND) {}, [](HWND) {}, [&](HWND) { hovered = HoverMenuCommand; }});
    form->DesktopMenu->PopupAt(300, 300);
    EXPECT_TRUE(movedOn);
    EXPECT_EQ(hovered, form->DesktopMenu->Items()->Items(1)->Command());
    EXPECT_EQ(TipWindow->Caption().rfind(dir.File("second.txt"), 0), 0u) << TipWindow->Caption();
    RestorePopupListProc();
    TipWindow = nullptr;
    Form1 = nullptr;
}

TEST(ItemTip, FileTipsByKind) {
    // Text files open in Notepad, which is what earns them a preview.
    SavedRegValue association(HKEY_CLASSES_ROOT, ".txt", "");
    SetRegString(HKEY_CLASSES_ROOT, ".txt", "", "txtfile");
    TempDir dir;
    const std::string text = dir.File("notes.txt"), url = dir.File("site.url");
    WriteFileBytes(text, std::string(300, 'x') + std::string(1747, 'y'));
    WriteFileBytes(url, "[InternetShortcut]\r\nURL=http://example.org/\r\n");
    const std::string tip = FileTipText(text);
    EXPECT_EQ(tip.rfind(text + "\r\n" + GetFileTypeName(text) + ", 1 KB, ", 0), 0u) << tip;
    EXPECT_EQ(tip.substr(tip.size() - 255 - 20), "\r\n----------------\r\n" + std::string(255, 'x'));
    EXPECT_EQ(FileTipText(url), "http://example.org/");
}

}  // namespace
