#include "explorer/infotip/TxtInfo.h"

#include "explorer/com/ComRegistry.h"
#include "explorer/infotip/core/InfoTipRules.h"
#include "main/bar/InfoTipText.h"
#include "framework/win32/LeadByte.h"
#include "framework/core/StrUtils.h"
#include "framework/win32/WideText.h"

namespace tavlin {

const CLSID CLSID_TxtInfo = {0x7090FC40, 0x6315, 0x11D4, {0xB1, 0x9B, 0x00, 0x40, 0x05, 0x2E, 0xF5, 0xD0}};

namespace {

const char kDescription[] = "TxtInfo";
const char kApprovedKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

std::string HandlerKey(const char* extension) { return std::string(extension) + "\\shellex\\" + GuidToString(IID_IQueryInfo); }

TTxtInfoFactory factory;

}  // namespace

STDMETHODIMP TTxtInfo::GetInfoTip(DWORD, PWSTR* ppwszTip) {
    if (ppwszTip == nullptr) return E_POINTER;
    *ppwszTip = nullptr;
    try {
        std::string tip;
        switch (TipKindForFile(fileName_, SystemLeadByte)) {
        case TipKind::kZip:
            tip = bar::ListZipEntries(fileName_, kZipTipEntries);
            break;
        case TipKind::kText:
            tip = TextTip(bar::ReadFileHead(fileName_, kTextTipBytes));
            if (tip.empty()) return E_NOTIMPL;
            break;
        case TipKind::kHtml:
            // A page that cannot be read or converted gets the shell's own tip.
            try {
                tip = HtmlTip(bar::ReadFileHead(fileName_, kHtmlTipBytes));
            } catch (...) {
                tip.clear();
            }
            if (tip.empty()) return E_NOTIMPL;
            break;
        case TipKind::kProgram:
            tip = bar::GetVersionString(fileName_, "FileDescription");
            if (tip.empty()) return E_NOTIMPL;
            break;
        case TipKind::kOther:
            break;
        }
        const std::wstring wide = WideFromAnsi(tip);
        // The shell frees the tip with its own allocator.
        IMalloc* malloc = nullptr;
        if (FAILED(SHGetMalloc(&malloc)) || malloc == nullptr) return E_FAIL;
        auto* block = static_cast<wchar_t*>(malloc->Alloc(sizeof(wchar_t) * (wide.size() + 1)));
        malloc->Release();
        if (block == nullptr) return E_OUTOFMEMORY;
        wide.copy(block, wide.size());
        block[wide.size()] = L'\0';
        *ppwszTip = block;
        return S_OK;
    } catch (...) {
        return comkit::ExceptionToHresult();
    }
}

STDMETHODIMP TTxtInfo::GetInfoFlags(DWORD*) { return E_NOTIMPL; }
STDMETHODIMP TTxtInfo::GetClassID(CLSID*) { return E_NOTIMPL; }
STDMETHODIMP TTxtInfo::IsDirty() { return E_NOTIMPL; }

STDMETHODIMP TTxtInfo::Load(LPCOLESTR pszFileName, DWORD) {
    try {
        if (pszFileName == nullptr) return E_POINTER;
        fileName_ = AnsiFromWide(pszFileName);
        return S_OK;
    } catch (...) {
        return comkit::ExceptionToHresult();
    }
}

STDMETHODIMP TTxtInfo::Save(LPCOLESTR, BOOL) { return E_NOTIMPL; }
STDMETHODIMP TTxtInfo::SaveCompleted(LPCOLESTR) { return E_NOTIMPL; }
STDMETHODIMP TTxtInfo::GetCurFile(LPOLESTR*) { return E_NOTIMPL; }

TTxtInfoFactory::TTxtInfoFactory()
    : TComObjectFactory(CLSID_TxtInfo, kDescription, "Apartment", comkit::CreateComObject<TTxtInfo>) {}

void TTxtInfoFactory::UpdateRegistry(bool Register) {
    if (Register) {
        TComObjectFactory::UpdateRegistry(true);
        for (const char* extension : kTipExtensions) {
            CreateRegKey(HKEY_CLASSES_ROOT, std::string(extension) + "\\shellex", "", "");
            CreateRegKey(HKEY_CLASSES_ROOT, HandlerKey(extension), "", ClassIdText());
        }
        // Only the NT family consults the approved list.
        if (IsNtPlatform()) CreateRegKey(HKEY_LOCAL_MACHINE, kApprovedKey, ClassIdText(), kDescription);
    } else {
        // Registration replaced whatever handler was there before; a handler
        // registered since then is somebody else's and stays.
        for (const char* extension : kTipExtensions) {
            std::string current;
            if (ReadRegString(HKEY_CLASSES_ROOT, HandlerKey(extension), "", current) &&
                SameTextAscii(current, ClassIdText()))
                DeleteRegKeyTree(HKEY_CLASSES_ROOT, HandlerKey(extension));
        }
        TComObjectFactory::UpdateRegistry(false);
    }
}

}  // namespace tavlin
