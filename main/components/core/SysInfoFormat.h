// Text form of a snapshot of system facts, as the system report prints them.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace components {

// Raw facts as the platform gives them; gathered by the Windows layer.
struct SysInfoSnapshot {
    // Registered organisation and owner; nullopt when the key or value is missing.
    std::optional<std::string> RegOrganisation;
    std::optional<std::string> RegOwner;
    std::uint32_t ProcessorType = 0;  // 386, 486, 586, ...
    std::uint32_t PlatformId = 0;     // 0 Win32s, 1 Windows 9x, 2 NT
    std::uint32_t MajorVersion = 0;
    std::uint32_t MinorVersion = 0;
    std::uint32_t BuildNumber = 0;  // on 9x the high word repeats the version
    std::uint64_t MemTotalPhys = 0;
    std::uint64_t MemAvailPhys = 0;
    std::uint64_t PageFileTotal = 0;
    std::uint64_t PageFileAvail = 0;
    std::int64_t DriveCTotal = -1;  // bytes; negative when unreadable
    std::string WinPath;
    std::string WinTempPath;
    std::string ComputerName;
    std::string UserName;
};

struct SysInfoStrings {
    std::string RegOrganisation;
    std::string RegOwner;
    std::string CPUType;
    std::string WinType;
    std::string WinVersion;
    std::string WinBuild;
    std::string MemAvailable;
    std::string MemTotal;
    std::string MemUsage;
    std::string DriveC;
    std::string WinInstallDate;
    std::string WinPath;
    std::string WinTempPath;
    std::string NetComputerName;
    std::string NetUserName;
    std::string SwapFileSetting;
    std::string SwapFileSize;
    std::string SwapFileUsage;
    std::string FreeSystemRes;
    std::string FreeGDIRes;
    std::string FreeUserRes;
};

// Fills every text from Snapshot. A processor type or platform without a name
// keeps the CPUType or WinType of Previous.
SysInfoStrings FormatSysInfo(const SysInfoSnapshot& Snapshot, const SysInfoStrings& Previous);

// 100 minus the whole percentage of Total that Avail is, kept within 0..100;
// 0 when Total is 0.
int UsagePercent(std::uint64_t Avail, std::uint64_t Total);

}  // namespace components
