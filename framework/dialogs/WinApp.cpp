#include "framework/core/MbcsPath.h"
#include "framework/win32/ModulePath.h"
#include "framework/dialogs/WinApp.h"

#include <mutex>

#include "framework/win32/RegKey.h"
#include "framework/dialogs/Text.h"
#include "framework/win32/WideText.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

HINSTANCE ResourceHandle() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

namespace {

CWinApp* theApplication = nullptr;
std::once_flag initOnce;

// The module's file name without folder and extension.
std::string ModuleBaseName() { return SplitPathBaseName(ModulePath(ResourceHandle()), SystemLeadByte); }

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
    RegKey key;
    DWORD value = 0;
    if (registryKey_.empty() || !key.Open(HKEY_CURRENT_USER, SectionKey(section)) || !key.ReadDword(entry, value))
        return static_cast<UINT>(fallback);
    return value;
}

bool CWinApp::WriteProfileInt(const std::string& section, const std::string& entry, int value) {
    RegKey key;
    return !registryKey_.empty() && key.Create(HKEY_CURRENT_USER, SectionKey(section), KEY_WRITE) &&
           key.WriteDword(entry, static_cast<DWORD>(value));
}

std::string CWinApp::GetProfileString(const std::string& section, const std::string& entry,
                                       const std::string& fallback) const {
    RegKey key;
    DWORD type = 0, size = 0;
    std::string value;
    if (registryKey_.empty() || !key.Open(HKEY_CURRENT_USER, SectionKey(section)) ||
        !key.QueryValue(entry, &type, &size) || type != REG_SZ || size > kMaxProfileString ||
        !key.ReadString(entry, value))
        return fallback;
    return value;
}

bool CWinApp::WriteProfileString(const std::string& section, const std::string& entry, const std::string& value) {
    RegKey key;
    return !registryKey_.empty() && key.Create(HKEY_CURRENT_USER, SectionKey(section), KEY_WRITE) &&
           key.WriteString(entry, value);
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
