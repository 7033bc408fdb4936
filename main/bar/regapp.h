// The application group editor: the user adds, renames, deletes and drags
// programs between groups, and makes, renames and deletes groups of his own.
// Every change goes to "mivora.ini" at once.
#pragma once
#include <string>
#include <vector>

#include "main/bar/core/AppGroups.h"
#include "framework/forms/Dialogs.h"
#include "framework/forms/Forms.h"
#include "framework/forms/IniFile.h"
#include "framework/forms/StdCtrls.h"

namespace bar {

class TForm1;

class TRegAppFrm : public TForm {
public:
    explicit TRegAppFrm(TForm1* bar);
    ~TRegAppFrm() override;

    TStaticLabel* Label1;
    TEdit* AppPath;
    TGroupBox* GroupBox1;
    TListBox* GroupList;
    TButton* NewGroupBtn;
    TButton* DelGroupBtn;
    TButton* RenGroupBtn;
    TGroupBox* GroupBox2;
    TListBox* AppList;
    TButton* AddAppBtn;
    TButton* DelAppBtn;
    TButton* RenAppBtn;
    TButton* DoneBtn;
    TOpenDialog* OpenDialog1;

    // The section whose programs the list shows.
    const std::string& CurrentSection() const { return section_; }
    void SelectGroup();
    void GroupListClick(TObject* Sender);
    void AppListClick(TObject* Sender);
    void AppListEnter(TObject* Sender);
    void NewGroupBtnClick(TObject* Sender);
    void DelGroupBtnClick(TObject* Sender);
    void RenGroupBtnClick(TObject* Sender);
    void AddAppBtnClick(TObject* Sender);
    void DelAppBtnClick(TObject* Sender);
    void RenAppBtnClick(TObject* Sender);
    bool GroupListDragOver(TListBox* Source, POINT At);
    void GroupListDragDrop(TListBox* Source, POINT At);

private:
    std::string SectionAt(int index) const;
    void SelectLastApp();
    void ShowSelectedPath();
    void Refused(AppEdit result, const std::string& name);
    void DrawApp(TListBox*, int index, HDC dc, const RECT& rect, bool selected);
    void DrawGroup(TListBox*, int index, HDC dc, const RECT& rect, bool selected);
    TForm1* bar_;
    TIniFile ini_;
    TAppGroupStore store_;
    std::string section_;
    std::vector<std::string> keys_;
};

// Shows the editor modally over the bar and frees it.
void ShowAppGroupEditor(TForm1* bar);
// The editor while it is shown.
extern TRegAppFrm* RegAppFrm;

}  // namespace bar
