#include "main/bar/regapp.h"

#include <shellapi.h>

#include "framework/win32/LeadByte.h"
#include "framework/forms/MessageDlg.h"
#include "framework/win32/ScopedHandle.h"
#include "main/bar/mainfrm.h"

namespace bar {

namespace {
void PostSpace(const TListBox* list) { PostMessageA(list->Handle(), WM_KEYDOWN, VK_SPACE, 0); }

void FillItem(HDC dc, const RECT& rect) {
    const ScopedBrush brush(CreateSolidBrush(GetBkColor(dc)));
    FillRect(dc, &rect, brush.Get());
}

void WriteItem(HDC dc, const RECT& rect, const std::string& text) {
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, rect.left + 20, rect.top + 1, text.c_str(), static_cast<int>(text.size()));
}
}  // namespace

TRegAppFrm::TRegAppFrm(TForm1* bar)
    : TForm(bar), bar_(bar), ini_(BarIniPath()), store_(ini_, SystemLeadByte) {
    SetUp({"RegAppFrm", "Register applications", 460, 334, TBorderStyle::bsDialog, TFormCentre::AtOnce});

    Label1 = Make<TStaticLabel>(this, this, "Label1", {8, 10, 96, 14});
    Label1->SetCaption("Application Path:");
    AppPath = Make<TEdit>(this, this, "AppPath", {104, 10, 348, 16});
    AppPath->SetReadOnly(true);
    SetWindowLongPtrA(AppPath->Handle(), GWL_EXSTYLE, 0);
    SetWindowPos(AppPath->Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    GroupList = Make<TListBox>(this, this, "GroupList", {16, 50, 202, 200}, [](TListBox& l) { l.ItemHeight = 16; });
    NewGroupBtn = Make<TButton>(this, this, "NewGroupBtn", {16, 258, 74, 23});
    NewGroupBtn->SetCaption("New group...");
    DelGroupBtn = Make<TButton>(this, this, "DelGroupBtn", {94, 258, 60, 23});
    DelGroupBtn->SetCaption("Delete");
    RenGroupBtn = Make<TButton>(this, this, "RenGroupBtn", {158, 258, 60, 23});
    RenGroupBtn->SetCaption("Rename...");
    AppList = Make<TListBox>(this, this, "AppList", {242, 50, 202, 200}, [](TListBox& l) {
        l.ItemHeight = 16;
        l.AutoDrag = true;
    });
    AddAppBtn = Make<TButton>(this, this, "AddAppBtn", {242, 258, 66, 23});
    AddAppBtn->SetCaption("Add...");
    DelAppBtn = Make<TButton>(this, this, "DelAppBtn", {312, 258, 64, 23});
    DelAppBtn->SetCaption("Delete");
    RenAppBtn = Make<TButton>(this, this, "RenAppBtn", {380, 258, 64, 23});
    RenAppBtn->SetCaption("Rename...");
    DoneBtn = Make<TButton>(this, this, "DoneBtn", {377, 302, 75, 23}, [](TButton& b) { b.Cancel = true; });
    DoneBtn->SetCaption("Done");
    DoneBtn->ModalResult = mrOk;
    // The frames last: a window made earlier lies above the later ones and would hide them.
    GroupBox1 = Make<TGroupBox>(this, this, "GroupBox1", {8, 32, 218, 260});
    GroupBox1->SetCaption("Groups:");
    GroupBox2 = Make<TGroupBox>(this, this, "GroupBox2", {234, 32, 218, 260});
    GroupBox2->SetCaption("Applications:");
    OpenDialog1 = Make<TOpenDialog>(this, "OpenDialog1");
    OpenDialog1->Title = "Add application";
    OpenDialog1->Filter = "Executable File(*.exe)|*.exe";
    OpenDialog1->DefaultExt = "exe";
    OpenDialog1->OkCaption = "Add";
    OpenDialog1->Options = ofHideReadOnly | ofFileMustExist;

    GroupList->OnClick = Bind(this, &TRegAppFrm::GroupListClick);
    GroupList->OnDrawItem = Bind(this, &TRegAppFrm::DrawGroup);
    GroupList->OnDragOver = Bind(this, &TRegAppFrm::GroupListDragOver);
    GroupList->OnDragDrop = Bind(this, &TRegAppFrm::GroupListDragDrop);
    AppList->OnClick = Bind(this, &TRegAppFrm::AppListClick);
    AppList->OnEnter = Bind(this, &TRegAppFrm::AppListEnter);
    AppList->OnDrawItem = Bind(this, &TRegAppFrm::DrawApp);
    NewGroupBtn->OnClick = Bind(this, &TRegAppFrm::NewGroupBtnClick);
    DelGroupBtn->OnClick = Bind(this, &TRegAppFrm::DelGroupBtnClick);
    RenGroupBtn->OnClick = Bind(this, &TRegAppFrm::RenGroupBtnClick);
    AddAppBtn->OnClick = Bind(this, &TRegAppFrm::AddAppBtnClick);
    DelAppBtn->OnClick = Bind(this, &TRegAppFrm::DelAppBtnClick);
    RenAppBtn->OnClick = Bind(this, &TRegAppFrm::RenAppBtnClick);

    GroupList->SetItems(store_.GroupNames());
    GroupList->SetItemIndex(0);
    SelectGroup();
    PostSpace(GroupList);
}

TRegAppFrm::~TRegAppFrm() { DestroyWindowHandle(); }

std::string TRegAppFrm::SectionAt(int index) const {
    if (index < kFixedGroupCount) return store_.SectionOf(index);
    // The list, not the file: a group made twice under one name stands here twice.
    return TAppGroupStore::UserSection(GroupList->Strings(index));
}

void TRegAppFrm::SelectGroup() {
    keys_.clear();
    const int index = GroupList->ItemIndex();
    if (index >= 0) section_ = SectionAt(index);
    for (const TAppEntry& e : store_.Programs(section_)) keys_.push_back(e.name);
    AppList->SetItems(keys_);
    DelAppBtn->SetEnabled(false);
    RenAppBtn->SetEnabled(false);
    DelGroupBtn->SetEnabled(index >= kFixedGroupCount);
    RenGroupBtn->SetEnabled(index >= kFixedGroupCount);
}

void TRegAppFrm::GroupListClick(TObject*) { SelectGroup(); }

void TRegAppFrm::ShowSelectedPath() {
    const int index = AppList->ItemIndex();
    if (index >= 0) AppPath->SetText(store_.PathOf(section_, AppList->Strings(index)));
}

void TRegAppFrm::AppListClick(TObject*) {
    DelGroupBtn->SetEnabled(false);
    RenGroupBtn->SetEnabled(false);
    if (AppList->ItemIndex() < 0) return;
    DelAppBtn->SetEnabled(true);
    RenAppBtn->SetEnabled(true);
    ShowSelectedPath();
}

void TRegAppFrm::AppListEnter(TObject*) {
    if (AppList->Count() == 0) return;
    DelAppBtn->SetEnabled(true);
    RenAppBtn->SetEnabled(true);
}

void TRegAppFrm::SelectLastApp() {
    AppList->SetFocus();
    if (AppList->Count() == 0) return;
    AppList->SetItemIndex(AppList->Count() - 1);
    PostSpace(AppList);
    ShowSelectedPath();
}

void TRegAppFrm::Refused(AppEdit result, const std::string& name) {
    const std::string text = AppEditText(result, name);
    if (!text.empty()) MessageDlg(text, TMsgDlgType::mtWarning, mbOK);
}

void TRegAppFrm::AddAppBtnClick(TObject*) {
    if (!OpenDialog1->Execute()) return;
    const AppEdit result = store_.AddProgram(section_, OpenDialog1->FileName);
    if (result != AppEdit::Done) return Refused(result, ExtractFileName(OpenDialog1->FileName));
    SelectGroup();
    SelectLastApp();
}

void TRegAppFrm::DelAppBtnClick(TObject*) {
    const int index = AppList->ItemIndex();
    if (index < 0) return;
    store_.DeleteProgram(section_, AppList->Strings(index));
    SelectGroup();
    SelectLastApp();
}

void TRegAppFrm::RenAppBtnClick(TObject*) {
    const int index = AppList->ItemIndex();
    if (index < 0) return;
    const std::string old = AppList->Strings(index);
    const std::string name = InputBox("Rename", "Input a new name:", old);
    const AppEdit result = store_.RenameProgram(section_, old, name);
    if (result != AppEdit::Done) {
        Refused(result, name);
        return AppList->SetFocus();
    }
    SelectGroup();
    SelectLastApp();
}

bool TRegAppFrm::GroupListDragOver(TListBox* Source, POINT At) {
    if (Source != AppList) return false;
    const int index = GroupList->ItemAtPos(At);
    if (index >= 0) GroupList->SetItemIndex(index);
    return true;
}

void TRegAppFrm::GroupListDragDrop(TListBox* Source, POINT At) {
    const int target = GroupList->ItemAtPos(At);
    const int program = Source->ItemIndex();
    if (target < 0 || program < 0) return;
    if (!store_.MoveProgram(section_, SectionAt(target), Source->Strings(program))) return;
    SelectGroup();
    SelectLastApp();
}

void TRegAppFrm::NewGroupBtnClick(TObject*) {
    const std::string name = InputBox("New group", "Input a group name:", "");
    const AppEdit result = store_.NewGroup(name);
    if (result != AppEdit::Done) return Refused(result, name);
    GroupList->SetItemIndex(GroupList->Add(name));
    SelectGroup();
}

void TRegAppFrm::DelGroupBtnClick(TObject*) {
    const int index = GroupList->ItemIndex();
    if (index < kFixedGroupCount) return;
    if (!keys_.empty() && MessageDlg("All links of application in this group\r\nwill be deleted together. ",
                                     TMsgDlgType::mtConfirmation, mbYesNo) != mrYes)
        return;
    store_.DeleteGroup(GroupList->Strings(index));
    GroupList->Delete(index);
    GroupList->SetItemIndex(GroupList->Count() - 1);
    SelectGroup();
    GroupList->SetFocus();
    PostSpace(GroupList);
}

void TRegAppFrm::RenGroupBtnClick(TObject*) {
    const int index = GroupList->ItemIndex();
    if (index < kFixedGroupCount) return;
    const std::string old = GroupList->Strings(index);
    const std::string name = InputBox("Rename", "Input a new name:", old);
    const AppEdit result = store_.RenameGroup(old, name);
    if (result != AppEdit::Done) return Refused(result, name);
    GroupList->SetString(index, name);
    GroupList->SetItemIndex(index);
    SelectGroup();
    GroupList->SetFocus();
    PostSpace(GroupList);
}

void TRegAppFrm::DrawApp(TListBox*, int index, HDC dc, const RECT& rect, bool) {
    FillItem(dc, rect);
    const std::string name = AppList->Strings(index);
    SHFILEINFOA info{};
    if (SHGetFileInfoA(store_.PathOf(section_, name).c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON)) {
        const ScopedIcon icon(info.hIcon);
        DrawIconEx(dc, rect.left + 2, rect.top, icon.Get(), 16, 16, 0, nullptr, DI_NORMAL);
    }
    WriteItem(dc, rect, name);
}

void TRegAppFrm::DrawGroup(TListBox*, int index, HDC dc, const RECT& rect, bool) {
    FillItem(dc, rect);
    // A fixed group shows its application-menu picture, a user group the bar's own group picture.
    if (index < kFixedGroupCount)
        bar_->ImageList->Draw(dc, rect.left + 2, rect.top, bar_->GroupIcon());
    else
        bar_->SmallImageList->Draw(dc, rect.left + 2, rect.top, 0);
    WriteItem(dc, rect, GroupList->Strings(index));
}

TRegAppFrm* RegAppFrm = nullptr;

void ShowAppGroupEditor(TForm1* bar) {
    TRegAppFrm editor(bar);
    RegAppFrm = &editor;
    struct Gone {
        ~Gone() { RegAppFrm = nullptr; }
    } gone;
    editor.ShowModal();
}

}  // namespace bar
