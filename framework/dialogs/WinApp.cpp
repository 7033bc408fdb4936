#include "MbcsPath.h"
#include "ModulePath.h"
#include "WinApp.h"

#include <mutex>

#include "Text.h"
#include "WideText.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

HINSTANCE ResourceHandle() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

namespace {

CWinApp* theApplication = nullptr;
std::once_flag initOnce;

// The module's file name without folder and extension.
std::string ModuleBaseName() { return SplitPathBaseName(ModulePath(ResourceHandle()), SystemLeadByte); }

class RegKey {
public:
    RegKey() = default;
    ~RegKey() {
        if (key_) RegCloseKey(key_);
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    bool Open(const std::string& path) {
        return RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key_) == ERROR_SUCCESS;
    }
    bool Create(const std::string& path) {
        DWORD disposition = 0;
        return RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                               nullptr, &key_, &disposition) == ERROR_SUCCESS;
    }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// Strings longer than this are not settings this framework wrote.
constexpr DWORD kMaxProfileString = 32 * 1024;

}  // namespace

CWinApp::CWinApp(std::string appName) : appName_(std::move(appName)) { theApplication = this; }

CWinApp::~CWinApp() {
    if (theApplication == this) theApplication = nullptr;
}

bool CWinApp::InitInstance() {
    if (appName_.empty()) appName_ = ModuleBaseName();
    return true;
}

void CWinApp::SetRegistryKey(const std::string& company) { registryKey_ = company; }

std::string CWinApp::SectionKey(const std::string& section) const {
    return "Software\\" + registryKey_ + "\\" + appName_ + "\\" + section;
}

UINT CWinApp::GetProfileInt(const std::string& section, const std::string& entry, int fallback) const {
    if (registryKey_.empty()) return static_cast<UINT>(fallback);
    RegKey key;
    if (!key.Open(SectionKey(section))) return static_cast<UINT>(fallback);
    DWORD type = 0, value = 0, size = sizeof value;
    if (RegQueryValueExA(key.Get(), entry.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return static_cast<UINT>(fallback);
    return value;
}

bool CWinApp::WriteProfileInt(const std::string& section, const std::string& entry, int value) {
    if (registryKey_.empty()) return false;
    RegKey key;
    if (!key.Create(SectionKey(section))) return false;
    const DWORD data = static_cast<DWORD>(value);
    return RegSetValueExA(key.Get(), entry.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof data) == ERROR_SUCCESS;
}

std::string CWinApp::GetProfileString(const std::string& section, const std::string& entry,
                                       const std::string& fallback) const {
    if (registryKey_.empty()) return fallback;
    RegKey key;
    if (!key.Open(SectionKey(section))) return fallback;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key.Get(), entry.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ || size > kMaxProfileString)
        return fallback;
    std::string value(size + 1, '\0');
    if (RegQueryValueExA(key.Get(), entry.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value[0]), &size) !=
        ERROR_SUCCESS)
        return fallback;
    // The stored size may or may not count a terminator.
    value.resize(std::min<std::size_t>(size, value.size()));
    const std::size_t end = value.find('\0');
    if (end != std::string::npos) value.resize(end);
    return value;
}

bool CWinApp::WriteProfileString(const std::string& section, const std::string& entry, const std::string& value) {
    if (registryKey_.empty()) return false;
    RegKey key;
    if (!key.Create(SectionKey(section))) return false;
    return RegSetValueExA(key.Get(), entry.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

std::wstring CWinApp::LoadStringW(UINT id) const {
    // A string-table entry is at most 65535 characters; ask for its length first.
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(ResourceHandle(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return std::wstring();
    return std::wstring(text, static_cast<std::size_t>(length));
}

std::string CWinApp::LoadString(UINT id) const {
    const std::wstring wide = LoadStringW(id);
    if (!wide.empty()) return AnsiFromWide(wide);
    // Windows 9x has no wide string loading: read the ANSI form.
    std::string text(256, '\0');
    for (;;) {
        const int got = ::LoadStringA(ResourceHandle(), id, &text[0], static_cast<int>(text.size()));
        if (got <= 0) return std::string();
        if (static_cast<std::size_t>(got) + 1 < text.size()) {
            text.resize(static_cast<std::size_t>(got));
            return text;
        }
        text.resize(text.size() * 2);
    }
}

HICON CWinApp::LoadIcon(UINT id) const { return ::LoadIconA(ResourceHandle(), MAKEINTRESOURCEA(id)); }

CWinApp* GetApp() {
    if (!theApplication) return nullptr;
    std::call_once(initOnce, [] { theApplication->InitInstance(); });
    return theApplication;
}
