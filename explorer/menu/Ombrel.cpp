#include "explorer/menu/Ombrel.h"

#include <shellapi.h>

#include <cstdio>
#include <new>
#include <string>

#include "explorer/com/ComKit.h"
#include "explorer/com/ComRegistry.h"
#include "framework/win32/DropPaths.h"
#include "framework/win32/LeadByte.h"
#include "explorer/menu/core/MenuRules.h"
#include "framework/win32/ScopedHandle.h"

namespace norquil {

const CLSID CLSID_Ombrel = {0x18D67740, 0x19C0, 0x11D3, {0x9F, 0x2F, 0x00, 0x40, 0x05, 0x2E, 0xCF, 0x0B}};

HINSTANCE g_hmodThisDll = nullptr;
LONG g_cRefThisDll = 0;

void DebugLine(const char* text) { OutputDebugStringA(text); }

namespace {

using ToolExport = void(__cdecl*)(HDROP);

// The selection's medium, released when it goes.
class Medium {
public:
    Medium() = default;
    ~Medium() { Release(); }
    Medium(const Medium&) = delete;
    Medium& operator=(const Medium&) = delete;
    STGMEDIUM* Out() { return &medium_; }
    void Held() { held_ = true; }
    HDROP Drop() const { return static_cast<HDROP>(medium_.hGlobal); }
    void Release() {
        if (held_) ReleaseStgMedium(&medium_);
        held_ = false;
    }

private:
    STGMEDIUM medium_{};
    bool held_ = false;
};


// The list of the selection as CF_HDROP in global memory; E_FAIL when there
// is no data object or it gives no such list.
HRESULT GetSelection(IDataObject* data, Medium& medium) {
    if (data == nullptr) return E_FAIL;
    FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    if (FAILED(data->GetData(&format, medium.Out()))) return E_FAIL;
    medium.Held();
    if (medium.Out()->tymed != TYMED_HGLOBAL || medium.Out()->hGlobal == nullptr) return E_FAIL;
    return S_OK;
}

// A private copy of the dropped-file list. The tool libraries free the list
// they are given with DragFinish, which must never reach memory that the
// shell's medium owns.
HGLOBAL CopyDropList(HDROP drop) {
    const SIZE_T size = GlobalSize(drop);
    if (size < sizeof(DROPFILES)) return nullptr;
    const void* source = GlobalLock(drop);
    if (source == nullptr) return nullptr;
    ScopedGlobal copy(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
    if (copy) {
        void* target = GlobalLock(copy.Get());
        if (target != nullptr) {
            CopyMemory(target, source, size);
            GlobalUnlock(copy.Get());
        } else {
            copy.Reset();
        }
    }
    GlobalUnlock(drop);
    return copy.Release();
}

// The folder of this library, with its trailing backslash.
std::string ThisFolder() {
    const std::string path = ModuleFileName(g_hmodThisDll);
    const std::size_t cut = LastDelimiter(path, "\\:", SystemLeadByte);
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

}  // namespace

// Class factory.

COmbrelClassFactory::COmbrelClassFactory() {
    DebugLine("COmbrelClassFactory::COmbrelClassFactory()\r\n");
    InterlockedIncrement(&g_cRefThisDll);
}

COmbrelClassFactory::~COmbrelClassFactory() { InterlockedDecrement(&g_cRefThisDll); }

STDMETHODIMP COmbrelClassFactory::QueryInterface(REFIID riid, void** ppv) {
    DebugLine("COmbrelClassFactory::QueryInterface()\r\n");
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) COmbrelClassFactory::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

STDMETHODIMP_(ULONG) COmbrelClassFactory::Release() {
    const LONG count = InterlockedDecrement(&refs_);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
}

STDMETHODIMP COmbrelClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
    DebugLine("COmbrelClassFactory::CreateInstance()\r\n");
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    COmbrel* menu = new (std::nothrow) COmbrel;
    if (menu == nullptr) return E_OUTOFMEMORY;
    // Held while asking, so that a refused interface frees the object.
    menu->AddRef();
    const HRESULT hr = menu->QueryInterface(riid, ppv);
    menu->Release();
    return hr;
}

STDMETHODIMP COmbrelClassFactory::LockServer(BOOL) { return S_OK; }

// The menu object.

COmbrel::COmbrel() {
    DebugLine("COmbrel::COmbrel()\r\n");
    InterlockedIncrement(&g_cRefThisDll);
}

COmbrel::~COmbrel() {
    if (dataObject_ != nullptr) dataObject_->Release();
    InterlockedDecrement(&g_cRefThisDll);
}

STDMETHODIMP COmbrel::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IShellExtInit) || IsEqualIID(riid, IID_IUnknown)) {
        DebugLine("COmbrel::QueryInterface()==>IID_IShellExtInit\r\n");
        *ppv = static_cast<IShellExtInit*>(this);
    } else if (IsEqualIID(riid, IID_IContextMenu)) {
        DebugLine("COmbrel::QueryInterface()==>IID_IContextMenu\r\n");
        *ppv = static_cast<IContextMenu*>(this);
    } else {
        DebugLine("COmbrel::QueryInterface()==>Unknown Interface!\r\n");
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) COmbrel::AddRef() {
    DebugLine("COmbrel::AddRef()\r\n");
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

STDMETHODIMP_(ULONG) COmbrel::Release() {
    DebugLine("COmbrel::Release()\r\n");
    const LONG count = InterlockedDecrement(&refs_);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
}

STDMETHODIMP COmbrel::Initialize(PCIDLIST_ABSOLUTE, IDataObject* pDataObj, HKEY) {
    DebugLine("COmbrel::Initialize()\r\n");
    if (dataObject_ != nullptr) dataObject_->Release();
    dataObject_ = pDataObj;
    if (dataObject_ != nullptr) dataObject_->AddRef();
    return S_OK;
}

STDMETHODIMP COmbrel::QueryContextMenu(HMENU hmenu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast, UINT uFlags) {
    DebugLine("COmbrel::QueryContextMenu()\r\n");
    try {
        const HRESULT nothingAdded = MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, 0);
        if ((uFlags & 0xF) == CMF_NORMAL || (uFlags & CMF_VERBSONLY) || (uFlags & CMF_EXPLORE)) {
            DebugLine("CMF_NORMAL...\r\n");
        } else if (uFlags & CMF_DEFAULTONLY) {
            DebugLine("CMF_DEFAULTONLY...\r\n");
        } else {
            DebugLine("CMF_default...\r\n");
            char line[40];
            std::snprintf(line, sizeof line, "uFlags==>%d\r\n", static_cast<int>(uFlags));
            DebugLine(line);
        }
        if (!MenuWantedForFlags(uFlags)) return nothingAdded;
        // Identifiers past the range belong to other handlers: rather no menu
        // than clashing commands.
        if (idCmdLast < idCmdFirst || idCmdLast - idCmdFirst < UINT(kMenuCommandCount - 1)) return nothingAdded;

        Medium medium;
        if (FAILED(GetSelection(dataObject_, medium))) return E_FAIL;
        SelectionFacts facts;
        for (const std::string& path : DropPaths(medium.Drop())) {
            SHFILEINFOA info{};
            SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ATTRIBUTES);
            AddSelectedItem(facts, path, (info.dwAttributes & SFGAO_FOLDER) != 0, SystemLeadByte);
        }
        medium.Release();
        const MenuStates states = EnabledStates(facts);

        InsertMenuA(hmenu, indexMenu, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
        ScopedMenu popup(CreatePopupMenu());
        if (!popup) return E_FAIL;
        UINT position = 0;
        for (const MenuEntry& entry : kMenuEntries) {
            if (entry.text == nullptr) {
                InsertMenuA(popup.Get(), position++, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
            } else {
                const UINT grayed = states.enabled[entry.command] ? 0 : MF_GRAYED;
                InsertMenuA(popup.Get(), position++, MF_BYPOSITION | MF_STRING | grayed,
                            idCmdFirst + entry.command, entry.text);
            }
        }
        if (!InsertMenuA(hmenu, indexMenu + 1, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Get()),
                         kPopupText))
            return E_FAIL;
        // The shell's menu frees the submenu with itself.
        popup.Release();
        InsertMenuA(hmenu, indexMenu + 2, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
        return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, kMenuCommandCount);
    } catch (...) {
        return comkit::ExceptionToHresult();
    }
}

STDMETHODIMP COmbrel::InvokeCommand(CMINVOKECOMMANDINFO* lpici) {
    DebugLine("COmbrel::InvokeCommand()\r\n");
    try {
        if (lpici == nullptr) return E_INVALIDARG;
        Medium medium;
        if (FAILED(GetSelection(dataObject_, medium))) return E_FAIL;
        // A verb given by name is none of ours.
        if (!IS_INTRESOURCE(lpici->lpVerb)) return S_OK;
        const MenuEntry* entry = EntryForCommand(LOWORD(reinterpret_cast<ULONG_PTR>(lpici->lpVerb)));
        if (entry == nullptr) return S_OK;
        if (GlobalSize(medium.Drop()) < sizeof(DROPFILES)) return E_FAIL;
        HGLOBAL copy = CopyDropList(medium.Drop());
        // The shell's medium goes back now; the library works on the copy.
        medium.Release();
        if (copy == nullptr) return E_OUTOFMEMORY;
        RunFunctionInDLL(entry->library, entry->exportName, static_cast<HDROP>(copy), entry->exportFreesList);
        return S_OK;
    } catch (...) {
        return comkit::ExceptionToHresult();
    }
}

STDMETHODIMP COmbrel::GetCommandString(UINT_PTR idCmd, UINT uType, UINT*, CHAR* pszName, UINT cchMax) {
    DebugLine("COmbrel::GetCommandString()\r\n");
    const char* help = idCmd < UINT_PTR(kMenuCommandCount) ? HelpTextForCommand(static_cast<unsigned>(idCmd)) : nullptr;
    if (help == nullptr) return S_OK;
    // A validation request asks only whether the command exists.
    if ((uType & ~GCS_UNICODE) == GCS_VALIDATEA) return S_OK;
    if (uType & GCS_UNICODE)
        CopyCut(help, reinterpret_cast<wchar_t*>(pszName), cchMax);
    else
        CopyCut(help, pszName, cchMax);
    return S_OK;
}

void COmbrel::RunFunctionInDLL(const char* library, const char* exportName, HDROP drop, bool exportFreesList) {
    ScopedGlobal list(drop);
    // Never by bare name: inside the shell the current folder is anybody's,
    // and a library planted there would run in the shell's process. The
    // altered search path also finds the archivers beside the library.
    const std::string path = ThisFolder() + library;
    ScopedModule tool(LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (tool.Get() == nullptr) return;
    const auto pFunc = reinterpret_cast<ToolExport>(reinterpret_cast<void*>(GetProcAddress(tool.Get(), exportName)));
    if (pFunc == nullptr) return;
    pFunc(static_cast<HDROP>(exportFreesList ? list.Release() : list.Get()));
}

}  // namespace norquil
