// The context-menu extension: the pop-up "Mivora accelerator" in the shell's
// menu of selected files and folders, whose commands hand the selection to
// the split-and-join and archive libraries.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

namespace norquil {

// {18D67740-19C0-11D3-9F2F-0040052ECF0B}
extern const CLSID CLSID_Ombrel;

extern HINSTANCE g_hmodThisDll;
// Live objects of both classes; the server can go when it is 0.
extern LONG g_cRefThisDll;

// Writes a line for a debugger watching the shell.
void DebugLine(const char* text);

class COmbrelClassFactory : public IClassFactory {
public:
    COmbrelClassFactory();
    virtual ~COmbrelClassFactory();

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    LONG refs_ = 0;
};

class COmbrel : public IContextMenu, public IShellExtInit {
public:
    COmbrel();
    virtual ~COmbrel();

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP QueryContextMenu(HMENU hmenu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast,
                                  UINT uFlags) override;
    STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* lpici) override;
    STDMETHODIMP GetCommandString(UINT_PTR idCmd, UINT uType, UINT* pReserved, CHAR* pszName,
                                  UINT cchMax) override;

    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE pidlFolder, IDataObject* pDataObj, HKEY hkeyProgID) override;

private:
    // Calls the export of the library beside this one with the list, which
    // this call owns. exportFreesList: the export releases the list itself.
    void RunFunctionInDLL(const char* library, const char* exportName, HDROP drop, bool exportFreesList);

    LONG refs_ = 0;
    IDataObject* dataObject_ = nullptr;
};

}  // namespace norquil
