// The application menu: the program groups of "mivora.ini" rebuilt at every
// opening, the Start menu's Programs folder, the programs the file types
// open with, and the Run, search and register commands.
#include <shlobj.h>

#include "main/bar/regapp.h"
#include "main/bar/core/AppGroups.h"
#include "main/components/core/ExeFromCmdLine.h"
#include "main/components/Funcs.h"
#include "main/bar/ItemTip.h"
#include "framework/win32/LeadByte.h"
#include "framework/forms/MessageDlg.h"
#include "framework/forms/Registry.h"
#include "main/bar/core/RecentLists.h"
#include "main/bar/ShellMenus.h"
#include "framework/forms/SysUtils.h"
#include "main/bar/mainfrm.h"

namespace bar {

using components::GetExeFromCmdLine;
using components::GetShellFolder;

namespace {
constexpr int kAppMenuItems = 16;
constexpr int kFirstUserGroup = 9;

// The items below the groups, top to bottom; separators keep no member.
struct AppMenuCommand {
    const char* name;
    const char* caption;
    TMenuItem* TForm1::*item;
    void (TForm1::*click)(TObject*);
};
const AppMenuCommand kAppMenuCommands[] = {
    {"N4", "-", nullptr, nullptr},
    {"Practic1", "", &TForm1::Practic1, nullptr},
    {"Associatedapplications1", "Associated applications", &TForm1::Associatedapplications1,
     &TForm1::OnAssociateClick},
    {"N2", "-", nullptr, nullptr},
    {"Run1", "Run...", &TForm1::Run1, &TForm1::Run1Click},
    {"Renew1", "Search software...", &TForm1::Renew1, &TForm1::Renew1Click},
    {"Register1", "Register applications...", &TForm1::Register1, &TForm1::Register1Click},
};
const char* const kGroupItemNames[kFixedGroupCount] = {
    "WordProcess1", "FileManager1", "MutilMedia1", "NetTools1",        "Games1",
    "Desktop1",     "Graphics1",    "DevelopmentTools1", "Misc1",
};
}  // namespace

void TForm1::BuildAppMenu() {
    AppMenu = Make<TPopupMenu>(this, "AppMenu");
    for (int i = 0; i < kFixedGroupCount; ++i) {
        auto* item = Make<TMenuItem>(AppMenu, kGroupItemNames[i]);
        item->Caption = kFixedGroups[i].caption;
        AppMenu->Items()->Add(item);
        GroupItems[static_cast<size_t>(i)] = item;
    }
    for (const AppMenuCommand& row : kAppMenuCommands) {
        auto* item = Make<TMenuItem>(AppMenu, row.name);
        item->Caption = row.caption;
        if (row.click) item->OnClick = Bind(this, row.click);
        AppMenu->Items()->Add(item);
        if (row.item) this->*row.item = item;
    }
    // Filled when the submenu first opens; a submenu needs an item to open at all.
    Associatedapplications1->Add(new TMenuItem(nullptr));
}

void TForm1::QAppClick(TObject*) {
    HideItemTip();
    AppMenu->Images = ImageList;
    for (TMenuItem* group : GroupItems) group->Clear();
    Practic1->Clear();
    Practic1->Hint.clear();
    while (AppMenu->Items()->Count() > kAppMenuItems) AppMenu->Items()->Delete(kFirstUserGroup);
    TIniFile ini(BarIniPath());
    TAppGroupStore store(ini, SystemLeadByte);
    for (int i = 0; i < kFixedGroupCount; ++i) FillGroupMenu(kFixedGroups[i].section, GroupItems[size_t(i)], store);
    const int groupIcon = GroupIcon();
    for (const std::string& name : store.UserGroups()) {
        auto* item = new TMenuItem(nullptr);
        item->Caption = name;
        item->ImageIndex = groupIcon;
        AppMenu->Items()->Insert(AppMenu->Items()->Count() - (kAppMenuItems - kFirstUserGroup), item);
        FillGroupMenu(TAppGroupStore::UserSection(name), item, store);
    }
    BuildShellMenu(Practic1, AppMenu, "", CSIDL_PROGRAMS);
    OpenBarMenu(AppMenu, QApp, 6, Left());
}

int TForm1::GroupIcon() {
    // Every group, the user's too, shows the Programs folder's picture. The
    // shell's first icon of a folder costs more than all the rest of the
    // bar's start: it is asked when the menu first needs it.
    if (!groupIconKnown_) {
        const int icon = GetSmallIconIndex(GetShellFolder("Programs"));
        for (TMenuItem* group : GroupItems) group->ImageIndex = icon;
        groupIconKnown_ = true;
    }
    return GroupItems[0]->ImageIndex;
}

void TForm1::FillGroupMenu(const std::string& Section, TMenuItem* Item, TAppGroupStore& Store) {
    Item->Enabled = true;
    // The shell's icon of a program costs more than all the rest of the
    // opening: each group asks for its programs' icons as its submenu opens.
    Item->OnClick = [](TObject* Sender) {
        auto* group = static_cast<TMenuItem*>(Sender);
        for (int i = 0; i < group->Count(); ++i)
            if (group->Items(i)->ImageIndex < 0) group->Items(i)->ImageIndex = GetSmallIconIndex(group->Items(i)->Hint);
    };
    const TGroupFill fill = Store.FillGroup(Section, [](const std::string& path) { return FileExists(path); });
    for (const TAppEntry& program : fill.programs) {
        auto* child = new TMenuItem(nullptr);
        child->Caption = program.name;
        child->Hint = program.path;
        child->OnClick = Bind(this, &TForm1::ItemsxClick);
        Item->Insert(0, child);
    }
    for (int i = 0; i < Item->Count(); ++i) Item->Items(i)->Default = i == 0;
    if (!fill.hadKeys) Item->Enabled = false;
}

void TForm1::ItemsxClick(TObject* Sender) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item || !item->Parent()) return;
    std::string section = TAppGroupStore::UserSection(item->Parent()->Caption);
    for (int i = 0; i < kFixedGroupCount; ++i)
        if (item->Parent() == GroupItems[size_t(i)]) section = kFixedGroups[i].section;
    TIniFile ini(BarIniPath());
    TAppGroupStore store(ini, SystemLeadByte);
    RunGroupItem(section, store, item);
}

void TForm1::RunGroupItem(const std::string& Section, TAppGroupStore& Store, TMenuItem* Item) {
    OnRunFileItemClick(Item);
    Store.MarkStarted(Section, Item->Caption, Item->Hint);
}

void TForm1::OnAssociateClick(TObject*) {
    if (Associatedapplications1->Hint == "OK") return;
    Associatedapplications1->Items(0)->Visible = false;
    Associatedapplications1->Hint = "OK";
    TScreenHourGlass hourglass;
    TRegistry reg(KEY_READ);
    reg.RootKey = HKEY_CLASSES_ROOT;
    if (!reg.OpenKeyReadOnly("\\")) return;
    std::vector<std::string> listed;
    for (const std::string& name : reg.GetKeyNames()) {
        if (name.empty() || name[0] != '.') continue;
        std::string program;
        try {
            if (!reg.OpenKeyReadOnly("\\" + name)) continue;
            const std::string type = reg.ReadString("");
            if (type.empty() || !reg.OpenKeyReadOnly("\\" + type + "\\shell\\open\\command")) continue;
            program = GetExeFromCmdLine(reg.ReadString(""));
        } catch (const ERegistryException&) {
            continue;  // a default value that is no string names no program
        }
        if (!IsListableAssociation(program, listed, SystemLeadByte) || !FileExists(program)) continue;
        listed.push_back(program);
        auto* item = new TMenuItem(nullptr);
        const std::string file = ExtractFileName(program);
        item->Caption = ProgramCaption(program, file.substr(0, file.size() >= 4 ? file.size() - 4 : 0));
        item->Hint = program;
        item->OnClick = Bind(this, &TForm1::OnRunFileItemClick);
        item->ImageIndex = GetSmallIconIndex(program);
        Associatedapplications1->Add(item);
    }
}

std::string TForm1::ProgramCaption(const std::string& Path, const std::string& Fallback) const {
    const int at = LinkTargets ? IndexOfPath(*LinkTargets, Path, SamePathText) : -1;
    return at >= 0 && at < LinkNames->Count() ? (*LinkNames)[at] : Fallback;
}

void TForm1::Run1Click(TObject*) {
    HMODULE shell = GetModuleHandleA("shell32.dll");
    using RunFileDlgFn = void(WINAPI*)(HWND, HICON, LPCSTR, LPCSTR, LPCSTR, UINT);
    auto run = shell ? reinterpret_cast<RunFileDlgFn>(GetProcAddress(shell, MAKEINTRESOURCEA(61))) : nullptr;
    if (run) run(Handle(), nullptr, nullptr, nullptr, nullptr, 0);
}

void TForm1::Renew1Click(TObject*) {
    if (MessageDlg("All hard disks will be searched and\nit will take a few minutes, continue?",
                   TMsgDlgType::mtConfirmation, mbYesNo) != mrYes)
        return;
    if (BarExtensions.ShowSoftwareSearch) BarExtensions.ShowSoftwareSearch(this);
}

void TForm1::Register1Click(TObject*) { ShowAppGroupEditor(this); }

}  // namespace bar
