// The application menu and the group editor in this process, over a
// "mivora.ini" of the test's: what the menu shows of the groups and what
// each editor button leaves in the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>

#include "tests/win/bar/BarFixture.h"
#include "tests/win/support/FormDriver.h"
#include "framework/forms/IniFile.h"
#include "tests/win/support/MenuDriver.h"
#include "framework/forms/MessageDlg.h"
#include "main/bar/mainfrm.h"
#include "main/bar/regapp.h"
#include "main/components/Funcs.h"
#include "main/bar/ShellMenus.h"

using namespace bar;
using namespace components;

namespace {

class AppGroupsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetBarFolder(dir_.Path());
        CreateDirectoryA(dir_.File("tools").c_str(), nullptr);
        for (const char* name : {"a.exe", "b.exe", "c.exe"}) CopyFileA(ProbePath().c_str(), Tool(name).c_str(), FALSE);
        form_ = std::make_unique<TForm1>(nullptr);
        form_->SetBounds(200, 40, 406, 22);
        form_->HandleNeeded();
    }
    void TearDown() override {
        form_.reset();
        SetBarFolder("");
    }
    std::string Tool(const std::string& name) const { return dir_.File("tools\\" + name); }
    void WriteIni(const std::string& text) { WriteFileBytes(dir_.File("mivora.ini"), text); }
    std::vector<std::string> Keys(const char* section) const {
        return TIniFile(dir_.File("mivora.ini")).ReadKeys(section);
    }
    TempDir dir_;
    std::unique_ptr<TForm1> form_;
};

struct MenuSeen {
    std::vector<std::string> captions;
    std::vector<bool> enabled;
    std::vector<int> icons;
    std::vector<std::string> doc;  // the first group's programs, "*" marking the bold one
};

MenuSeen OpenAppMenu(TForm1& bar) {
    MenuSeen seen;
    MenuDriver driver({[&](HWND) {
        TMenuItem* items = bar.AppMenu->Items();
        for (int i = 0; i < items->Count(); ++i) {
            seen.captions.push_back(items->Items(i)->Caption);
            seen.enabled.push_back(items->Items(i)->Enabled);
            seen.icons.push_back(items->Items(i)->ImageIndex);
        }
        for (int i = 0; i < bar.GroupItems[0]->Count(); ++i)
            seen.doc.push_back((bar.GroupItems[0]->Items(i)->Default ? "*" : "") + bar.GroupItems[0]->Items(i)->Caption);
    }});
    bar.QAppClick(nullptr);
    return seen;
}

TEST_F(AppGroupsTest, MenuShowsExistingProgramsLastFirstAndPrunesOnlyGroupSections) {
    WriteIni("[ToolBar]\r\nTop=1\r\nLeft=300\r\n[appDoc]\r\na.exe=" + Tool("a.exe") + "\r\ngone.exe=" + Tool("gone.exe") +
             "\r\nc.exe=" + Tool("c.exe") + "\r\n[appGame]\r\nx.exe=" + Tool("x.exe") +
             "\r\n[User]\r\nNet2=\r\nToolBar=\r\n[Net2]\r\nb.exe=" + Tool("b.exe") + "\r\n");
    for (int opening = 1; opening <= 2; ++opening) {
        const MenuSeen seen = OpenAppMenu(*form_);
        ASSERT_EQ(seen.captions.size(), 18u) << opening;
        EXPECT_EQ(seen.captions[9], "Net2");
        EXPECT_EQ(seen.captions[10], "ToolBar");
        EXPECT_EQ(seen.captions[13], "Associated applications");
        EXPECT_EQ(seen.doc, (std::vector<std::string>{"*c.exe", "a.exe"}));
        // A group whose programs are all gone stays enabled, empty, until the next opening.
        EXPECT_EQ(seen.enabled[4], opening == 1) << opening;
        EXPECT_TRUE(seen.enabled[9]);
        EXPECT_FALSE(seen.enabled[10]);
        // Every group, the user's too, has the Programs folder's picture from the first opening on.
        const int programs = GetSmallIconIndex(GetShellFolder("Programs"));
        EXPECT_GE(programs, 0);
        EXPECT_EQ(std::vector<int>(seen.icons.begin(), seen.icons.begin() + 11), std::vector<int>(11, programs));
    }
    EXPECT_EQ(Keys("appDoc"), (std::vector<std::string>{"a.exe", "c.exe"}));
    EXPECT_EQ(Keys("ToolBar"), (std::vector<std::string>{"Top", "Left"}));
}

// Answers for the editor's questions, in order.
struct Answers {
    std::deque<std::string> inputs;
    std::deque<int> boxes;
    std::vector<std::string> messages;
    std::string file;
    Answers() {
        SetInputBoxHook([this](const std::string&, const std::string&, const std::string&) {
            std::string a = inputs.empty() ? "" : inputs.front();
            if (!inputs.empty()) inputs.pop_front();
            return a;
        });
        SetMessageDlgHook([this](const std::string& text, TMsgDlgType, TMsgDlgButtons) {
            messages.push_back(text);
            const int a = boxes.empty() ? mrOk : boxes.front();
            if (!boxes.empty()) boxes.pop_front();
            return a;
        });
        SetOpenDialogHook([this](TOpenDialog& d) {
            EXPECT_EQ(d.Title, "Add application");
            EXPECT_EQ(d.OkCaption, "Add");
            d.FileName = file;
            return true;
        });
    }
    ~Answers() {
        SetInputBoxHook(nullptr);
        SetMessageDlgHook(nullptr);
        SetOpenDialogHook(nullptr);
    }
};

TRegAppFrm* R() { return RegAppFrm; }
bool On(const TStdControl* c) { return IsWindowEnabled(c->Handle()) != FALSE; }

// Drags program `from` of the program list onto group `to` with the mouse.
void DragOntoGroup(int from, int to) {
    RECT item{}, group{};
    SendMessageA(R()->AppList->Handle(), LB_GETITEMRECT, from, reinterpret_cast<LPARAM>(&item));
    SendMessageA(R()->GroupList->Handle(), LB_GETITEMRECT, to, reinterpret_cast<LPARAM>(&group));
    POINT drop{(group.left + group.right) / 2, (group.top + group.bottom) / 2};
    MapWindowPoints(R()->GroupList->Handle(), R()->AppList->Handle(), &drop, 1);
    HWND list = R()->AppList->Handle();
    const int x = (item.left + item.right) / 2, y = (item.top + item.bottom) / 2;
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y + 12));
    PostMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(drop.x, drop.y));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
}

TEST_F(AppGroupsTest, EditorButtonsAndDragChangeTheFileAsTheyGo) {
    WriteIni("[appDoc]\r\ned.exe=c:\\ed.exe\r\n[User]\r\nNet2=\r\n[Net2]\r\nftp.exe=c:\\ftp.exe\r\nirc.exe=c:\\irc.exe\r\n");
    Answers answers;
    UiScript script;
    script
        .When("the editor is up", [] { return R() && Showing(R()); },
              [] {
                  EXPECT_EQ(R()->GroupList->Count(), 10);
                  EXPECT_EQ(R()->AppList->Items(), (std::vector<std::string>{"ed.exe"}));
                  EXPECT_FALSE(On(R()->DelGroupBtn) || On(R()->RenGroupBtn));
                  ClickListEntry(R()->GroupList, 9);
              })
        .When("a user group is chosen", [] { return R()->CurrentSection() == "Net2"; },
              [&] {
                  EXPECT_TRUE(On(R()->DelGroupBtn) && On(R()->RenGroupBtn));
                  answers.boxes = {mrNo};
                  ClickButton(R()->DelGroupBtn);
              })
        .When("the deletion was declined", [&] { return answers.messages.size() == 1; },
              [&] {
                  EXPECT_EQ(Keys("Net2").size(), 2u);
                  answers.inputs = {"Quick Start"};
                  ClickButton(R()->NewGroupBtn);
              })
        .When("the bar's own section was refused", [&] { return answers.messages.size() == 2; },
              [&] {
                  EXPECT_EQ(R()->GroupList->Count(), 10);
                  answers.inputs = {"Web"};
                  ClickButton(R()->NewGroupBtn);
              })
        .When("the new group is chosen", [] { return R()->CurrentSection() == "Web"; },
              [&] {
                  EXPECT_EQ(Keys("User"), (std::vector<std::string>{"Net2", "Web"}));
                  ClickListEntry(R()->GroupList, 9);
              })
        .When("back in the first group", [] { return R()->CurrentSection() == "Net2"; },
              [&] {
                  answers.file = "c:\\x\\tool.exe";
                  ClickButton(R()->AddAppBtn);
              })
        .When("the program is added", [] { return R()->AppList->Count() == 3; },
              [] {
                  EXPECT_EQ(R()->AppPath->Text(), "c:\\x\\tool.exe");
                  DragOntoGroup(0, 10);
              })
        .When("the program moved", [] { return R()->CurrentSection() == "Web"; },
              [&] {
                  EXPECT_EQ(R()->AppList->Items(), (std::vector<std::string>{"ftp.exe"}));
                  EXPECT_EQ(Keys("Net2"), (std::vector<std::string>{"irc.exe", "tool.exe"}));
                  // The drop ends as a click on the program list, which holds the group buttons.
                  ClickListEntry(R()->GroupList, 10);
              })
        .When("the group buttons are back", [] { return On(R()->RenGroupBtn); },
              [&] {
                  answers.inputs = {"Internet"};
                  ClickButton(R()->RenGroupBtn);
              })
        .When("the group is renamed", [] { return R()->CurrentSection() == "Internet"; },
              [&] {
                  EXPECT_EQ(R()->GroupList->Strings(10), "Internet");
                  EXPECT_EQ(Keys("Internet"), (std::vector<std::string>{"ftp.exe"}));
                  ClickButton(R()->DoneBtn);
              });
    script.Run([&] { form_->Register1Click(nullptr); });
    EXPECT_EQ(RegAppFrm, nullptr);
    EXPECT_EQ(Keys("User"), (std::vector<std::string>{"Net2", "Internet"}));
}

TEST_F(AppGroupsTest, AssociatedProgramsAreListedOnceUnderTheirShortcutNames) {
    const std::string a = Tool("a.exe"), b = Tool("b.exe");
    // Two types open a, one b (under a shortcut's name), one the applet runner, one a missing program.
    const struct {
        std::string extension, type, command;
    } types[] = {{".mvta", "mvt.a", "\"" + a + "\" %1"},
                 {".mvtb", "mvt.b", a},
                 {".mvtc", "mvt.c", "rundll32.exe shell32.dll,Control_RunDLL"},
                 {".mvtd", "mvt.d", "c:\\gone\\d.exe"},
                 {".mvte", "mvt.e", "\"" + b + "\""}};
    for (const auto& t : types) {
        SetRegString(HKEY_CLASSES_ROOT, t.extension, "", t.type);
        SetRegString(HKEY_CLASSES_ROOT, t.type + "\\shell\\open\\command", "", t.command);
    }
    LinkNames = std::make_unique<TStringList>();
    LinkTargets = std::make_unique<TStringList>();
    LinkNames->Add("Tool B");
    LinkTargets->Add(b);
    std::vector<std::string> captions[2];
    for (auto& seen : captions) {
        form_->OnAssociateClick(form_->Associatedapplications1);
        for (int i = 0; i < form_->Associatedapplications1->Count(); ++i)
            if (form_->Associatedapplications1->Items(i)->Visible)
                seen.push_back(form_->Associatedapplications1->Items(i)->Caption);
    }
    for (const auto& t : types) {
        for (const char* sub : {"\\shell\\open\\command", "\\shell\\open", "\\shell", ""})
            RegDeleteKeyA(HKEY_CLASSES_ROOT, (t.type + sub).c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, t.extension.c_str());
    }
    LinkNames.reset();
    LinkTargets.reset();
    const auto count = [&](const std::string& c) { return std::count(captions[0].begin(), captions[0].end(), c); };
    EXPECT_EQ(count("a"), 1);
    EXPECT_EQ(count("Tool B"), 1);
    EXPECT_EQ(count("b"), 0);
    EXPECT_EQ(count("d"), 0);
    EXPECT_EQ(captions[1], captions[0]);  // built once a run
}

TEST_F(AppGroupsTest, SearchSoftwareRunsOnlyOnYes) {
    int searches = 0;
    BarExtensions.ShowSoftwareSearch = [&](TForm1*) { ++searches; };
    Answers answers;
    answers.boxes = {mrNo, mrYes};
    form_->Renew1Click(nullptr);
    EXPECT_EQ(searches, 0);
    form_->Renew1Click(nullptr);
    EXPECT_EQ(searches, 1);
    EXPECT_EQ(answers.messages[0], "All hard disks will be searched and\nit will take a few minutes, continue?");
    BarExtensions.ShowSoftwareSearch = nullptr;
}

}  // namespace
