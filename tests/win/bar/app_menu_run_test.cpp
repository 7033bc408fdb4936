// The real bar's application menu: a program registered in a group starts
// from the menu (a recording stand-in, never a host program) and is listed
// first from then on.
#include <gtest/gtest.h>

#include "tests/win/bar/BarFixture.h"

namespace {

TEST_F(BarTest, AppMenuStartsAGroupsProgramAndListsItFirstAfterwards) {
    const std::string log = dir_.File("probe.log");
    SetEnvironmentVariableA("MIVORA_PROBE_LOG", log.c_str());
    CreateDirectoryA(dir_.File("tools").c_str(), nullptr);
    const std::string editor = dir_.File("tools\\editor.exe"), viewer = dir_.File("tools\\viewer.exe");
    ASSERT_TRUE(CopyFileA(ProbePath().c_str(), editor.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(ProbePath().c_str(), viewer.c_str(), FALSE));
    WriteIni("[appDoc]\r\neditor.exe=" + editor + "\r\nviewer.exe=" + viewer + "\r\n");
    ASSERT_TRUE(bar_->Start());
    HWND menu = OpenMenuAt(10, 8000);
    ASSERT_NE(menu, nullptr);
    // Into the first group, whose top item is the last key (viewer), then one down: editor.
    for (UINT key : {VK_DOWN, VK_RIGHT, VK_DOWN}) {
        PostMessageA(menu, WM_KEYDOWN, key, 0);
        PumpFor(150);
    }
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(log).find(editor + "\r\n") != std::string::npos; }, 10000))
        << ReadFileBytes(log);
    EXPECT_EQ(ReadFileBytes(log).find(viewer), std::string::npos);
    EXPECT_TRUE(WaitFor([&] { return bar_->IniKeys("appDoc") == std::vector<std::string>{"viewer.exe", "editor.exe"}; },
                        5000));
    SetEnvironmentVariableA("MIVORA_PROBE_LOG", nullptr);
    EXPECT_EQ(bar_->Close(), 0u);
}

}  // namespace
