#include "backup/DorvaneApp.h"

#include "backup/core/BackupPaths.h"
#include "framework/dialogs/Text.h"

namespace backup {

CDorvaneApp theApp;

CDorvaneApp::CDorvaneApp()
    : LocalTime([] {
          SYSTEMTIME now;
          GetLocalTime(&now);
          return now;
      }) {}

bool CDorvaneApp::InitInstance() {
    SetRegistryKey("Mivora");
    return CWinApp::InitInstance();
}

std::string CDorvaneApp::OptionsPath() const {
    std::string folder = OptionsFolder;
    if (folder.empty()) {
        folder.resize(GetWindowsDirectoryA(nullptr, 0));
        folder.resize(GetWindowsDirectoryA(&folder[0], static_cast<UINT>(folder.size())));
    }
    return WithBackslash(folder, SystemLeadByte) + "option.sav";
}

}  // namespace backup
