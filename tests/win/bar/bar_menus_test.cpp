// The bar's menus in this process: the opening protocol, the address menu
// from an address-book file, the tools menu, and the guards on the find items.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <memory>

#include "tests/win/bar/BarFixture.h"
#include "tests/win/support/MenuDriver.h"
#include "main/components/core/SendKeysScript.h"
#include "framework/core/StrUtils.h"
#include "main/bar/mainfrm.h"
#include "main/components/sndkey32.h"

using namespace bar;
using namespace components;

namespace {

class BarMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = std::make_unique<TForm1>(nullptr);
        form_->SetBounds(200, 40, 406, 22);
        form_->HandleNeeded();
        OpenMenuKind = 0;
        OpenMenuButton = -1;
    }
    void TearDown() override { form_.reset(); }

    // The lists the bar loads at its start, empty, and its folder the test's.
    void GiveTheBarEmptyLists() {
        SetBarFolder(dir_.Path());
        RecentFiles = std::make_unique<TStringList>();
        RecentFolders = std::make_unique<TStringList>();
        LockedFiles = std::make_unique<TStringList>();
        LockedFolders = std::make_unique<TStringList>();
        ListsReady = true;
    }
    void TakeTheListsAway() {
        RecentFiles.reset();
        RecentFolders.reset();
        LockedFiles.reset();
        LockedFolders.reset();
        SetBarFolder("");
    }

    struct Seen {
        int kind = -1, button = -1, items = -1;
        std::vector<std::string> captions;
        std::vector<int> images;
        TImageList* images_list = nullptr;
    };
    // Opens a menu by `open` and notes the protocol's state and the shown items.
    Seen Open(TPopupMenu* menu, const std::function<void()>& open) {
        Seen seen;
        MenuDriver driver({[&](HWND) {
            seen.kind = OpenMenuKind;
            seen.button = OpenMenuButton;
            seen.items = menu->Items()->Count();
            for (int i = 0; i < menu->Items()->Count(); ++i) {
                seen.captions.push_back(menu->Items()->Items(i)->Caption);
                seen.images.push_back(menu->Items()->Items(i)->ImageIndex);
            }
            seen.images_list = menu->Images;
        }});
        open();
        return seen;
    }
    std::unique_ptr<TForm1> form_;
    TempDir dir_;
};

TEST_F(BarMenuTest, ShellFolderButtonsOpenTheirMenusUnderTheButton) {
    struct Case {
        void (TForm1::*click)(TObject*);
        TSpeedButton* TForm1::*button;
        int kind, tag;
    } cases[] = {
        {&TForm1::QexplorerClick, &TForm1::Qexplorer, 2, 4},
        {&TForm1::QcontrolClick, &TForm1::Qcontrol, 10, 8},
    };
    for (const Case& c : cases) {
        TForm1* f = form_.get();
        const Seen seen = Open(f->DesktopMenu, [&] { (f->*c.click)(f->*c.button); });
        EXPECT_EQ(seen.kind, c.kind);
        EXPECT_EQ(seen.button, c.tag);
        EXPECT_GT(seen.items, 0);
        EXPECT_EQ(seen.images_list, f->ImageList);
        EXPECT_EQ(OpenMenuKind, 0);
        EXPECT_EQ(OpenMenuButton, c.tag);  // never reset
    }
}

// A button's tip that was due as its menu opened stays away while the menu is
// open: however long the menu took to build, the cursor is still on the button.
TEST_F(BarMenuTest, NoButtonTipComesUpOverAnOpenMenu) {
    form_->Show();
    const std::pair<TSpeedButton*, UINT> cases[] = {
        {form_->Qexplorer, WM_LBUTTONDOWN}, {form_->Qfind, WM_LBUTTONDOWN}, {form_->Qexplorer, WM_RBUTTONDOWN}};
    for (const auto& [button, down] : cases) {
        RECT r{};
        GetWindowRect(button->Handle(), &r);
        SetCursorPos(r.left + 5, r.top + 5);
        bool tipShown = false;
        MenuDriver driver({[](HWND) {}, [](HWND) {}, [](HWND) {}, [](HWND) {},
                           [&](HWND) { tipShown = IsWindowVisible(form_->TooltipWindow()) != FALSE; }});
        // The move makes the tip due; the release opens the menu.
        for (UINT msg : {UINT(WM_MOUSEMOVE), down, down + 1}) SendMessageA(button->Handle(), msg, 0, MAKELPARAM(5, 5));
        EXPECT_TRUE(driver.Finished() && !tipShown) << down;
    }
}

TEST_F(BarMenuTest, TheNetworkMenuIsBuiltOnceThenShownAsItIs) {
    NetworkMenu = new TPopupMenu(form_.get());
    NetworkMenu->Images = form_->ImageList;
    NetworkMenuStale = true;
    auto* marker = new TMenuItem(nullptr);
    marker->Caption = "kept";
    Open(NetworkMenu, [&] { form_->QnetClick(form_->Qnet); });
    EXPECT_FALSE(NetworkMenuStale);
    NetworkMenu->Items()->Insert(0, marker);
    Open(NetworkMenu, [&] { form_->QnetClick(form_->Qnet); });
    EXPECT_EQ(NetworkMenu->Items()->IndexOf(marker), 0);  // not rebuilt
    // The five-minute rebuild skips a network menu that is open.
    OpenMenuKind = 1;
    form_->Timer3Timer(nullptr);
    EXPECT_EQ(NetworkMenu->Items()->IndexOf(marker), 0);
    OpenMenuKind = 0;
    form_->Timer3Timer(nullptr);
    EXPECT_EQ(NetworkMenu->Items()->IndexOf(marker), -1);
    NetworkMenu = nullptr;
}

std::string AddressBook(const std::vector<std::string>& addresses) {
    std::string file(6212, '\x11');
    for (const std::string& a : addresses) {
        std::string e = a;
        e.resize(36, '\0');
        file += e;
    }
    file += std::string(36, '\0');
    return file;
}

TEST_F(BarMenuTest, TheAddressMenuListsTheAddressBookInFileOrder) {
    const char* key = "Software\\Microsoft\\WAB\\WAB4\\Wab File Name";
    SavedRegValue saved(HKEY_CURRENT_USER, key, "");
    const std::string book = dir_.File("people.wab");
    WriteFileBytes(book, AddressBook({"ann@example.org", "bob@example.org", "cy@example.org"}));
    SetRegString(HKEY_CURRENT_USER, key, "", book);
    Seen seen = Open(form_->DesktopMenu, [&] { form_->QmailClick(form_->Qmail); });
    EXPECT_EQ(seen.kind, 10);
    EXPECT_EQ(seen.button, 11);
    EXPECT_EQ(seen.captions, (std::vector<std::string>{"ann@example.org", "bob@example.org", "cy@example.org"}));
    EXPECT_EQ(seen.images, (std::vector<int>{13, 13, 13}));
    EXPECT_EQ(seen.images_list, form_->SmallImageList);
    // A file too short for any entry: the menu is opened empty (an empty
    // menu shows no window), so the protocol still names the button.
    WriteFileBytes(book, "short");
    OpenMenuButton = -1;
    Open(form_->DesktopMenu, [&] { form_->QmailClick(form_->Qmail); });
    EXPECT_EQ(form_->DesktopMenu->Items()->Count(), 0);
    EXPECT_EQ(OpenMenuButton, 11);
    // No address book at all: nothing is opened.
    SetRegString(HKEY_CURRENT_USER, key, "", "");
    OpenMenuButton = -1;
    Open(form_->DesktopMenu, [&] { form_->QmailClick(form_->Qmail); });
    EXPECT_EQ(OpenMenuButton, -1);
    EXPECT_EQ(OpenMenuKind, 0);
}

// A tool program in the Windows folder for the length of a test.
struct DummyTool {
    std::string path;
    bool made = false;
    explicit DummyTool(const std::string& p) : path(p) {
        if (GetFileAttributesA(p.c_str()) == INVALID_FILE_ATTRIBUTES) {
            WriteFileBytes(p, "MZ");
            made = true;
        }
    }
    ~DummyTool() {
        if (made) DeleteFileA(path.c_str());
    }
};

TEST_F(BarMenuTest, TheToolsMenuListsExistingToolsInReverseCallOrder) {
    const std::string w = form_->SysInfo1->WinPath();
    ASSERT_FALSE(w.empty());
    DeleteFileA((w + "\\cleanmgr.exe").c_str());
    DummyTool defrag(w + "\\defrag.exe"), scan(w + "\\scandskw.exe");
    // A Start-menu shortcut to the disk checker names it.
    LinkNames = std::make_unique<TStringList>();
    LinkTargets = std::make_unique<TStringList>();
    LinkNames->Add("Disk check");
    LinkTargets->Add(w + "\\SCANDSKW.EXE");
    for (int opening = 0; opening < 2; ++opening) {
        const Seen seen = Open(form_->DoctorMenu, [&] { form_->QdoctorClick(form_->Qdoctor); });
        EXPECT_EQ(seen.kind, 10);
        EXPECT_EQ(seen.captions, (std::vector<std::string>{"Mivora backup", "-", "Disk check", "defrag.exe", "-",
                                                           "System info..."}))
            << "opening " << opening;
        ASSERT_EQ(seen.images.size(), 6u);
        EXPECT_GE(seen.images[2], 0);
        EXPECT_EQ(form_->DoctorMenu->Items()->Items(3)->Hint, w + "\\defrag.exe");
    }
    LinkNames.reset();
    LinkTargets.reset();
}

class KeyRecorder : public KeySink {
public:
    int keys = 0;
    void KeyEvent(std::uint8_t, std::uint8_t, std::uint32_t) override { ++keys; }
    std::uint16_t CharToKeyCode(char c) override { return static_cast<std::uint8_t>(c); }
    std::uint16_t VirtualKeyToScan(std::uint8_t) override { return 0; }
    void ToggleNumLock() override {}
    void Message(const std::string&) override {}
    void PumpKeyboardMessages() override {}
};

TEST_F(BarMenuTest, FindItemsDoNothingWhereTheShellHasNoDialogs) {
    KeyRecorder recorder;
    KeySink* previous = SetSendKeysSink(&recorder);
    // Under Wine the shell's find dialog doesn't open: no keys may go out.
    for (TMenuItem* item : {form_->FindFiles1, form_->Findtexts1, form_->Findbydate1, form_->Findadvanced1})
        form_->FindFiles1Click(item);
    SetSendKeysSink(previous);
    EXPECT_EQ(recorder.keys, 0);
    // Wine's find-computer export ends the process that calls it.
    form_->FindComputer1Click(form_->FindComputer1);
    SUCCEED();
}

// The address book program lies beside the mail program. Without a mail
// program there is no such folder, and a "wab.exe" that happens to be in the
// current folder must not start.
TEST_F(BarMenuTest, TheAddressBookProgramStartsOnlyBesideTheMailProgram) {
    const std::string log = dir_.File("probe.log");
    SetEnvironmentVariableA("MIVORA_PROBE_LOG", log.c_str());
    const std::string stray = dir_.File("current\\"), mailFolder = dir_.File("mail client\\");
    for (const std::string& folder : {stray, mailFolder}) {
        CreateDirectoryA(folder.c_str(), nullptr);
        ASSERT_TRUE(CopyFileA(ProbePath().c_str(), (folder + "wab.exe").c_str(), FALSE));
    }
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof previous, previous);
    SetCurrentDirectoryA(stray.c_str());
    const std::string savedMail = MailClientPath;
    struct Case {
        std::string mailClient;
        TMouseButton button;
        std::string started;  // the program expected in the log, "" for none
    } cases[] = {
        {"", TMouseButton::mbRight, ""},
        {mailFolder + "mailer.exe", TMouseButton::mbLeft, ""},  // a left release is the click
        {mailFolder + "mailer.exe", TMouseButton::mbRight, mailFolder + "wab.exe\r\n"},
    };
    for (const Case& c : cases) {
        DeleteFileA(log.c_str());
        MailClientPath = c.mailClient;
        form_->QmailMouseUp(form_->Qmail, c.button, 0, 0, 0);
        if (c.started.empty()) {
            PumpFor(2500);
            EXPECT_EQ(ReadFileBytes(log), "") << c.mailClient;
        } else {
            EXPECT_EQ(WaitForFileBytes(log, c.started, 10000), c.started);
        }
    }
    MailClientPath = savedMail;
    SetCurrentDirectoryA(previous);
    SetEnvironmentVariableA("MIVORA_PROBE_LOG", nullptr);
}

// The grip's picture opens the tray menu as a bar menu of the "other" kind,
// leaving the button of the last bar menu as it was.
TEST_F(BarMenuTest, TheGripPictureOpensTheTrayMenu) {
    OpenMenuButton = 7;
    const Seen seen = Open(form_->TrayMenu, [&] {
        form_->aImageMouseDown(form_->aImage, TMouseButton::mbLeft, ssLeft, 3, 4);
    });
    EXPECT_EQ(seen.kind, 10);
    EXPECT_EQ(seen.button, 7);
    EXPECT_EQ(seen.captions, (std::vector<std::string>{"Hide bar", "-", "Option...", "Help...", "About...", "Exit"}));
    EXPECT_TRUE(form_->MenuBar->Default);
    EXPECT_EQ(OpenMenuKind, 0);
    EXPECT_EQ(OpenMenuButton, 7);
}

// The tray click and the menu's first item hide and show the bar, and the
// item names what it will do next.
TEST_F(BarMenuTest, TheTrayToggleHidesAndShowsTheBar) {
    BarHidden = false;
    form_->Show();
    form_->TrayIcon1Click(form_->TrayIcon1);
    EXPECT_FALSE(IsWindowVisible(form_->Handle()));
    EXPECT_EQ(form_->MenuBar->Caption, "Show Bar");
    EXPECT_TRUE(BarHidden);
    form_->TrayIcon1Click(form_->MenuBar);
    EXPECT_TRUE(IsWindowVisible(form_->Handle()));
    EXPECT_EQ(form_->MenuBar->Caption, "Hide Bar");
    EXPECT_FALSE(BarHidden);
    form_->Hide();
}

// From the close on, the bar's window lives a little longer than its work:
// a notice or a drop that comes then (another program does not know the bar
// is closing) records nothing, and no timer runs against the lists and menus.
TEST_F(BarMenuTest, NothingRunsAgainstTheListsOnceTheBarCloses) {
    GiveTheBarEmptyLists();
    form_->Timer4->SetEnabled(true);
    form_->FileSysMonitor1->SetMonitoredDirectory(dir_.Path());
    form_->FileSysMonitor1->SetActive(true);
    const std::string file = dir_.File("late.txt"), folder = dir_.File("late folder");
    WriteFileBytes(file, "x");
    CreateDirectoryA(folder.c_str(), nullptr);
    TCloseAction action = TCloseAction::caHide;
    form_->FormClose(form_.get(), action);
    EXPECT_FALSE(form_->Timer1->Enabled());
    EXPECT_FALSE(form_->Timer3->Enabled());
    EXPECT_FALSE(form_->Timer4->Enabled());
    EXPECT_FALSE(form_->FileSysMonitor1->Active());
    const ATOM atom = GlobalAddAtomA(file.c_str());
    SendMessageA(form_->Handle(), WM_HOOKNOTIFY, atom, -1);
    GlobalDeleteAtom(atom);
    SendMessageA(form_->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({folder})), 0);
    EXPECT_EQ(GetFileAttributesA(dir_.File("files.lst").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(dir_.File("folders.lst").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(RecentFiles->Count(), 0);
    EXPECT_EQ(RecentFolders->Count(), 0);
    // The place was saved on the way out.
    EXPECT_EQ(GetPrivateProfileIntA("ToolBar", "Left", -1, dir_.File("mivora.ini").c_str()), 200);
    EXPECT_EQ(GetPrivateProfileIntA("ToolBar", "Top", -1, dir_.File("mivora.ini").c_str()), 40);
    TakeTheListsAway();
}

TEST_F(BarMenuTest, DroppedFilesGoToTheirListsAndProgramsToTheStrip) {
    GiveTheBarEmptyLists();
    form_->CreateQuickStartButtons();
    std::string ini = "[Quick Start]\r\n";
    std::vector<std::string> programs;
    for (const char* name : {"a", "b", "c", "d", "e"}) {
        programs.push_back(dir_.File(std::string(name) + ".exe"));
        WriteFileBytes(programs.back(), "MZ");
        ini += programs.back() + "=\r\n";
    }
    WriteFileBytes(dir_.File("mivora.ini"), ini);
    const std::string folder = dir_.File("Folder");
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string text = dir_.File("notes.txt");
    // Longer than the 253 characters a fixed buffer would keep.
    const std::string longName = dir_.File(std::string(258 - dir_.Path().size() - 4, 'n') + ".txt");
    ASSERT_EQ(longName.size(), 258u);
    const std::string self = dir_.File("Mivora.exe");
    std::string again = programs[3];
    again[again.size() - 5] = 'D';  // the fourth program again, in other letters
    SendMessageA(form_->Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({folder, text, again, self, longName})), 0);
    EXPECT_EQ(ReadFileBytes(dir_.File("folders.lst")), folder + "\r\n");
    EXPECT_EQ(ReadFileBytes(dir_.File("files.lst")), longName + "\r\n" + self + "\r\n" + text + "\r\n");
    char keys[4096] = {};
    const DWORD n = GetPrivateProfileStringA("Quick Start", nullptr, "", keys, sizeof keys, dir_.File("mivora.ini").c_str());
    std::vector<std::string> got;
    for (DWORD i = 0; i < n; i += static_cast<DWORD>(strlen(keys + i)) + 1) got.push_back(keys + i);
    // The re-dropped program moves to the front; the other four all stay.
    ASSERT_EQ(got.size(), 5u);
    EXPECT_TRUE(SameTextAscii(got[0], again));
    EXPECT_EQ(std::vector<std::string>(got.begin() + 1, got.end()),
              (std::vector<std::string>{programs[0], programs[1], programs[2], programs[4]}));
    EXPECT_EQ(form_->ClientWidth(), 406 + 5 * 22);
    ListsReady = false;
    TakeTheListsAway();
}

}  // namespace
