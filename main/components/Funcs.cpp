#include "main/components/Funcs.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "framework/core/ComPtr.h"
#include "framework/core/Exceptions.h"
#include "framework/forms/Registry.h"
#include "framework/win32/ScopedHandle.h"
#include "framework/forms/SysUtils.h"
#include "framework/win32/WideText.h"

namespace components {


std::string GetShellFolder(const std::string& Name) {
    TRegistry reg;
    reg.RootKey = HKEY_CURRENT_USER;
    std::string path;
    if (reg.OpenKeyReadOnly("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"))
        path = reg.ReadString(Name);
    if (!DirectoryExists(path)) {
        if (path.empty()) throw Exception("Unable to create directory");
        ForceDirectories(path);  // a folder that cannot be made shows up later, where it is used
    }
    return path;
}

TShortcutReader::TShortcutReader() { Open(); }

// Here, where the two interfaces are complete types.
TShortcutReader::~TShortcutReader() = default;

void TShortcutReader::Open() {
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link_.ReceiveVoid())))
        throw Exception("Unable to create the shell link object");
    if (FAILED(link_->QueryInterface(IID_IPersistFile, file_.ReceiveVoid()))) {
        link_.Reset();
        throw Exception("The shell link object cannot load files");
    }
}

std::string TShortcutReader::Target(const std::string& LinkFile) {
    if (!link_) Open();
    // A name that does not fit the system's path limit would be loaded cut
    // short, as another file: refuse it instead.
    const std::wstring wide = WideFromAnsi(LinkFile);
    if (wide.empty() || wide.size() >= MAX_PATH) return "";
    if (FAILED(file_->Load(wide.c_str(), STGM_READ))) {
        // A load that fails keeps what the object held before, which the next
        // shortcut must never see: the next one gets a fresh object.
        file_.Reset();
        link_.Reset();
        return "";
    }
    std::string target(MAX_PATH + 1, '\0');
    // No find-data record: the path does not depend on it, and Wine fills one
    // by looking up the target on disk, which more than doubles the cost of a
    // shortcut.
    if (link_->GetPath(&target[0], MAX_PATH, nullptr, SLGP_UNCPRIORITY) != S_OK) return "";
    target.resize(target.find('\0'));
    return target;
}

std::string GetLinkTarget(const std::string& LinkFile) { return TShortcutReader().Target(LinkFile); }

void DrawFileIcon(const std::string& FileName, TBitmap& Bitmap, bool Small) {
    SHFILEINFOA info{};
    UINT flags = SHGFI_ICON | (Small ? SHGFI_SMALLICON : 0);
    if (!SHGetFileInfoA(FileName.c_str(), 0, &info, sizeof info, flags) || !info.hIcon) return;
    const ScopedIcon icon(info.hIcon);
    const int size = Small ? 16 : 32;
    DrawIconEx(Bitmap.Canvas()->Handle(), 0, 0, icon.Get(), size, size, 0, nullptr, DI_NORMAL);
}

bool PruneMissingPaths(TStringList& List, const std::string& ListFile) {
    bool removed = false;
    for (int i = List.Count() - 1; i >= 0; --i) {
        if (!DirectoryExists(List[i]) && !FileExists(List[i])) {
            List.Delete(i);
            removed = true;
        }
    }
    if (removed && !ListFile.empty()) List.SaveToFile(ProgramFolder() + ListFile);
    return removed;
}

std::string GetDriverDesc(const std::string& ClassName) {
    TRegistry reg;
    reg.RootKey = HKEY_LOCAL_MACHINE;
    if (!reg.OpenKeyReadOnly("System\\CurrentControlSet\\Services\\Class\\" + ClassName + "\\0000")) return "";
    return reg.ReadString("DriverDesc");
}

}  // namespace components
