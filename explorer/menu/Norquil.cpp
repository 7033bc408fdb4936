// Entry points of the context-menu server. It registers nothing itself: the
// registry script that the main program imports registers the class.
#include <new>

#include "explorer/menu/Ombrel.h"

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH) {
        DebugLine("In DLLMain, DLL_PROCESS_ATTACH\r\n");
        g_hmodThisDll = hInstance;
    } else if (dwReason == DLL_PROCESS_DETACH) {
        DebugLine("In DLLMain, DLL_PROCESS_DETACH\r\n");
    }
    return TRUE;
}

STDAPI DllCanUnloadNow() {
    DebugLine("In DLLCanUnloadNow\r\n");
    return InterlockedCompareExchange(&g_cRefThisDll, 0, 0) == 0 ? S_OK : S_FALSE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    DebugLine("In DllGetClassObject\r\n");
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(rclsid, CLSID_Ombrel)) return CLASS_E_CLASSNOTAVAILABLE;
    COmbrelClassFactory* factory = new (std::nothrow) COmbrelClassFactory;
    if (factory == nullptr) return E_OUTOFMEMORY;
    // Held while asking, so that a refused interface frees the factory.
    factory->AddRef();
    const HRESULT hr = factory->QueryInterface(riid, ppv);
    factory->Release();
    return hr;
}
