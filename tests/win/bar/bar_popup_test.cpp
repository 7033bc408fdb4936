// In this process: the pop-up list window's note of the highlighted item, and
// the tip texts of real files.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "BarFixture.h"
#include "ItemTip.h"
#include "PopupHook.h"
#include "PopupList.h"
#include "mainfrm.h"

namespace {

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
