// The info-tip extension: the hover text of text files, web pages,
// programs and libraries, and ZIP archives.
#pragma once
#include <string>

#include "explorer/com/ComKit.h"

namespace tavlin {

// {7090FC40-6315-11D4-B19B-0040052EF5D0}
extern const CLSID CLSID_TxtInfo;

class TTxtInfo : public comkit::TComObject<IQueryInfo, IPersistFile> {
public:
    // IQueryInfo
    STDMETHODIMP GetInfoTip(DWORD dwFlags, PWSTR* ppwszTip) override;
    STDMETHODIMP GetInfoFlags(DWORD* pdwFlags) override;

    // IPersistFile
    STDMETHODIMP GetClassID(CLSID* pClassID) override;
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(LPCOLESTR pszFileName, DWORD dwMode) override;
    STDMETHODIMP Save(LPCOLESTR pszFileName, BOOL fRemember) override;
    STDMETHODIMP SaveCompleted(LPCOLESTR pszFileName) override;
    STDMETHODIMP GetCurFile(LPOLESTR* ppszFileName) override;

private:
    // The file the shell asks about, as ANSI text.
    std::string fileName_;
};

class TTxtInfoFactory : public comkit::TComObjectFactory {
public:
    TTxtInfoFactory();
    void UpdateRegistry(bool Register) override;
};

}  // namespace tavlin
