#include "main/components/core/SysInfoFormat.h"

#include "framework/core/StrUtils.h"

namespace components {

namespace {

std::string Kilobytes(std::uint64_t bytes) { return IntToStr(static_cast<long long>(bytes / 1024)) + " KB"; }

std::string Percent(int value) { return IntToStr(value) + " %"; }

}  // namespace

int UsagePercent(std::uint64_t Avail, std::uint64_t Total) {
    // Wine reports more free page file than its total, and a zero total would
    // divide by zero: neither may give a usage outside 0..100.
    if (Total == 0 || Avail >= Total) return 0;
    // floor(Avail * 100 / Total) without overflowing 64 bits for any size.
    const std::uint64_t rest = Avail % Total;
    const std::uint64_t fraction =
        rest <= UINT64_MAX / 100 ? rest * 100 / Total
                                 : static_cast<std::uint64_t>(static_cast<long double>(rest) * 100 / Total);
    const std::uint64_t available = (Avail / Total) * 100 + fraction;
    return 100 - static_cast<int>(available);
}

SysInfoStrings FormatSysInfo(const SysInfoSnapshot& Snapshot, const SysInfoStrings& Previous) {
    SysInfoStrings info;
    info.RegOrganisation = Snapshot.RegOrganisation.value_or("unknown");
    info.RegOwner = Snapshot.RegOwner.value_or("unknown");

    switch (Snapshot.ProcessorType) {
    case 386: info.CPUType = "Intel 386"; break;
    case 486: info.CPUType = "Intel 486"; break;
    case 586: info.CPUType = "Intel Pentium"; break;
    default: info.CPUType = Previous.CPUType; break;
    }
    switch (Snapshot.PlatformId) {
    case 0: info.WinType = "Windows 3.1x/32s"; break;
    case 1: info.WinType = "Windows 95"; break;
    case 2: info.WinType = "Windows NT"; break;
    default: info.WinType = Previous.WinType; break;
    }
    info.WinVersion = IntToStr(Snapshot.MajorVersion) + "." + IntToStr(Snapshot.MinorVersion);
    info.WinBuild = IntToStr(Snapshot.BuildNumber & 0xFFFF);

    info.MemAvailable = Kilobytes(Snapshot.MemAvailPhys);
    info.MemTotal = Kilobytes(Snapshot.MemTotalPhys);
    info.MemUsage = Percent(UsagePercent(Snapshot.MemAvailPhys, Snapshot.MemTotalPhys));

    if (Snapshot.DriveCTotal >= 0) info.DriveC = IntToStr(Snapshot.DriveCTotal / 1048576) + " MB";

    info.WinPath = Snapshot.WinPath;
    info.WinTempPath = Snapshot.WinTempPath;
    info.NetComputerName = Snapshot.ComputerName;
    info.NetUserName = Snapshot.UserName;

    info.SwapFileSetting = Kilobytes(Snapshot.PageFileTotal);
    const std::uint64_t inUse =
        Snapshot.PageFileTotal > Snapshot.PageFileAvail ? Snapshot.PageFileTotal - Snapshot.PageFileAvail : 0;
    info.SwapFileSize = Kilobytes(inUse);
    info.SwapFileUsage = Percent(UsagePercent(Snapshot.PageFileAvail, Snapshot.PageFileTotal));
    // WinInstallDate and the three Free*Res texts are read from nowhere and stay empty.
    return info;
}

}  // namespace components
