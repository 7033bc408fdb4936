// The real program under Wine: single instance, registry values, settings
// kept across a restart, the row from the settings file, collapsing and
// re-expanding, the tray toggle and a safe shut-down.
#include <gtest/gtest.h>

#include "tests/win/bar/BarFixture.h"
#include "framework/win32/RegKey.h"
#include "framework/win32/ScopedHandle.h"

namespace {

const UINT WM_HOOKNOTIFY = WM_USER + 66;

int Height(const RECT& r) { return r.bottom - r.top; }
int Width(const RECT& r) { return r.right - r.left; }

TEST_F(BarTest, ASecondStartEndsAtOnceWithExitCodeZero) {
    ASSERT_TRUE(bar_->Start());
    const DWORD start = GetTickCount();
    EXPECT_EQ(bar_->StartSecond(), 0u);
    EXPECT_LT(GetTickCount() - start, 8000u);
    EXPECT_EQ(FindBarWindow(0), bar_->Window());
    EXPECT_TRUE(bar_->Running());
}

// A first start (no "FirstRun") searches every fixed drive, Z: included in
// this prefix: first_search.sh makes it on a sandboxed prefix instead.
TEST_F(BarTest, StartWritesTheProgramFolderAndKeepsTheFirstRunMark) {
    DeleteRegValue(HKEY_LOCAL_MACHINE, kBarKey, "RootDir");
    ASSERT_TRUE(bar_->Start());
    std::string folder = dir_.Path();
    folder.pop_back();  // no trailing backslash
    EXPECT_EQ(GetRegString(HKEY_LOCAL_MACHINE, kBarKey, "RootDir"), folder);
    EXPECT_EQ(GetRegString(HKEY_LOCAL_MACHINE, kBarKey, "FirstRun"), "no");
}

TEST_F(BarTest, EmptySettingsGiveTheDefaultPlaceAndCloseSavesIt) {
    ASSERT_TRUE(bar_->Start());
    const RECT r = bar_->Rect();
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 1);
    EXPECT_EQ(Width(r), 406);
    EXPECT_EQ(Height(r), 22);
    // A borderless strip above every other window, with its row of buttons.
    HWND w = bar_->Window();
    EXPECT_TRUE(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongA(w, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
    char title[32] = {};
    GetWindowTextA(w, title, sizeof title);
    EXPECT_STREQ(title, "Mivora");
    for (int left : {10, 32, 54, 76, 98, 120, 144, 166, 188, 212, 234, 256, 278, 302, 324})
        EXPECT_NE(bar_->ButtonAt(left), nullptr) << left;
    const std::vector<HWND> panels = bar_->Children("TPanel");
    ASSERT_EQ(panels.size(), 2u);  // the grip, then the clock after the program buttons
    RECT grip{}, clock{};
    GetWindowRect(panels.front(), &grip);
    GetWindowRect(panels.back(), &clock);
    EXPECT_EQ(grip.left - r.left, 0);
    EXPECT_EQ(Width(grip), 10);
    EXPECT_EQ(clock.left - r.left, 348);
    EXPECT_EQ(Width(clock), 58);
    EXPECT_EQ(bar_->Close(), 0u);
    EXPECT_EQ(bar_->Ini("ToolBar", "Top"), "1");
    EXPECT_EQ(bar_->Ini("ToolBar", "Left"), "300");
}

TEST_F(BarTest, SavedPlaceIsRestoredAndKeptOnTheScreen) {
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    struct Case {
        const char* ini;
        int left, top, height;
    } cases[] = {
        {"[ToolBar]\r\nTop=40\r\nLeft=120\r\n", 120, 40, 22},
        {"[ToolBar]\r\nTop=5\r\nLeft=5000\r\n", sw - 406, 5, 22},  // pulled back flush with the right edge
        {"[ToolBar]\r\nTop=0\r\nLeft=200\r\n", 200, 0, 2},         // docked: starts as the 2-pixel strip
    };
    for (const Case& c : cases) {
        BarProcess bar(dir_.Path());
        WriteIni(c.ini);
        ASSERT_TRUE(bar.Start()) << c.ini;
        const RECT r = bar.Rect();
        EXPECT_EQ(r.left, c.left) << c.ini;
        EXPECT_EQ(r.top, c.top) << c.ini;
        EXPECT_EQ(Height(r), c.height) << c.ini;
        EXPECT_EQ(bar.Close(), 0u);
    }
}

TEST_F(BarTest, QuickStartSectionIsCutToFiveExistingProgramsInOrder) {
    std::string ini = "[Quick Start]\r\n";
    std::vector<std::string> existing;
    for (int i = 0; i < 7; ++i) {
        const std::string p = dir_.File("prog" + std::to_string(i) + ".exe");
        // The second and fourth were deleted since they were put there.
        if (i != 1 && i != 3) {
            WriteFileBytes(p, "MZ");
            existing.push_back(p);
        }
        ini += p + "=\r\n";
    }
    ini += "[ToolBar]\r\nTop=1\r\nLeft=10\r\n";
    WriteIni(ini);
    ASSERT_TRUE(bar_->Start());
    EXPECT_EQ(bar_->IniKeys("Quick Start"), existing);
    for (const std::string& p : existing) EXPECT_EQ(bar_->Ini("Quick Start", p), "");
    EXPECT_EQ(Width(bar_->Rect()), 406 + 5 * 22);
    // The strip's buttons, then the clock right after them.
    for (int i = 0; i < 5; ++i) EXPECT_NE(bar_->ButtonAt(348 + 22 * i), nullptr) << i;
}

TEST_F(BarTest, DeleteItemOnAQuickStartButtonDropsItsProgram) {
    const std::string a = dir_.File("a.exe"), b = dir_.File("b.exe");
    WriteFileBytes(a, "MZ");
    WriteFileBytes(b, "MZ");
    WriteIni("[Quick Start]\r\n" + a + "=\r\n" + b + "=\r\n");
    ASSERT_TRUE(bar_->Start());
    ASSERT_EQ(Width(bar_->Rect()), 406 + 44);
    HWND first = bar_->ButtonAt(348);
    ASSERT_NE(first, nullptr);
    // A middle-button release offers the same menu as a right-button one.
    PostMessageA(first, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(4, 4));
    PostMessageA(first, WM_MBUTTONUP, 0, MAKELPARAM(4, 4));
    HWND menu = WaitForMenu();
    ASSERT_NE(menu, nullptr);
    ChooseMenuItem(menu, 1);
    ASSERT_TRUE(WaitFor([&] { return Width(bar_->Rect()) == 406 + 22; }, 5000));
    EXPECT_EQ(bar_->IniKeys("Quick Start"), std::vector<std::string>{b});
}

TEST_F(BarTest, CollapsedBarReExpandsUnderTheMouseAndCollapsesAgainWhenLeft) {
    WriteIni("[ToolBar]\r\nTop=0\r\nLeft=100\r\n");
    ASSERT_TRUE(bar_->Start());
    ASSERT_EQ(Height(bar_->Rect()), 2);
    SetCursorPos(900, 700);
    HWND button = bar_->ButtonAt(54);
    ASSERT_NE(button, nullptr);
    PostMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(3, 1));
    ASSERT_TRUE(WaitFor([&] { return Height(bar_->Rect()) == 22; }, 3000));
    // The two-second watch folds it again: the cursor is elsewhere.
    EXPECT_TRUE(WaitFor([&] { return Height(bar_->Rect()) == 2; }, 6000));
    EXPECT_EQ(bar_->Rect().top, 0);
}

TEST_F(BarTest, ExpandedBarStaysWhileTheCursorRestsOnIt) {
    WriteIni("[ToolBar]\r\nTop=0\r\nLeft=100\r\n");
    ASSERT_TRUE(bar_->Start());
    HWND button = bar_->ButtonAt(54);
    ASSERT_NE(button, nullptr);
    SetCursorPos(100 + 60, 1);
    PostMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(3, 1));
    ASSERT_TRUE(WaitFor([&] { return Height(bar_->Rect()) == 22; }, 3000));
    SetCursorPos(100 + 60, 10);
    PumpFor(4500);
    EXPECT_EQ(Height(bar_->Rect()), 22);
    SetCursorPos(900, 700);
}

TEST_F(BarTest, AMoveThatEndsAboveTheScreenDocksTheBar) {
    WriteIni("[ToolBar]\r\nTop=200\r\nLeft=100\r\n");
    ASSERT_TRUE(bar_->Start());
    std::vector<HWND> panels = bar_->Children("TPanel");
    ASSERT_FALSE(panels.empty());
    HWND grip = panels.front();  // the leftmost panel is the grip
    SetWindowPos(bar_->Window(), nullptr, 100, -8, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageA(grip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 15));
    PumpFor(500);
    // Ends the system's move loop, in case it waits for the button.
    PostMessageA(bar_->Window(), WM_LBUTTONUP, 0, MAKELPARAM(5, 15));
    ASSERT_TRUE(WaitFor([&] { return Height(bar_->Rect()) == 2; }, 5000));
    EXPECT_EQ(bar_->Rect().top, 0);
    EXPECT_EQ(bar_->Close(), 0u);
    EXPECT_EQ(bar_->Ini("ToolBar", "Top"), "0");
}

TEST_F(BarTest, TrayClickHidesAndShowsTheBar) {
    ASSERT_TRUE(bar_->Start());
    // The tray icon's window gets the icon's callback (WM_USER + 1); the other
    // hidden windows of the bar ignore it.
    auto clickTray = [&] {
        for (HWND w : ThreadWindows(bar_->ThreadId(), "TMivoraUtilWindow")) PostMessageA(w, WM_USER + 1, 0, WM_LBUTTONUP);
    };
    clickTray();
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(bar_->Window()); }, 3000));
    clickTray();
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(bar_->Window()) != FALSE; }, 3000));
}

TEST_F(BarTest, NoticesArrivingWhileTheBarClosesAreIgnored) {
    ASSERT_TRUE(bar_->Start());
    const std::string file = dir_.File("late.txt");
    WriteFileBytes(file, "x");
    const ATOM atom = GlobalAddAtomA(file.c_str());
    PostMessageA(bar_->Window(), WM_CLOSE, 0, 0);
    PostMessageA(bar_->Window(), WM_HOOKNOTIFY, atom, -1);
    PostMessageA(bar_->Window(), WM_DROPFILES, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !bar_->Running(); }, 15000));
    EXPECT_EQ(bar_->Close(), 0u);
    GlobalDeleteAtom(atom);
    EXPECT_EQ(GetFileAttributesA(dir_.File("files.lst").c_str()), INVALID_FILE_ATTRIBUTES);
}

// A start-up step that fails (an empty Recent folder entry) is reported, and
// the bar that runs on survives its network button and its timers.
TEST_F(BarTest, ABarWhoseStartUpFailedHalfWayKeepsRunning) {
    const char* shellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    SavedRegValue recent(HKEY_CURRENT_USER, shellFolders, "Recent");
    SetRegString(HKEY_CURRENT_USER, shellFolders, "Recent", "");
    ASSERT_TRUE(bar_->Launch());
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = bar_->MessageBoxWindow("Mivora")) != nullptr; }, 20000));
    char text[256] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_STREQ(text, "Unable to create directory.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(bar_->WaitShown());
    auto answers = [&] {
        DWORD_PTR result = 0;
        return bar_->Running() &&
               SendMessageTimeoutA(bar_->Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
    };
    HWND net = bar_->ButtonAt(120);
    ASSERT_NE(net, nullptr);
    bar_->Click(net);
    HWND menu = nullptr;
    WaitFor([&] { return (menu = FindMenuWindow(bar_->ThreadId())) != nullptr || !bar_->Running(); }, 5000);
    if (menu) PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(answers());
    // Every timer of the bar ticks now, the network menu's five-minute rebuild among them.
    for (HWND w : ThreadWindows(bar_->ThreadId(), "TMivoraUtilWindow")) PostMessageA(w, WM_TIMER, 1, 0);
    PumpFor(1000);
    EXPECT_TRUE(answers());
    EXPECT_EQ(bar_->Close(), 0u);
}

TEST_F(BarTest, TheClockPanelTicks) {
    ASSERT_TRUE(bar_->Start());
    std::vector<HWND> panels = bar_->Children("TPanel");
    ASSERT_EQ(panels.size(), 2u);  // the grip and the clock
    std::string first, later;
    ASSERT_TRUE(WaitFor(
        [&] {
            char text[32] = {};
            GetWindowTextA(panels.back(), text, sizeof text);
            first = text;
            return first.size() == 8;
        },
        3000));
    EXPECT_EQ(first[2], ':');
    EXPECT_EQ(first[5], ':');
    EXPECT_TRUE(WaitFor(
        [&] {
            char text[32] = {};
            GetWindowTextA(panels.back(), text, sizeof text);
            later = text;
            return later != first;
        },
        3000));
}

TEST_F(BarTest, BackupItemOpensTheBackupWindow) {
    ASSERT_TRUE(bar_->Start());
    HWND menu = OpenMenuAt(144);
    ASSERT_NE(menu, nullptr);
    ChooseMenuItem(menu, 1);  // "Mivora backup"
    HWND window = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            window = FindWindowA("#32770", "Mivora Backup");
            return window != nullptr && IsWindowVisible(window);
        },
        5000));
    // Escape reaches the modeless window through the bar's own loop.
    HWND tabs = GetDlgItem(window, 1000);
    PostMessageA(tabs, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(window); }, 5000));
}

}  // namespace

namespace {

// The server a class is registered to, as a long path ("" when none).
std::string ServerOf(const char* classId) {
    const std::string value =
        GetRegString(HKEY_CLASSES_ROOT, std::string("CLSID\\") + classId + "\\InprocServer32", "");
    if (value.empty()) return "";
    char longPath[MAX_PATH] = {};
    const DWORD n = GetLongPathNameA(value.c_str(), longPath, sizeof longPath);
    return n > 0 && n < sizeof longPath ? std::string(longPath, n) : value;
}

TEST_F(BarTest, EveryStartRunsTheRegistryScriptBesideTheProgram) {
    // A folder with a blank: the script's path must reach regedit whole.
    const std::string folder = dir_.File("program files\\");
    CreateDirectoryA(folder.c_str(), nullptr);
    const char* key = "Software\\MivoraBarTest";
    RegDeleteKeyA(HKEY_CURRENT_USER, key);
    WriteFileBytes(folder + "inst.reg",
                   "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\MivoraBarTest]\r\n\"Registered\"=\"yes\"\r\n\r\n");
    // The two servers that register themselves, beside the program; what the
    // prefix had registered comes back after the test.
    const char* copyHook = "{29F97553-FBD6-11D1-AFC1-00A024D1875C}";
    const char* infoTip = "{7090FC40-6315-11D4-B19B-0040052EF5D0}";
    SavedRegValue savedCopyHook(HKEY_CLASSES_ROOT, std::string("CLSID\\") + copyHook + "\\InprocServer32", "");
    SavedRegValue savedInfoTip(HKEY_CLASSES_ROOT, std::string("CLSID\\") + infoTip + "\\InprocServer32", "");
    for (const char* dll : {"Kestiv.dll", "Tavlin.dll"})
        ASSERT_TRUE(CopyFileA(DistPath(dll).c_str(), (folder + dll).c_str(), FALSE));
    BarProcess bar(folder);
    ASSERT_TRUE(bar.Start());
    EXPECT_TRUE(WaitFor([&] { return GetRegString(HKEY_CURRENT_USER, key, "Registered") == "yes"; }, 15000));
    auto registeredTo = [&](const char* classId, const char* dll) {
        return WaitFor([&] { return lstrcmpiA(ServerOf(classId).c_str(), (folder + dll).c_str()) == 0; }, 15000);
    };
    EXPECT_TRUE(registeredTo(copyHook, "Kestiv.dll")) << ServerOf(copyHook);
    EXPECT_TRUE(registeredTo(infoTip, "Tavlin.dll")) << ServerOf(infoTip);
    EXPECT_EQ(bar.Close(), 0u);
    RegDeleteKeyA(HKEY_CURRENT_USER, key);
}

// Deletes a key with everything below it.
void DeleteRegTree(HKEY root, const std::string& path) {
    {
        RegKey key;
        if (!key.Open(root, path, KEY_ALL_ACCESS)) return;
        for (const std::string& child : key.SubkeyNames()) DeleteRegTree(key.Get(), child);
    }
    RegDeleteKeyA(root, path.c_str());
}

// The registry script copies the bar leaves in the temporary folder.
std::vector<std::string> TempScripts() {
    std::string temp(GetTempPathA(0, nullptr), '\0');
    temp.resize(GetTempPathA(static_cast<DWORD>(temp.size()), &temp[0]));
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const ScopedFind search(FindFirstFileA((temp + "MivoraInst*.reg").c_str(), &found));
    if (!search) return names;
    do names.push_back(found.cFileName);
    while (FindNextFileA(search.Get(), &found));
    return names;
}

// The shipped script names the folder the suite was built for; a bar run from
// any other folder registers the context menu in its own folder, and touches
// neither the script beside it nor anything in the temporary folder it did
// not make.
TEST_F(BarTest, TheContextMenuIsRegisteredInTheFolderTheBarRunsFrom) {
    const std::string folder = dir_.File("my tools\\");
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(DistPath("inst.reg").c_str(), (folder + "inst.reg").c_str(), FALSE));
    const std::string shipped = ReadFileBytes(folder + "inst.reg");
    const std::string classKey = "CLSID\\{18D67740-19C0-11D3-9F2F-0040052ECF0B}";
    struct Forget {
        std::string classKey;
        ~Forget() {
            DeleteRegTree(HKEY_CLASSES_ROOT, classKey);
            DeleteRegTree(HKEY_CLASSES_ROOT, "*\\shellex\\ContextMenuHandlers\\Norquil");
            DeleteRegTree(HKEY_CLASSES_ROOT, "Directory\\shellex\\ContextMenuHandlers\\Norquil");
            DeleteRegValue(HKEY_LOCAL_MACHINE,
                           "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved",
                           "{18D67740-19C0-11D3-9F2F-0040052ECF0B}");
        }
    } forget{classKey};
    const std::vector<std::string> before = TempScripts();
    BarProcess bar(folder);
    ASSERT_TRUE(bar.Start());
    const std::string server = classKey + "\\InprocServer32";
    EXPECT_TRUE(WaitFor([&] { return GetRegString(HKEY_CLASSES_ROOT, server, "") == folder + "Norquil.dll"; }, 15000))
        << GetRegString(HKEY_CLASSES_ROOT, server, "");
    EXPECT_EQ(GetRegString(HKEY_CLASSES_ROOT, server, "ThreadingModel"), "Apartment");
    EXPECT_TRUE(WaitFor([&] { return TempScripts() == before; }, 10000));
    EXPECT_EQ(ReadFileBytes(folder + "inst.reg"), shipped);
    EXPECT_EQ(bar.Close(), 0u);
}

}  // namespace
