// The dialog framework and the routines the tool libraries share: texts in
// code page 932, the registry profile, folders, voice events and help, the
// icon button's drawing, worker threads.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>
#include <shlwapi.h>

#include <atomic>

#include "tests/win/support/DialogKitTest.h"
#include "tests/win/dialogs/DialogsTestIds.h"
#include "dialogkit/FileRoutines.h"
#include "framework/dialogs/FrameworkTexts.h"
#include "dialogkit/IconButton.h"
#include "framework/forms/SysUtils.h"
#include "dialogkit/VoiceEvents.h"
#include "framework/win32/WideText.h"
#include "framework/dialogs/WinApp.h"
#include "framework/dialogs/WorkerThread.h"

namespace {

class CTestApp : public CWinApp {
public:
    bool InitInstance() override {
        SetRegistryKey("Mivora");
        return CWinApp::InitInstance();
    }
} theTestApp;

const char kProfileKey[] = "Software\\Mivora\\dialogs_tests";

using FrameworkTest = DialogKitTest;

TEST_F(FrameworkTest, JapaneseTextsBecomeTheRightUtf16) {
    ExpectCp932Texts({
        {kEnterIntegerText, L"整数を入力してください。"},
        {kIntegerRangeText, L"%1 から %2 までの整数を入力してください。"},
        // "ソ" ends in 0x5C, the byte of a backslash.
        {"\x83\x5C", L"ソ"},
    });
}

TEST_F(FrameworkTest, AnsiTextsSurviveTheTripThroughUtf16) {
    // Texts of the system's code page: Western under 1252, Japanese under 932.
    struct Case {
        std::string ansi;
        std::wstring wide;
    };
    const Case cases[] = {
        {"", L""},
        {"abc", L"abc"},
        GetACP() == 932 ? Case{"\x83\x5C\x95\x5C", L"ソ表"} : Case{"abc \xE9", L"abc \xE9"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WideFromAnsi(c.ansi), c.wide) << c.ansi;
        EXPECT_EQ(AnsiFromWide(c.wide), c.ansi) << c.ansi;
    }
    // What a code page cannot say: a lead byte without its trail, a character outside it.
    EXPECT_EQ(WideFromCodePage(932, "a\x83"), L"a\x30FB");
    EXPECT_EQ(AnsiFromWide(L"\x0E01"), "?");
}

TEST_F(FrameworkTest, ProfileValuesLiveUnderTheCompanyKey) {
    SHDeleteKeyA(HKEY_CURRENT_USER, kProfileKey);
    CWinApp* app = GetApp();
    // Named after the module the framework is linked into.
    EXPECT_EQ(app->AppName(), "dialogs_tests");
    EXPECT_EQ(app->SectionKey("Segment"), std::string(kProfileKey) + "\\Segment");
    EXPECT_EQ(app->GetProfileInt("Segment", "Size", 1440), 1440u);
    EXPECT_TRUE(app->WriteProfileInt("Segment", "Size", 700));
    DWORD stored = 0, size = sizeof stored;
    SHGetValueA(HKEY_CURRENT_USER, app->SectionKey("Segment").c_str(), "Size", nullptr, &stored, &size);
    EXPECT_EQ(stored, 700u);
    EXPECT_EQ(app->GetProfileInt("Segment", "Size", 1440), 700u);
    // A value of another type is no setting of ours: the default.
    SHSetValueA(HKEY_CURRENT_USER, app->SectionKey("Segment").c_str(), "Cabinet", REG_SZ, "1", 2);
    EXPECT_EQ(app->GetProfileInt("Segment", "Cabinet", 0), 0u);
    EXPECT_TRUE(app->WriteProfileString("Join", "Last", "C:\\x\\y"));
    EXPECT_EQ(app->GetProfileString("Join", "Last"), "C:\\x\\y");
    EXPECT_EQ(app->GetProfileString("Join", "None", "dflt"), "dflt");
    EXPECT_EQ(app->LoadString(IDS_DOUBLE_BLANK), "Two  blanks stay.");
    EXPECT_EQ(app->LoadString(IDS_TRAILING_BLANK), "Date ");
    SHDeleteKeyA(HKEY_CURRENT_USER, kProfileKey);
}

TEST_F(FrameworkTest, CreateDirectoryTreeMakesEveryLevel) {
    WriteFileBytes(dir.File("file"), "x");
    struct Case {
        std::string path;
        bool result;
    };
    const std::vector<Case> cases = {
        {dir.File("a\\b\\c\\"), true},  // every level new
        {dir.File("a\\b\\c"), true},    // exists already
        {dir.File("a\\d"), true},
        {dir.File("file"), false},      // a file is no folder
        {dir.File("file\\sub"), false},
        {"Q:\\no\\drive", false},
        {"C:\\", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dialogkit::CreateDirectoryTree(c.path), c.result) << c.path;
        if (c.result) {
            const DWORD attributes = GetFileAttributesA(c.path.c_str());
            EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) << c.path;
        }
    }
    EXPECT_TRUE(dialogkit::FileExists(dir.File("file")));
    EXPECT_TRUE(dialogkit::FileExists(dir.File("a")));
    EXPECT_TRUE(dialogkit::FileExists("C:\\"));
    EXPECT_FALSE(dialogkit::FileExists(dir.File("none")));
}

TEST_F(FrameworkTest, VoiceEventsPlayTheArtistsWaveFiles) {
    dialogkit::PlayVoiceEvent(16);
    dialogkit::PlayVoiceEvent(2);
    ASSERT_EQ(events, (std::vector<int>{16, 2}));
    EXPECT_EQ(soundFlags, (std::vector<unsigned>{SND_ASYNC | SND_NODEFAULT, SND_NODEFAULT}));
    // Voice off.
    const std::string ini = WindowsFolder() + "\\HALVET.INI";
    WritePrivateProfileStringA("VoiceSet", "UserSelect", "0", ini.c_str());
    dialogkit::PlayVoiceEvent(3);
    // "Any artist" with no artists: nothing, and no crash.
    WritePrivateProfileStringA("VoiceSet", "UserSelect", "5", ini.c_str());
    WritePrivateProfileStringA("VoiceSet", "ARTIST", "0", ini.c_str());
    dialogkit::PlayVoiceEvent(3);
    // No voice product at all.
    DeleteFileA(ini.c_str());
    dialogkit::PlayVoiceEvent(3);
    EXPECT_EQ(events.size(), 2u);
}

TEST_F(FrameworkTest, VoiceHelpOpensTheProductsHelpFile) {
    dialogkit::ShowVoiceHelp(nullptr, 5002);
    const std::string ini = WindowsFolder() + "\\HALVET.INI";
    WritePrivateProfileStringA("VoiceSet", "PATH", "", ini.c_str());
    dialogkit::ShowVoiceHelp(nullptr, 5003);
    ASSERT_EQ(helpCalls.size(), 1u);
    // PATH has no trailing backslash: the help file lies in its parent.
    EXPECT_EQ(helpCalls[0], dir.Path() + "Halvet.hlp#5002");
}

TEST_F(FrameworkTest, WorkerThreadsAreWaitedFor) {
    std::atomic<int> done{0};
    {
        CWorkerThread worker;
        ASSERT_TRUE(worker.Start([&] {
            Sleep(200);
            done = 1;
            return 7;
        }));
        EXPECT_TRUE(worker.Running());
    }
    // The destructor waited.
    EXPECT_EQ(done.load(), 1);
    CWorkerThread worker;
    ASSERT_TRUE(worker.Start([] { return 5; }));
    EXPECT_EQ(worker.Wait(), 5);
    // An exception ends the thread with -1 and is reported, not thrown on.
    ASSERT_TRUE(worker.Start([]() -> int { throw std::runtime_error("boom"); }));
    EXPECT_EQ(worker.Wait(), -1);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "boom");
    errors.clear();
}

// Draws the button into a 32-bit bitmap and finds the icon by its yellow.
class IconButtonDrawing {
public:
    IconButtonDrawing(int width, int height) : width_(width), height_(height) {
        parent_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
        HWND button = CreateWindowExA(0, "BUTTON", "", WS_CHILD | BS_OWNERDRAW, 0, 0, width, height, parent_,
                                      nullptr, nullptr, nullptr);
        this->button.Attach(button);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~IconButtonDrawing() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
        DestroyWindow(parent_);
    }
    void Draw(UINT action, UINT state) {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.itemAction = action;
        item.itemState = state;
        item.hwndItem = button.Handle();
        item.hDC = dc_;
        item.rcItem = RECT{0, 0, width_, height_};
        button.DrawItem(&item);
        GdiFlush();
    }
    std::vector<std::uint32_t> Pixels() const { return std::vector<std::uint32_t>(pixels_, pixels_ + width_ * height_); }
    // Top-left of the folder's yellow inside, or (-1, -1).
    POINT FindYellow() const {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                const std::uint32_t p = pixels_[y * width_ + x] & 0xFFFFFF;
                const int r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
                if (r > 230 && g > 190 && g < 230 && b < 110) return POINT{x, y};
            }
        return POINT{-1, -1};
    }
    CIconButton button;

private:
    int width_, height_;
    HWND parent_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    std::uint32_t* pixels_ = nullptr;
};

TEST_F(FrameworkTest, IconButtonDrawsItsIconCentredAndPressed) {
    IconButtonDrawing drawing(20, 20);
    ASSERT_TRUE(drawing.button.SetIcon(IDI_BROWSE, 16, 16));
    // The folder's yellow begins one pixel right of and five below the icon's corner.
    drawing.Draw(ODA_DRAWENTIRE, 0);
    POINT p = drawing.FindYellow();
    EXPECT_EQ(p.x, 2 + 1);
    EXPECT_EQ(p.y, 2 + 5);
    drawing.Draw(ODA_SELECT, ODS_SELECTED);
    p = drawing.FindYellow();
    EXPECT_EQ(p.x, 3 + 1);
    EXPECT_EQ(p.y, 3 + 5);
    // Disabled: the embossed look, no colour.
    drawing.Draw(ODA_DRAWENTIRE, ODS_DISABLED);
    EXPECT_EQ(drawing.FindYellow().x, -1);
    // A second SetIcon replaces the first; a missing icon leaves none.
    EXPECT_TRUE(drawing.button.SetIcon(IDI_BROWSE, 16, 16));
    EXPECT_FALSE(drawing.button.SetIcon(9999, 16, 16));
    EXPECT_EQ(drawing.button.Icon(), nullptr);
    drawing.Draw(ODA_DRAWENTIRE, 0);
    EXPECT_EQ(drawing.FindYellow().x, -1);
}

TEST_F(FrameworkTest, IconButtonFocusRectangleComesAndGoes) {
    IconButtonDrawing drawing(24, 24);
    ASSERT_TRUE(drawing.button.SetIcon(IDI_BROWSE, 16, 16));
    drawing.Draw(ODA_DRAWENTIRE, 0);
    const auto plain = drawing.Pixels();
    drawing.Draw(ODA_FOCUS, ODS_FOCUS);
    const auto focused = drawing.Pixels();
    // The dotted rectangle sits 3 pixels inside the 24 x 24 item: every
    // changed pixel lies on its edge.
    int changed = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            if (focused[y * 24 + x] == plain[y * 24 + x]) continue;
            ++changed;
            const bool onEdge = (x >= 3 && x <= 20 && y >= 3 && y <= 20) &&
                                (x == 3 || x == 20 || y == 3 || y == 20);
            EXPECT_TRUE(onEdge) << x << "," << y;
        }
    EXPECT_GT(changed, 8);
    drawing.Draw(ODA_FOCUS, 0);
    EXPECT_EQ(drawing.Pixels(), plain);
    // Never on a disabled button.
    drawing.Draw(ODA_DRAWENTIRE, ODS_DISABLED);
    const auto disabled = drawing.Pixels();
    drawing.Draw(ODA_FOCUS, ODS_FOCUS | ODS_DISABLED);
    EXPECT_EQ(drawing.Pixels(), disabled);
}

}  // namespace
