// Entry points of the context-menu server. It registers nothing itself: the
// registry script that the main program imports registers the class.
#include <new>

#include "explorer/menu/Ombrel.h"

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH) {
        norquil::DebugLine("In DLLMain, DLL_PROCESS_ATTACH\r\n");
        norquil::g_hmodThisDll = hInstance;
    } else if (dwReason == DLL_PROCESS_DETACH) {
        norquil::DebugLine("In DLLMain, DLL_PROCESS_DETACH\r\n");
    }
    return TRUE;
}

STDAPI DllCanUnloadNow() {
    norquil::DebugLine("In DLLCanUnloadNow\r\n");
    return InterlockedCompareExchange(&norquil::g_cRefThisDll, 0, 0) == 0 ? S_OK : S_FALSE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    norquil::DebugLine("In DllGetClassObject\r\n");
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(rclsid, norquil::CLSID_Ombrel)) return CLASS_E_CLASSNOTAVAILABLE;
    norquil::COmbrelClassFactory* factory = new (std::nothrow) norquil::COmbrelClassFactory;
    if (factory == nullptr) return E_OUTOFMEMORY;
    // Held while asking, so that a refused interface frees the factory.
    factory->AddRef();
    const HRESULT hr = factory->QueryInterface(riid, ppv);
    factory->Release();
    return hr;
}
