#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "main/components/core/SysInfoFormat.h"

using namespace components;

namespace {

SysInfoSnapshot TypicalSnapshot() {
    SysInfoSnapshot s;
    s.RegOrganisation = "Acme";
    s.RegOwner = "Alice";
    s.ProcessorType = 586;
    s.PlatformId = 1;
    s.MajorVersion = 4;
    s.MinorVersion = 10;
    s.BuildNumber = 0x040A08AE;  // 9x: version in the high word, build 2222 low
    s.MemTotalPhys = 262144ull * 1024;
    s.MemAvailPhys = 65536ull * 1024;
    s.PageFileTotal = 100000ull * 1024;
    s.PageFileAvail = 40000ull * 1024;
    s.DriveCTotal = 40ll << 30;
    s.WinPath = "C:\\WINDOWS";
    s.WinTempPath = "C:\\WINDOWS\\TEMP";
    s.ComputerName = "DESK1";
    s.UserName = "alice";
    return s;
}

TEST(FormatSysInfo, FormatsEveryText) {
    const SysInfoStrings info = FormatSysInfo(TypicalSnapshot(), SysInfoStrings{});
    EXPECT_EQ(info.RegOrganisation, "Acme");
    EXPECT_EQ(info.RegOwner, "Alice");
    EXPECT_EQ(info.CPUType, "Intel Pentium");
    EXPECT_EQ(info.WinType, "Windows 95");
    EXPECT_EQ(info.WinVersion, "4.10");
    EXPECT_EQ(info.WinBuild, "2222");
    EXPECT_EQ(info.MemTotal, "262144 KB");
    EXPECT_EQ(info.MemAvailable, "65536 KB");
    EXPECT_EQ(info.MemUsage, "75 %");
    EXPECT_EQ(info.DriveC, "40960 MB");
    EXPECT_EQ(info.WinPath, "C:\\WINDOWS");
    EXPECT_EQ(info.WinTempPath, "C:\\WINDOWS\\TEMP");
    EXPECT_EQ(info.NetComputerName, "DESK1");
    EXPECT_EQ(info.NetUserName, "alice");
    EXPECT_EQ(info.SwapFileSetting, "100000 KB");
    EXPECT_EQ(info.SwapFileSize, "60000 KB");
    EXPECT_EQ(info.SwapFileUsage, "60 %");
}

TEST(FormatSysInfo, FourTextsAreAlwaysEmpty) {
    SysInfoStrings previous;
    previous.WinInstallDate = previous.FreeSystemRes = previous.FreeGDIRes = previous.FreeUserRes = "stale";
    const SysInfoStrings info = FormatSysInfo(TypicalSnapshot(), previous);
    EXPECT_EQ(info.WinInstallDate, "");
    EXPECT_EQ(info.FreeSystemRes, "");
    EXPECT_EQ(info.FreeGDIRes, "");
    EXPECT_EQ(info.FreeUserRes, "");
}

TEST(FormatSysInfo, MissingRegistryValuesReadUnknown) {
    SysInfoSnapshot s = TypicalSnapshot();
    s.RegOrganisation.reset();
    s.RegOwner = "";
    const SysInfoStrings info = FormatSysInfo(s, SysInfoStrings{});
    EXPECT_EQ(info.RegOrganisation, "unknown");
    EXPECT_EQ(info.RegOwner, "");  // present but empty stays empty
}

TEST(FormatSysInfo, ProcessorAndPlatformNamesKeepThePreviousTextWhenUnknown) {
    struct Case {
        std::uint32_t processor;
        std::uint32_t platform;
        std::string previousCpu;
        std::string previousWin;
        std::string cpu;
        std::string win;
    };
    const std::vector<Case> cases = {
        {386, 0, "", "", "Intel 386", "Windows 3.1x/32s"},
        {486, 2, "", "", "Intel 486", "Windows NT"},
        {586, 1, "x", "y", "Intel Pentium", "Windows 95"},
        {8664, 3, "", "", "", ""},
        {2200, 7, "Intel 486", "Windows NT", "Intel 486", "Windows NT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.processor);
        SysInfoSnapshot s = TypicalSnapshot();
        s.ProcessorType = c.processor;
        s.PlatformId = c.platform;
        SysInfoStrings previous;
        previous.CPUType = c.previousCpu;
        previous.WinType = c.previousWin;
        const SysInfoStrings info = FormatSysInfo(s, previous);
        EXPECT_EQ(info.CPUType, c.cpu);
        EXPECT_EQ(info.WinType, c.win);
    }
}

TEST(FormatSysInfo, VersionAndBuild) {
    SysInfoSnapshot s = TypicalSnapshot();
    s.MajorVersion = 6;
    s.MinorVersion = 1;
    s.BuildNumber = 7601;
    SysInfoStrings info = FormatSysInfo(s, SysInfoStrings{});
    EXPECT_EQ(info.WinVersion, "6.1");
    EXPECT_EQ(info.WinBuild, "7601");
    s.BuildNumber = 0xFFFFFFFF;
    info = FormatSysInfo(s, SysInfoStrings{});
    EXPECT_EQ(info.WinBuild, "65535");
}

TEST(FormatSysInfo, DriveSizes) {
    struct Case {
        std::int64_t bytes;
        std::string text;
    };
    const std::vector<Case> cases = {
        {40ll << 30, "40960 MB"}, {-1, ""}, {0, "0 MB"}, {1048575, "0 MB"}, {3ll << 40, "3145728 MB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        SysInfoSnapshot s = TypicalSnapshot();
        s.DriveCTotal = c.bytes;
        EXPECT_EQ(FormatSysInfo(s, SysInfoStrings{}).DriveC, c.text);
    }
}

// Memory figures as Wine and odd systems report them: totals of zero and
// more available than the total must give sensible texts, not wrap around.
TEST(FormatSysInfo, MemoryAndPageFileEdgeFigures) {
    struct Case {
        std::uint64_t total;
        std::uint64_t avail;
        std::string kbTotal;
        std::string kbAvail;
        std::string inUse;
        std::string usage;
    };
    const std::vector<Case> cases = {
        {0, 0, "0 KB", "0 KB", "0 KB", "0 %"},
        {0, 4096, "0 KB", "4 KB", "0 KB", "0 %"},
        {4294443007ull, 4294967295ull, "4193791 KB", "4194303 KB", "0 KB", "0 %"},
        {2147483647ull, 2147483647ull, "2097151 KB", "2097151 KB", "0 KB", "0 %"},
        {3072, 1024, "3 KB", "1 KB", "2 KB", "67 %"},  // 33.3 % free, fraction dropped
        {1024, 0, "1 KB", "0 KB", "1 KB", "100 %"},
        {1000, 999, "0 KB", "0 KB", "0 KB", "1 %"},
        {1000, 1, "0 KB", "0 KB", "0 KB", "100 %"},
        // Figures whose percentage would overflow 64 bits if multiplied first.
        {1ull << 62, 3ull << 60, "4503599627370496 KB", "3377699720527872 KB", "1125899906842624 KB", "25 %"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.total) + " / " + std::to_string(c.avail));
        SysInfoSnapshot s = TypicalSnapshot();
        s.MemTotalPhys = s.PageFileTotal = c.total;
        s.MemAvailPhys = s.PageFileAvail = c.avail;
        const SysInfoStrings info = FormatSysInfo(s, SysInfoStrings{});
        EXPECT_EQ(info.MemTotal, c.kbTotal);
        EXPECT_EQ(info.MemAvailable, c.kbAvail);
        EXPECT_EQ(info.MemUsage, c.usage);
        EXPECT_EQ(info.SwapFileSetting, c.kbTotal);
        EXPECT_EQ(info.SwapFileSize, c.inUse);
        EXPECT_EQ(info.SwapFileUsage, c.usage);
    }
}

}  // namespace
