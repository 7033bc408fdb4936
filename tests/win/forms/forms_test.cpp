// The component layer's forms, controls, timers, image lists, hint window and
// run-time menus, each in a real window of this process.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/forms/ExtCtrls.h"
#include "framework/forms/Forms.h"
#include "framework/forms/HintWindow.h"
#include "framework/forms/ImageList.h"
#include "tests/win/support/MenuDriver.h"
#include "framework/forms/Menus.h"
#include "framework/forms/PopupList.h"
#include "tests/win/support/TestSupport.h"
#include "framework/forms/Timer.h"
#include "framework/win32/WindowText.h"
#include "framework/win32/SystemLibrary.h"

namespace {

TEST(Timer, FiresWhileEnabledAndNotAfter) {
    TTimer timer(nullptr);
    timer.SetInterval(40);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }, 3000));
    timer.SetEnabled(false);
    const int stopped = ticks;
    PumpFor(300);
    EXPECT_EQ(ticks, stopped);
    timer.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return ticks > stopped; }, 3000));
}

TEST(Timer, AHandlerMayFreeItsTimer) {
    auto* timer = new TTimer(nullptr);
    timer->SetInterval(20);
    bool fired = false;
    timer->OnTimer = [&](TObject* sender) {
        fired = true;
        delete static_cast<TTimer*>(sender);
    };
    EXPECT_TRUE(PumpUntil([&] { return fired; }, 3000));
    PumpFor(100);
}

struct EventLog {
    std::vector<std::string> events;
    void Bind(TControl* c) {
        c->OnClick = [this](TObject*) { events.push_back("click"); };
        c->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState, int, int) {
            events.push_back(b == TMouseButton::mbLeft ? "down" : "rdown");
        };
        c->OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int, int) {
            events.push_back(b == TMouseButton::mbLeft ? "up" : "rup");
        };
    }
};

// A press at (5, 5) and its release at (x, 5).
void Press(HWND w, UINT down, int x) {
    const bool right = down == WM_RBUTTONDOWN;
    SendMessageA(w, down, right ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(w, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
}

// A double click is one click and then the double click: the press that ends
// it raises no second click, handled or not (a bar button would otherwise
// start its program twice); a later single click is a click again.
TEST(Controls, ClicksReleasesAndDoubleClicksInOrder) {
    TForm form(nullptr);
    form.SetBounds(10, 10, 200, 60);
    auto* button = Make<TSpeedButton>(&form, &form, "button", {0, 0, 22, 22});
    auto* panel = Make<TPanel>(&form, &form, "panel", {40, 0, 22, 22});
    form.HandleNeeded();
    ASSERT_NE(button->Handle(), nullptr);
    const std::vector<std::pair<UINT, int>> clickTwiceThenOnce = {
        {WM_LBUTTONDOWN, 5}, {WM_LBUTTONDBLCLK, 5}, {WM_LBUTTONDOWN, 5}};
    struct Case {
        const char* what;
        TControl* control;
        bool handlesDouble;
        std::vector<std::pair<UINT, int>> presses;  // the press and where its release lands
        std::vector<std::string> expected;
    } cases[] = {
        // A speed button reports the release before its click; other controls click first.
        {"speed button", button, false, {{WM_LBUTTONDOWN, 5}}, {"down", "up", "click"}},
        {"panel", panel, false, {{WM_LBUTTONDOWN, 5}}, {"down", "click", "up"}},
        {"released outside", button, false, {{WM_LBUTTONDOWN, 40}}, {"down", "up"}},
        {"right button", button, false, {{WM_RBUTTONDOWN, 5}}, {"rdown", "rup"}},
        {"speed button, double unhandled", button, false, clickTwiceThenOnce,
         {"down", "up", "click", "down", "up", "down", "up", "click"}},
        {"speed button, double handled", button, true, clickTwiceThenOnce,
         {"down", "up", "click", "dbl", "down", "up", "down", "up", "click"}},
        {"panel, double handled", panel, true, clickTwiceThenOnce,
         {"down", "click", "up", "dbl", "down", "up", "down", "click", "up"}},
    };
    for (const Case& c : cases) {
        EventLog log;
        log.Bind(c.control);
        c.control->OnDblClick = nullptr;
        if (c.handlesDouble) c.control->OnDblClick = [&log](TObject*) { log.events.push_back("dbl"); };
        for (const auto& press : c.presses) Press(c.control->Handle(), press.first, press.second);
        EXPECT_EQ(log.events, c.expected) << c.what;
    }
}

TEST(Controls, HintsBecomeToolTipsOfTheForm) {
    TForm form(nullptr);
    auto* button = new TSpeedButton(&form);
    button->SetParent(&form);
    form.HandleNeeded();
    HWND tip = form.TooltipWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
    button->SetHint("Default web browser");
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    button->SetHint("Internet Explorer");
    char text[80] = {};
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.hwnd = form.Handle();
    ti.uId = reinterpret_cast<UINT_PTR>(button->Handle());
    ti.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, "Internet Explorer");
    button->SetShowHint(false);
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
}

class CustomForm : public TForm {
public:
    using TForm::TForm;

protected:
    void CreateParams(TCreateParams& p) override {
        TForm::CreateParams(p);
        p.WinClassName = "MivoraTestFormClass";
    }
};

TEST(Forms, WindowClassNameAndMessageHandlers) {
    CustomForm form(nullptr);
    form.BorderStyle = TBorderStyle::bsNone;
    form.FormStyle = TFormStyle::fsStayOnTop;
    form.SetMessageHandler(WM_APP + 5, [](TMessage& m) { m.Result = static_cast<LRESULT>(m.WParam * 2); });
    form.HandleNeeded();
    EXPECT_EQ(FindWindowA("MivoraTestFormClass", nullptr), form.Handle());
    EXPECT_EQ(SendMessageA(form.Handle(), WM_APP + 5, 21, 0), 42);
    EXPECT_TRUE(GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongA(form.Handle(), GWL_STYLE) & WS_CAPTION);
    form.SetClientHeight(2);
    RECT r{};
    GetClientRect(form.Handle(), &r);
    EXPECT_EQ(r.bottom, 2);
}

TEST(Forms, OnCreateRunsOnceAndItsErrorsAreReported) {
    ErrorReports reports;
    int runs = 0;
    struct Failing : TForm {
        int* runs;
        Failing(TComponent* owner, int* r) : TForm(owner), runs(r) {
            OnCreate = [this](TObject*) {
                ++*runs;
                throw Exception("Unable to create directory");
            };
        }
    };
    Failing* form = TForm::Create<Failing>(nullptr, &runs);
    form->DoCreate();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(reports.messages, std::vector<std::string>{"Unable to create directory"});
    delete form;
}

// Steps run by a timer inside a modal loop.
struct ModalSteps {
    TForm* dialog;
    TForm* other;
    bool* disabled;
    int tick = 0;
    static ModalSteps* current;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        ModalSteps* s = current;
        ++s->tick;
        if (s->tick == 1) *s->disabled = !IsWindowEnabled(s->other->Handle());
        if (s->tick == 2 || s->tick == 3) s->dialog->Close();  // the first close is refused
        if (s->tick == 4) s->dialog->ModalResult = mrOk;
    }
};
ModalSteps* ModalSteps::current = nullptr;

TEST(Forms, ShowModalDisablesTheOthersAndReturnsTheResult) {
    TForm other(nullptr);
    other.Show();
    TForm dialog(nullptr);
    dialog.BorderStyle = TBorderStyle::bsDialog;
    bool otherWasDisabled = false;
    int closes = 0;
    dialog.OnClose = [&](TObject*, TCloseAction& action) {
        // The first close is refused.
        if (++closes == 1) action = TCloseAction::caNone;
    };
    ModalSteps step{&dialog, &other, &otherWasDisabled};
    ModalSteps::current = &step;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, ModalSteps::Tick);
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(otherWasDisabled);
    EXPECT_EQ(closes, 2);
    EXPECT_TRUE(IsWindowEnabled(other.Handle()));
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
}

// A form kept for the next use (the clock setting form) opens centred the
// first time and where the user left it afterwards, until asked to centre again.
TEST(Forms, ScreenCentreAppliesAtTheFirstShowing) {
    TForm form(nullptr);
    form.BorderStyle = TBorderStyle::bsDialog;
    form.SetBounds(0, 0, 300, 200);
    form.Position = TPosition::poScreenCenter;
    const int cx = (Screen->Width() - 300) / 2, cy = (Screen->Height() - 200) / 2;
    auto place = [&] {
        RECT r{};
        GetWindowRect(form.Handle(), &r);
        return std::make_pair(static_cast<int>(r.left), static_cast<int>(r.top));
    };
    form.Show();
    EXPECT_EQ(place(), std::make_pair(cx, cy));
    form.Hide();
    // Moved while hidden, as the user's drag leaves it.
    SetWindowPos(form.Handle(), nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    form.Show();
    EXPECT_EQ(place(), std::make_pair(40, 30));
    form.Hide();
    form.Position = TPosition::poScreenCenter;
    form.Show();
    EXPECT_EQ(place(), std::make_pair(cx, cy));
    form.Hide();
}

// A dialog form made from its opening record has its name, caption, border
// and client size; centred at once, it stays where a caller puts it before
// it shows (the location dialog), else it is centred when it first shows.
TEST(Forms, ADialogFormOpensFromItsRecord) {
    struct RecordForm : TForm {
        explicit RecordForm(const TFormArgs& args) : TForm(nullptr) { SetUp(args); }
        std::pair<int, int> Place() const {
            RECT r{};
            GetWindowRect(Handle(), &r);
            return {r.left, r.top};
        }
    };
    for (const TFormCentre centre : {TFormCentre::OnFirstShow, TFormCentre::AtOnce}) {
        RecordForm form({"Record", "From a record", 310, 99, TBorderStyle::bsToolWindow, centre});
        EXPECT_EQ(form.Name(), "Record");
        EXPECT_EQ(WindowText(form.Handle()), "From a record");
        EXPECT_EQ(std::make_pair(form.ClientWidth(), form.ClientHeight()), std::make_pair(310, 99));
        EXPECT_NE(GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
        const std::pair<int, int> middle{(Screen->Width() - form.Width()) / 2, (Screen->Height() - form.Height()) / 2};
        if (centre == TFormCentre::AtOnce) {
            EXPECT_EQ(form.Place(), middle);
        }
        form.SetBounds(20, 10, form.Width(), form.Height());
        form.Show();
        EXPECT_EQ(form.Place(), centre == TFormCentre::AtOnce ? std::make_pair(20, 10) : middle);
        form.Hide();
    }
}

TEST(ImageLists, OwnImagesAndABorrowedSystemList) {
    TBitmap strip;
    strip.SetSize(32, 16);
    strip.Fill(RGB(255, 0, 255));
    {
        TImageList own(nullptr);
        EXPECT_EQ(own.AddMasked(strip, RGB(255, 0, 255)), 0);
        EXPECT_EQ(own.Count(), 2);
        TBitmap target;
        target.SetSize(16, 16);
        own.Draw(target.Canvas()->Handle(), 0, 0, 5);  // no such image: nothing happens
        own.Draw(target.Canvas()->Handle(), 0, 0, -1);
    }
    SHFILEINFOA info{};
    auto system = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    ASSERT_NE(system, nullptr);
    const int before = ImageList_GetImageCount(system);
    {
        auto* borrowed = new TImageList(nullptr);
        borrowed->SetHandle(system, true);
        EXPECT_TRUE(borrowed->ShareImages());
        borrowed->Clear();  // never empties the shell's list
        delete borrowed;
    }
    EXPECT_EQ(ImageList_GetImageCount(system), before);
    EXPECT_GT(before, 0);
}

// The dialogs and sounds no longer imported are found where they are needed.
TEST(SystemLibrary, ExportsOfSystemLibrariesAreFoundOnFirstUse) {
    EXPECT_NE(SystemProcAddress("comdlg32.dll", "GetOpenFileNameA"), nullptr);
    EXPECT_NE(SystemProcAddress("winmm.dll", "sndPlaySoundA"), nullptr);
    EXPECT_EQ(SystemProcAddress("winmm.dll", "NoSuchExport"), nullptr);
    EXPECT_EQ(SystemProcAddress("no-such-library.dll", "sndPlaySoundA"), nullptr);
}

TEST(Menus, ItemDataIsReleasedWithItsItem) {
    std::vector<int> released;
    static std::vector<int>* sink;
    sink = &released;
    auto release = [](void* p) { sink->push_back(*static_cast<int*>(p)); };
    int ids[5] = {1, 2, 3, 4, 5};
    {
        TMenuItem root;
        for (int i = 0; i < 4; ++i) {
            auto* item = new TMenuItem(nullptr);
            item->SetData(&ids[i], release);
            root.Add(item);
        }
        root.Delete(1);
        EXPECT_EQ(released, std::vector<int>{2});
        root.Items(0)->SetData(&ids[4], release);
        EXPECT_EQ(released, (std::vector<int>{2, 1}));
        root.Items(0)->SetData(&ids[4], release);  // the same data again is kept
        EXPECT_EQ(released.size(), 2u);
    }
    EXPECT_EQ(released.size(), 5u);
}

TEST(Menus, LiveMenusRefillInPlace) {
    TMenuItem root;
    auto* folder = new TMenuItem(nullptr);
    folder->Caption = "Folder";
    folder->Add(new TMenuItem(nullptr));
    root.Add(folder);
    auto* leaf = new TMenuItem(nullptr);
    leaf->Caption = "Leaf & more";
    root.Add(leaf);
    HMENU top = root.CreateLiveHandle(nullptr);
    ASSERT_NE(top, nullptr);
    HMENU sub = folder->Handle();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(GetSubMenu(top, 0), sub);
    EXPECT_EQ(root.FindBySubmenu(sub), folder);
    char text[32] = {};
    GetMenuStringA(top, 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "Leaf && more");  // no accelerator out of a data caption
    folder->Items(0)->Visible = false;
    for (int i = 0; i < 3; ++i) folder->Add(new TMenuItem(nullptr));
    folder->RebuildLiveHandle();
    EXPECT_EQ(folder->Handle(), sub);
    EXPECT_EQ(GetMenuItemCount(sub), 3);
    root.Delete(1);
    EXPECT_EQ(GetMenuItemCount(top), 1);
    EXPECT_EQ(GetSubMenu(top, 0), sub);
    root.DestroyLiveHandle();
    EXPECT_EQ(folder->Handle(), nullptr);
    EXPECT_FALSE(IsMenu(sub));
}

TEST(Menus, PopupAtFillsSubmenusAsTheyOpenAndClicksAfterTheCall) {
    TPopupMenu menu(nullptr);
    auto* folder = new TMenuItem(nullptr);
    folder->Caption = "Folder";
    folder->Add(new TMenuItem(nullptr));
    int fills = 0;
    folder->OnClick = [&](TObject*) {
        ++fills;
        folder->Items(0)->Visible = false;
        for (const char* c : {"one", "two", "three"}) {
            auto* child = new TMenuItem(nullptr);
            child->Caption = c;
            folder->Add(child);
        }
    };
    menu.Items()->Add(folder);
    auto* leaf = new TMenuItem(nullptr);
    leaf->Caption = "Leaf";
    bool popupReturned = false, clickedAfterReturn = false, clicked = false;
    leaf->OnClick = [&](TObject*) {
        clicked = true;
        clickedAfterReturn = popupReturned;
    };
    menu.Items()->Add(leaf);
    int shownInSubmenu = -1;
    {
        MenuDriver driver({
            [](HWND m) { PressMenuKey(m, VK_DOWN); },
            [](HWND m) { PressMenuKey(m, VK_RIGHT); },
            [&](HWND m) {
                shownInSubmenu = GetMenuItemCount(folder->Handle());
                PressMenuKey(m, VK_LEFT);
            },
            [](HWND m) { PressMenuKey(m, VK_DOWN); },
            [](HWND m) { PressMenuKey(m, VK_RETURN); },
        });
        menu.PopupAt(100, 100);
        popupReturned = true;
        EXPECT_TRUE(driver.Finished());
    }
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(shownInSubmenu, 3);
    EXPECT_FALSE(clicked);  // not yet: it is delivered by the message loop
    EXPECT_TRUE(PumpUntil([&] { return clicked; }, 2000));
    EXPECT_TRUE(clickedAfterReturn);
    EXPECT_EQ(folder->Handle(), nullptr);  // the system menus went with the call
}

TEST(Menus, OwnerDrawnItemsShowTheirIcons) {
    TImageList images(nullptr);
    TBitmap red;
    red.SetSize(16, 16);
    red.Fill(RGB(255, 0, 0));
    images.AddMasked(red, RGB(255, 0, 255));
    TPopupMenu menu(nullptr);
    menu.Images = &images;
    auto* item = new TMenuItem(nullptr);
    item->Caption = "Red";
    item->ImageIndex = 0;
    menu.Items()->Add(item);
    COLORREF seen = CLR_INVALID;
    {
        MenuDriver driver({[](HWND) {},  // the menu paints first
                           [&](HWND m) {
            HDC dc = GetDC(m);
            // The icon column of the first item.
            for (int y = 2; y < 20 && seen != RGB(255, 0, 0); ++y) seen = GetPixel(dc, 10, y);
            ReleaseDC(m, dc);
        }});
        menu.PopupAt(200, 200);
    }
    EXPECT_EQ(seen, RGB(255, 0, 0));
}

TEST(HintWindow, KeepsItselfOnTheScreen) {
    THintWindow hint(nullptr);
    const RECT one = hint.CalcHintRect(300, "short");
    const RECT many = hint.CalcHintRect(300, std::string(400, 'w') + " " + std::string(400, 'w'));
    EXPECT_LE(one.right, 300 + 10);
    EXPECT_GT(many.bottom, one.bottom);
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    RECT r = one;
    OffsetRect(&r, sw - 5, sh - 5);
    hint.ActivateHint(r, "short");
    ASSERT_NE(hint.Handle(), nullptr);
    EXPECT_TRUE(IsWindowVisible(hint.Handle()));
    RECT shown{};
    GetWindowRect(hint.Handle(), &shown);
    EXPECT_LE(shown.right, sw);
    EXPECT_LE(shown.bottom, sh);
    EXPECT_EQ(shown.right - shown.left, one.right - one.left);
    hint.ReleaseHandle();
    EXPECT_EQ(hint.Handle(), nullptr);
}

TEST(Screen, CursorStandsForEveryControlsOwnUntilReset) {
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(Screen->Cursor(), crHourGlass);
    Screen->SetCursor(crDefault);
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_GT(Screen->Width(), 0);
}

}  // namespace
