// A snapshot of facts about the machine, as texts for the system report.
#pragma once
#include "framework/forms/Component.h"
#include "main/components/core/SysInfoFormat.h"

namespace components {

// The texts have no setters: they are read-only by construction.
class TSysInfo : public TComponent {
public:
    explicit TSysInfo(TComponent* AOwner);
    void GetInfo();

    const std::string& RegOrganisation() const { return s_.RegOrganisation; }
    const std::string& RegOwner() const { return s_.RegOwner; }
    const std::string& CPUType() const { return s_.CPUType; }
    const std::string& WinType() const { return s_.WinType; }
    const std::string& WinVersion() const { return s_.WinVersion; }
    const std::string& WinBuild() const { return s_.WinBuild; }
    const std::string& MemAvailable() const { return s_.MemAvailable; }
    const std::string& MemTotal() const { return s_.MemTotal; }
    const std::string& MemUsage() const { return s_.MemUsage; }
    const std::string& DriveC() const { return s_.DriveC; }
    const std::string& WinInstallDate() const { return s_.WinInstallDate; }
    const std::string& WinPath() const { return s_.WinPath; }
    const std::string& WinTempPath() const { return s_.WinTempPath; }
    const std::string& NetComputerName() const { return s_.NetComputerName; }
    const std::string& NetUserName() const { return s_.NetUserName; }
    const std::string& SwapFileSetting() const { return s_.SwapFileSetting; }
    const std::string& SwapFileSize() const { return s_.SwapFileSize; }
    const std::string& SwapFileUsage() const { return s_.SwapFileUsage; }
    const std::string& FreeSystemRes() const { return s_.FreeSystemRes; }
    const std::string& FreeGDIRes() const { return s_.FreeGDIRes; }
    const std::string& FreeUserRes() const { return s_.FreeUserRes; }

    // The facts as read, for callers that need numbers rather than texts.
    const SysInfoSnapshot& Snapshot() const { return raw_; }

private:
    SysInfoStrings s_;
    SysInfoSnapshot raw_;
};

// Reads the facts from the system.
SysInfoSnapshot ReadSysInfoSnapshot();

}  // namespace components
