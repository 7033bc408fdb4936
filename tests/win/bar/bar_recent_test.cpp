// The recent-item menus of the real bar, driven as a user would: files dropped
// on the bar, an entry locked through its context menu, the tip of the
// highlighted entry; the bar still closes cleanly after its menus were used.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "tests/win/bar/BarFixture.h"
#include "framework/win32/ScopedHandle.h"

namespace {

class RecentTest : public BarTest {
protected:
    // The shell's drop list, written into the bar's memory: a handle of this
    // process would mean nothing there.
    void Drop(const std::vector<std::string>& paths) {
        DROPFILES header{};
        header.pFiles = sizeof header;
        std::string block(reinterpret_cast<const char*>(&header), sizeof header);
        for (const std::string& p : paths) block += p + '\0';
        block += '\0';
        DWORD pid = 0;
        GetWindowThreadProcessId(bar_->Window(), &pid);
        const ScopedKernelObject process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid));
        void* remote = VirtualAllocEx(process.Get(), nullptr, block.size(), MEM_COMMIT, PAGE_READWRITE);
        ASSERT_NE(remote, nullptr);
        ASSERT_TRUE(WriteProcessMemory(process.Get(), remote, block.data(), block.size(), nullptr));
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(bar_->Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0, SMTO_ABORTIFHUNG,
                            8000, &answer);
    }
    // Real input, so the bar's mouse hook sees it on the menu window.
    static void MouseAt(int x, int y, DWORD down, DWORD up) {
        SetCursorPos(x, y);
        mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
        PumpFor(200);
        if (down) mouse_event(down, 0, 0, 0, 0);
        if (up) mouse_event(up, 0, 0, 0, 0);
    }
    static std::string Text(HWND w) {
        char buf[1024] = {};
        GetWindowTextA(w, buf, sizeof buf);
        return buf;
    }
};

TEST_F(RecentTest, DroppedItemsAreFiledAndAProgramJoinsTheQuickStartStrip) {
    std::vector<std::string> p;
    std::string ini = "[Quick Start]\r\n";
    for (int i = 0; i < 5; ++i) {
        p.push_back(dir_.File("p" + std::to_string(i) + ".exe"));
        WriteFileBytes(p.back(), "MZ");
        if (i < 4) ini += p.back() + "=\r\n";
    }
    WriteIni(ini);
    const std::string folder = dir_.File("docs"), text = dir_.File("a.txt");
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileBytes(text, "t");
    // Longer than the 255 bytes an old reader would take; it names nothing.
    const std::string longPath = dir_.File(std::string(262 - dir_.File("").size(), 'n'));
    ASSERT_TRUE(bar_->Start());
    const auto width = [&] { return bar_->Rect().right - bar_->Rect().left; };
    ASSERT_EQ(width(), 406 + 4 * 22);
    Drop({folder, text, longPath, p[4]});
    EXPECT_EQ(WaitForFileBytes(dir_.File("folders.lst"), folder + "\r\n"), folder + "\r\n");
    const std::string files = longPath + "\r\n" + text + "\r\n";
    EXPECT_EQ(WaitForFileBytes(dir_.File("files.lst"), files), files);
    EXPECT_EQ(bar_->IniKeys("Quick Start"), (std::vector<std::string>{p[4], p[0], p[1], p[2], p[3]}));
    EXPECT_TRUE(WaitFor([&] { return width() == 406 + 5 * 22; }, 5000));
    // Dropped again on the full strip: in front, and no other program lost.
    Drop({p[2]});
    EXPECT_EQ(bar_->IniKeys("Quick Start"), (std::vector<std::string>{p[2], p[4], p[0], p[1], p[3]}));
    EXPECT_EQ(bar_->Close(), 0u);
}

TEST_F(RecentTest, ARecentFileLockedFromItsMenuMovesToTheLockedList) {
    const std::string a = dir_.File("alpha.txt"), b = dir_.File("beta.txt");
    WriteFileBytes(a, "first line of alpha");
    WriteFileBytes(b, "b");
    WriteFileBytes(dir_.File("files.lst"), a + "\r\n" + b + "\r\n");
    SavedRegValue association(HKEY_CLASSES_ROOT, ".txt", "");
    SetRegString(HKEY_CLASSES_ROOT, ".txt", "", "txtfile");
    ASSERT_TRUE(bar_->Start());
    HWND menu = OpenMenuAt(76, 8000);
    ASSERT_NE(menu, nullptr);
    RECT r{};
    GetWindowRect(menu, &r);
    // The first entry highlighted: its tip names the file and shows its start.
    MouseAt(r.left + 30, r.top + 12, 0, 0);
    HWND tip = nullptr;
    EXPECT_TRUE(WaitFor([&] {
        for (HWND w : ThreadWindows(bar_->ThreadId(), "THintWindow"))
            if (IsWindowVisible(w)) tip = w;
        return tip != nullptr;
    }, 5000));
    const std::string tipText = tip ? Text(tip) : "";
    EXPECT_EQ(tipText.rfind(a + "\r\n", 0), 0u) << tipText;
    EXPECT_NE(tipText.find("first line of alpha"), std::string::npos);
    MouseAt(r.left + 30, r.top + 12, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    HWND items = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        for (HWND w : ThreadWindows(bar_->ThreadId(), "#32768"))
            if (IsWindowVisible(w) && w != menu) items = w;
        return items != nullptr;
    }, 5000));
    // Its first command locks the entry; the menu opens again with the change.
    ChooseMenuItem(items, 1);
    EXPECT_EQ(WaitForFileBytes(dir_.File("lfiles.lst"), a + "\r\n"), a + "\r\n");
    EXPECT_EQ(WaitForFileBytes(dir_.File("files.lst"), b + "\r\n"), b + "\r\n");
    ASSERT_NE(menu = WaitForMenu(), nullptr);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    WaitFor([&] { return FindMenuWindow(bar_->ThreadId()) == nullptr; }, 3000);
    EXPECT_EQ(bar_->Close(), 0u);
}

}  // namespace
