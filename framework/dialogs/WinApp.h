// The application object of a tool library: one static instance per module
// (each library links this framework on its own), its name, and its settings
// in the per-user registry profile
//   HKEY_CURRENT_USER\Software\<company>\<application>\<section>.
#pragma once
#include <windows.h>

#include <string>

// The module this code is linked into (the library, or a test program that
// links the library's code): its dialog templates, icons and strings.
HINSTANCE ResourceHandle();

class CWinApp {
public:
    // Without a name the application is named after the module's file name.
    explicit CWinApp(std::string appName = std::string());
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Runs once, on the first GetApp(). The base takes the name from the module.
    virtual bool InitInstance();

    // Settings go to HKEY_CURRENT_USER\Software\<company>\<application>.
    void SetRegistryKey(const std::string& company);
    // Before the first GetApp() only: a test program that links a library's
    // code under another file name still uses the library's settings.
    void SetAppName(const std::string& name) { appName_ = name; }
    const std::string& AppName() const { return appName_; }
    // "Software\<company>\<application>\<section>".
    std::string SectionKey(const std::string& section) const;

    // REG_DWORD values. A missing or unreadable value gives the default:
    // errors while loading settings are not the user's concern.
    UINT GetProfileInt(const std::string& section, const std::string& entry, int fallback) const;
    bool WriteProfileInt(const std::string& section, const std::string& entry, int value);
    // A check box's state: 1 for any value but 0.
    int GetProfileFlag(const std::string& section, const std::string& entry, int fallback) const {
        return GetProfileInt(section, entry, fallback) != 0 ? 1 : 0;
    }
    // REG_SZ values.
    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& fallback = std::string()) const;
    bool WriteProfileString(const std::string& section, const std::string& entry, const std::string& value);

    // Resources of the module.
    std::string LoadString(UINT id) const;
    std::wstring LoadStringW(UINT id) const;
    HICON LoadIcon(UINT id) const;

private:
    std::string appName_;
    std::string registryKey_;
};

// The module's application object, initialised on first use.
CWinApp* GetApp();
