#include "main/components/sysinfo.h"

#include <windows.h>

#include "framework/forms/Registry.h"
#include "framework/forms/SysUtils.h"

namespace components {

namespace {

// The four name lookups fill a zeroed buffer and offer all but its last byte,
// so a failed call leaves "".
template <class Call>
std::string ReadText(Call call) {
    std::string buf(256, '\0');
    call(&buf[0], static_cast<DWORD>(buf.size() - 1));
    buf.resize(buf.find('\0'));
    return buf;
}

}  // namespace

SysInfoSnapshot ReadSysInfoSnapshot() {
    SysInfoSnapshot s;
    TRegistry reg;
    reg.RootKey = HKEY_LOCAL_MACHINE;
    if (reg.OpenKeyReadOnly("\\SOFTWARE\\Microsoft\\Windows") && reg.OpenKeyReadOnly("CurrentVersion")) {
        if (reg.ValueExists("RegisteredOrganization")) s.RegOrganisation = reg.ReadString("RegisteredOrganization");
        if (reg.ValueExists("RegisteredOwner")) s.RegOwner = reg.ReadString("RegisteredOwner");
    }

    SYSTEM_INFO si{};
    GetSystemInfo(&si);
    s.ProcessorType = si.dwProcessorType;

    static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record every system accepts");
    static_assert(sizeof(void*) != 4 || sizeof(MEMORYSTATUS) == 32, "the memory record of 32-bit Windows");
    OSVERSIONINFOA vi{};
    vi.dwOSVersionInfoSize = sizeof vi;
    if (GetVersionExA(&vi)) {
        s.PlatformId = vi.dwPlatformId;
        s.MajorVersion = vi.dwMajorVersion;
        s.MinorVersion = vi.dwMinorVersion;
        s.BuildNumber = vi.dwBuildNumber;
    }

    MEMORYSTATUS ms{};
    ms.dwLength = sizeof ms;
    GlobalMemoryStatus(&ms);
    s.MemTotalPhys = ms.dwTotalPhys;
    s.MemAvailPhys = ms.dwAvailPhys;
    s.PageFileTotal = ms.dwTotalPageFile;
    s.PageFileAvail = ms.dwAvailPageFile;

    s.DriveCTotal = DiskSize("C:\\");
    s.WinPath = ReadText([](char* b, DWORD n) { GetWindowsDirectoryA(b, n); });
    s.WinTempPath = ReadText([](char* b, DWORD n) { ExpandEnvironmentStringsA("%TEMP%", b, n); });
    s.ComputerName = ReadText([](char* b, DWORD n) { GetComputerNameA(b, &n); });
    s.UserName = ReadText([](char* b, DWORD n) { GetUserNameA(b, &n); });
    return s;
}

TSysInfo::TSysInfo(TComponent* AOwner) : TComponent(AOwner) { GetInfo(); }

void TSysInfo::GetInfo() {
    raw_ = ReadSysInfoSnapshot();
    s_ = FormatSysInfo(raw_, s_);
}

}  // namespace components
