#include "tests/win/support/TestSupport.h"

#include <shlobj.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "framework/core/ComPtr.h"
#include "framework/win32/RegKey.h"
#include "framework/forms/SysUtils.h"
#include "framework/win32/WideText.h"

bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        Application->ProcessMessages();
        if (done()) return true;
        if (GetTickCount() - start >= ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

TempDir::TempDir() {
    char base[MAX_PATH + 1];
    GetTempPathA(sizeof base, base);
    static int counter = 0;
    for (;;) {
        path_ = std::string(base) + "mvt" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter) +
                "\\";
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create temp dir " + path_);
    }
}

TempDir::~TempDir() { RemoveTree(path_); }

HDROP MakeDrop(const std::vector<std::string>& paths) {
    std::string list;
    for (const std::string& p : paths) list += p + '\0';
    list += '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

bool MakeShortcut(const std::string& link, const std::string& target) {
    ComPtr<IShellLinkA> shell;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, shell.ReceiveVoid())))
        return false;
    shell->SetPath(target.c_str());
    ComPtr<IPersistFile> persist;
    if (FAILED(shell->QueryInterface(IID_IPersistFile, persist.ReceiveVoid()))) return false;
    return SUCCEEDED(persist->Save(WideFromAnsi(link).c_str(), TRUE));
}

void RemoveTree(const std::string& path) {
    std::string dir = path;
    if (!dir.empty() && dir.back() == '\\') dir.pop_back();
    WIN32_FIND_DATAA fd;
    const ScopedFind search(FindFirstFileA((dir + "\\*").c_str(), &fd));
    if (search) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = dir + "\\" + name;
            if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                RemoveTree(full);
            } else if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveDirectoryA(full.c_str());
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(search.Get(), &fd));
    }
    RemoveDirectoryA(dir.c_str());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary);
    if (!f) throw std::runtime_error("cannot write " + path);
    f << bytes;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

ErrorReports::ErrorReports() : previous_(Application->OnException) {
    Application->OnException = [this](TObject*, const Exception& e) { messages.push_back(e.Message()); };
}

ErrorReports::~ErrorReports() { Application->OnException = previous_; }

std::string HostPathToWindows(const std::string& hostPath) {
    using Fn = WCHAR*(CDECL*)(const char*);
    auto fn = reinterpret_cast<Fn>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name"));
    if (!fn) return hostPath;
    WCHAR* wide = fn(hostPath.c_str());
    if (!wide) return hostPath;
    const std::string out = AnsiFromWide(wide);
    HeapFree(GetProcessHeap(), 0, wide);
    return out;
}

SavedRegValue::SavedRegValue(HKEY root, const std::string& key, const std::string& name)
    : root_(root), key_(key), name_(name) {
    RegKey k;
    DWORD size = 0;
    if (k.Open(root_, key_) && k.QueryValue(name_, &type_, &size)) {
        data_.assign(size, '\0');
        RegQueryValueExA(k.Get(), name_.c_str(), nullptr, &type_, reinterpret_cast<BYTE*>(&data_[0]), &size);
        existed_ = true;
    }
}

SavedRegValue::~SavedRegValue() {
    RegKey k;
    if (!k.Create(root_, key_, KEY_ALL_ACCESS)) return;
    if (existed_)
        RegSetValueExA(k.Get(), name_.c_str(), 0, type_, reinterpret_cast<const BYTE*>(data_.data()),
                       static_cast<DWORD>(data_.size()));
    else
        k.DeleteValue(name_);
}
