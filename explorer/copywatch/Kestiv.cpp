#include "explorer/copywatch/Kestiv.h"

#include "explorer/com/ComRegistry.h"
#include "framework/win32/LeadByte.h"
#include "framework/core/MbcsPath.h"

namespace kestiv {

const CLSID CLSID_Kestiv = {0x29F97553, 0xFBD6, 0x11D1, {0xAF, 0xC1, 0x00, 0xA0, 0x24, 0xD1, 0x87, 0x5C}};
const char kBarWindowClass[] = "Tolvex";

namespace {

const char kDescription[] = "Mivora Kestiv Shell Extension";
const char kHandlerKey[] = "Directory\\shellex\\CopyHookHandlers\\MivoraKestiv";
const char kApprovedKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

TKestivFactory factory;

}  // namespace

STDMETHODIMP_(UINT) TKestiv::CopyCallback(HWND, UINT, UINT, PCSTR, DWORD, PCSTR pszDestFile, DWORD) {
    // Whatever happens here, the operation goes ahead.
    try {
        HWND bar = FindWindowA(kBarWindowClass, nullptr);
        if (bar == nullptr) return IDYES;
        const std::string folder = ExtractFileDir(pszDestFile != nullptr ? pszDestFile : "", SystemLeadByte);
        // An empty or over-long name gives atom 0, which the bar ignores.
        const ATOM atom = GlobalAddAtomA(folder.c_str());
        // A plain SendMessage would stall the shell's file operation for as
        // long as the bar hangs. When the bar answers late it finds the atom
        // gone and ignores the notice.
        DWORD_PTR result = 0;
        SendMessageTimeoutA(bar, WM_HOOKNOTIFY, static_cast<WPARAM>(atom), static_cast<LPARAM>(-1),
                            SMTO_ABORTIFHUNG | SMTO_BLOCK, kNoticeTimeoutMs, &result);
        if (atom != 0) GlobalDeleteAtom(atom);
    } catch (...) {
    }
    return IDYES;
}

TKestivFactory::TKestivFactory()
    : TComObjectFactory(CLSID_Kestiv, kDescription, "Apartment", comkit::CreateComObject<TKestiv>) {}

void TKestivFactory::UpdateRegistry(bool Register) {
    if (Register) {
        TComObjectFactory::UpdateRegistry(true);
        CreateRegKey(HKEY_CLASSES_ROOT, kHandlerKey, "", ClassIdText());
        // Only the NT family consults the approved list.
        if (IsNtPlatform()) CreateRegKey(HKEY_LOCAL_MACHINE, kApprovedKey, ClassIdText(), kDescription);
    } else {
        DeleteRegKeyTree(HKEY_CLASSES_ROOT, kHandlerKey);
        TComObjectFactory::UpdateRegistry(false);
    }
}

}  // namespace kestiv
