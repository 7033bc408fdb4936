#include <gtest/gtest.h>

#include "framework/win32/RegKey.h"
#include "tests/win/support/TestSupport.h"
#include "main/components/sysinfo.h"

using namespace components;

namespace {
const char kKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}
}  // namespace

TEST(SysInfo, RegisteredOwnerIsReadThroughTheRootedKeyAndMissingGivesUnknown) {
    SavedRegValue owner(HKEY_LOCAL_MACHINE, kKey, "RegisteredOwner");
    SavedRegValue org(HKEY_LOCAL_MACHINE, kKey, "RegisteredOrganization");
    RegKey k;
    ASSERT_TRUE(k.Open(HKEY_LOCAL_MACHINE, kKey, KEY_ALL_ACCESS));
    k.WriteString("RegisteredOwner", "Alice");
    k.WriteString("RegisteredOrganization", "Acme");
    TSysInfo info(nullptr);
    EXPECT_EQ(info.RegOwner(), "Alice");
    EXPECT_EQ(info.RegOrganisation(), "Acme");

    k.DeleteValue("RegisteredOwner");
    k.DeleteValue("RegisteredOrganization");
    info.GetInfo();
    EXPECT_EQ(info.RegOwner(), "unknown");
    EXPECT_EQ(info.RegOrganisation(), "unknown");
}

TEST(SysInfo, TextsHaveTheReportFormats) {
    TSysInfo info(nullptr);
    char win[MAX_PATH + 1];
    GetWindowsDirectoryA(win, sizeof win);
    EXPECT_EQ(info.WinPath(), win);
    EXPECT_FALSE(info.NetUserName().empty());
    EXPECT_FALSE(info.NetComputerName().empty());
    EXPECT_TRUE(EndsWith(info.DriveC(), " MB")) << info.DriveC();
    EXPECT_TRUE(EndsWith(info.MemTotal(), " KB"));
    EXPECT_TRUE(EndsWith(info.MemUsage(), " %")) << info.MemUsage();
    EXPECT_TRUE(EndsWith(info.SwapFileUsage(), " %"));
    EXPECT_EQ(info.WinType(), "Windows NT");
    // A 64-bit process sees an AMD64 processor type, which has no name here.
    EXPECT_EQ(info.CPUType(), sizeof(void*) == 4 ? "Intel Pentium" : "");
    for (const std::string* empty :
         {&info.WinInstallDate(), &info.FreeSystemRes(), &info.FreeGDIRes(), &info.FreeUserRes()})
        EXPECT_TRUE(empty->empty());
    // Wine reports more free page file than its total; the size in use never wraps.
    EXPECT_NE(info.SwapFileSize()[0], '-');
    EXPECT_LT(info.SwapFileSize().size(), 15u);
}
