// The standard controls' event rules, which the clock dialogs rely on: which
// changes raise OnClick and OnChange, radio buttons excluding each other,
// buttons ending a modal form, reports reaching controls on panels and group
// boxes, and controls outliving their windows.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/win/support/FormDriver.h"
#include "framework/forms/MessageDlg.h"
#include "framework/forms/StdCtrls.h"
#include "tests/win/support/TestSupport.h"

namespace {

struct Form {
    Form() {
        form = new TForm(Application);
        form->SetBounds(50, 50, 400, 300);
        form->HandleNeeded();
    }
    ~Form() { delete form; }
    template <class T>
    T* Add(int top, TControl* parent = nullptr) {
        auto* c = new T(form);
        c->SetBounds(8, top, 160, 21);
        c->SetParent(parent ? parent : form);
        return c;
    }
    TForm* form;
};

// What each control reported, in order.
struct Log {
    std::vector<std::string> events;
    TNotifyEvent Note(const std::string& what) {
        return [this, what](TObject*) { events.push_back(what); };
    }
};

TEST(StdControls, CheckBoxRaisesClickForEveryChangeOfState) {
    Form f;
    Log log;
    auto* box = f.Add<TCheckBox>(8);
    box->OnClick = log.Note("click");
    box->SetChecked(false);  // no change
    box->SetChecked(true);
    box->SetChecked(true);  // no change
    EXPECT_EQ(log.events, std::vector<std::string>{"click"});
    SendMessageA(box->Handle(), BM_CLICK, 0, 0);  // the user
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(log.events.size(), 2u);
}

TEST(StdControls, RadioButtonsOfOneParentExcludeEachOther) {
    Form f;
    Log log;
    auto* group = f.Add<TGroupBox>(8);
    group->SetBounds(8, 8, 200, 120);
    auto* a = f.Add<TRadioButton>(20, group);
    auto* b = f.Add<TRadioButton>(44, group);
    a->OnClick = log.Note("a");
    b->OnClick = log.Note("b");
    a->SetChecked(true);
    EXPECT_TRUE(a->Checked());
    SendMessageA(b->Handle(), BM_CLICK, 0, 0);  // reported through the group box
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    SendMessageA(b->Handle(), BM_CLICK, 0, 0);  // already checked: nothing
    EXPECT_EQ(log.events, (std::vector<std::string>{"a", "b"}));
}

TEST(StdControls, ListBoxClicksOnlyForTheUser) {
    Form f;
    Log log;
    auto* list = f.Add<TListBox>(8);
    list->SetBounds(8, 8, 160, 120);
    list->OnClick = log.Note("click");
    list->OnDblClick = log.Note("double");
    list->SetItems({"Local Time", "b", "c"});
    list->SetItemIndex(2);  // the program: no click
    EXPECT_TRUE(log.events.empty());
    list->SetString(2, "C");
    EXPECT_EQ(list->Items(), (std::vector<std::string>{"Local Time", "b", "C"}));
    EXPECT_EQ(list->ItemIndex(), 2) << "replacing an entry keeps the selection";
    ClickListEntry(list, 1, true);
    PumpUntil([&] { return log.events.size() >= 2; }, 2000);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(log.events.front(), "click");
    EXPECT_EQ(log.events.back(), "double");
    list->Delete(1);
    EXPECT_EQ(list->Count(), 2);
    EXPECT_EQ(list->Strings(5), "");
}

TEST(StdControls, ComboBoxChangesOnlyForTheUserAndPicksClickThenChange) {
    Form f;
    Log log;
    // The style is the window's: set before the control is placed.
    auto* combo = new TComboBox(f.form);
    combo->Sorted = true;
    combo->SetBounds(8, 8, 160, 21);
    combo->SetParent(f.form);
    combo->OnClick = log.Note("click");
    combo->OnChange = [&](TObject*) { log.events.push_back("change:" + combo->Text()); };
    combo->SetItems({"Paris", "Lima", "kathmandu"});
    combo->SetText("typed");
    combo->SetItems({"Paris", "Lima", "kathmandu"});
    EXPECT_EQ(combo->Text(), "typed") << "refilling the list keeps the text";
    EXPECT_EQ(combo->Items(), (std::vector<std::string>{"kathmandu", "Lima", "Paris"}));
    EXPECT_EQ(combo->IndexOf("PARIS"), 2);
    EXPECT_EQ(combo->IndexOf("Pari"), -1);
    EXPECT_TRUE(log.events.empty()) << "the program's changes raise nothing";
    TypeInto(combo, "ab");
    PickFrom(combo, 1);
    EXPECT_EQ(log.events, (std::vector<std::string>{"change:a", "change:ab", "click", "change:Lima"}));
    combo->SetItemIndex(-1);
    EXPECT_EQ(combo->Text(), "");
}

TEST(StdControls, ButtonsEndTheModalFormWithTheirResult) {
    struct Case {
        const char* what;
        int key;  // 0: a click on the button
        TModalResult expected;
    } cases[] = {{"click OK", 0, mrOk}, {"Enter", VK_RETURN, mrOk}, {"Esc", VK_ESCAPE, mrCancel}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Form f;
        Log log;
        auto* edit = f.Add<TEdit>(8);
        auto* ok = f.Add<TButton>(40);
        ok->Default = true;
        ok->ModalResult = mrOk;
        ok->OnClick = [&](TObject*) {
            EXPECT_EQ(f.form->ModalResult, mrOk) << "the result is set before the click";
            log.events.push_back("ok");
        };
        auto* cancel = f.Add<TButton>(72);
        cancel->Cancel = true;
        cancel->ModalResult = mrCancel;
        UiScript script;
        script.When("the form is up", [&] { return Showing(f.form); },
                    [&] {
                        edit->SetFocus();
                        if (c.key)
                            PostMessageA(edit->Handle(), WM_KEYDOWN, static_cast<WPARAM>(c.key), 0);
                        else
                            ClickButton(ok);
                    });
        TModalResult result = mrNone;
        script.Run([&] { result = f.form->ShowModal(); });
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(log.events.size(), c.expected == mrOk ? 1u : 0u);
    }
}

TEST(StdControls, EditUpDownAndLabel) {
    Form f;
    Log log;
    auto* label = f.Add<TStaticLabel>(8);
    label->SetCaption("&Name:");
    auto* edit = f.Add<TEdit>(30);
    edit->OnChange = log.Note("change");
    edit->SetText("12");  // an edit reports the program's changes too
    EXPECT_EQ(edit->Text(), "12");
    edit->SetReadOnly(true);
    EXPECT_TRUE(GetWindowLongA(edit->Handle(), GWL_STYLE) & ES_READONLY);
    auto* updown = f.Add<TUpDown>(60);
    updown->Min = 1;
    updown->Max = 31;
    updown->SetAssociate(edit);
    updown->SetPosition(40);
    EXPECT_EQ(updown->Position(), 31) << "kept within its range";
    updown->OnClick = log.Note("step");
    SendMessageA(GetParent(updown->Handle()), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5),
                 reinterpret_cast<LPARAM>(updown->Handle()));
    EXPECT_EQ(log.events.back(), "step");
    EXPECT_EQ(label->Text(), "&Name:");
}

TEST(StdControls, ControlsOutliveTheirWindows) {
    auto f = std::make_unique<Form>();
    auto* list = f->Add<TListBox>(8);
    auto* button = f->Add<TButton>(140);
    list->Add("x");
    HWND oldList = list->Handle();
    ASSERT_EQ(TStdControl::FromHandle(oldList), list);
    // The parent's window goes first: the controls learn it and go on without one.
    f->form->DestroyWindowHandle();
    EXPECT_EQ(list->Handle(), nullptr);
    EXPECT_EQ(button->Handle(), nullptr);
    EXPECT_EQ(TStdControl::FromHandle(oldList), nullptr);
    f.reset();
}

TEST(StdControls, MessageBoxesGoToTheHookWhileOneIsSet) {
    std::vector<std::string> seen;
    TMessageDlgHook previous = SetMessageDlgHook([&](const std::string& text, TMsgDlgType, TMsgDlgButtons buttons) {
        seen.push_back(text);
        return buttons & mbYes ? static_cast<int>(mrNo) : static_cast<int>(mrOk);
    });
    EXPECT_EQ(MessageDlg("Sure?", TMsgDlgType::mtConfirmation, mbYesNo), mrNo);
    EXPECT_EQ(MessageDlg("Done", TMsgDlgType::mtInformation, mbOK), mrOk);
    SetMessageDlgHook(previous);
    EXPECT_EQ(seen, (std::vector<std::string>{"Sure?", "Done"}));
}

}  // namespace
