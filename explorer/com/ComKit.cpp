#include "explorer/com/ComKit.h"

#include <algorithm>
#include <vector>

#include <olectl.h>

#include "explorer/com/ComRegistry.h"

namespace comkit {

namespace {

LONG g_objects = 0;
LONG g_locks = 0;

// The factories of this module, in the order they were created. Kept in a
// function so that factories created during static initialisation find it.
std::vector<TComObjectFactory*>& Factories() {
    static std::vector<TComObjectFactory*> factories;
    return factories;
}

}  // namespace

void ObjectCreated() { InterlockedIncrement(&g_objects); }
void ObjectDestroyed() { InterlockedDecrement(&g_objects); }
void LockModule() { InterlockedIncrement(&g_locks); }
void UnlockModule() { InterlockedDecrement(&g_locks); }
bool ModuleInUse() { return InterlockedCompareExchange(&g_objects, 0, 0) != 0 || InterlockedCompareExchange(&g_locks, 0, 0) != 0; }

HRESULT ExceptionToHresult() noexcept {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

TComObjectFactory::TComObjectFactory(const CLSID& classId, std::string description, std::string threadingModel,
                                     CreateFunction create)
    : classId_(classId), description_(std::move(description)), threadingModel_(std::move(threadingModel)),
      create_(create) {
    Factories().push_back(this);
}

TComObjectFactory::~TComObjectFactory() {
    auto& factories = Factories();
    factories.erase(std::remove(factories.begin(), factories.end(), this), factories.end());
}

std::string TComObjectFactory::ClassIdText() const { return GuidToString(classId_); }

void TComObjectFactory::UpdateRegistry(bool Register) {
    const std::string classKey = "CLSID\\" + ClassIdText();
    if (Register) {
        CreateRegKey(HKEY_CLASSES_ROOT, classKey, "", description_);
        const std::string serverKey = classKey + "\\InprocServer32";
        CreateRegKey(HKEY_CLASSES_ROOT, serverKey, "", RegistrationPath(ThisModule()));
        CreateRegKey(HKEY_CLASSES_ROOT, serverKey, "ThreadingModel", threadingModel_);
    } else {
        DeleteRegKeyTree(HKEY_CLASSES_ROOT, classKey);
    }
}

STDMETHODIMP TComObjectFactory::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

// The factory itself is never deleted; a client's references keep the
// module loaded instead.
STDMETHODIMP_(ULONG) TComObjectFactory::AddRef() {
    LockModule();
    return static_cast<ULONG>(InterlockedIncrement(&refCount_));
}

STDMETHODIMP_(ULONG) TComObjectFactory::Release() {
    UnlockModule();
    return static_cast<ULONG>(InterlockedDecrement(&refCount_));
}

STDMETHODIMP TComObjectFactory::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    try {
        IUnknown* object = create_();
        // Hold the object while asking, so that a refused interface frees it.
        object->AddRef();
        const HRESULT hr = object->QueryInterface(riid, ppv);
        object->Release();
        return hr;
    } catch (...) {
        return ExceptionToHresult();
    }
}

STDMETHODIMP TComObjectFactory::LockServer(BOOL lock) {
    if (lock)
        LockModule();
    else
        UnlockModule();
    return S_OK;
}

HRESULT ServerGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) noexcept {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    for (TComObjectFactory* factory : Factories())
        if (IsEqualCLSID(rclsid, factory->ClassId())) return factory->QueryInterface(riid, ppv);
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT ServerCanUnloadNow() noexcept { return ModuleInUse() ? S_FALSE : S_OK; }

HRESULT ServerRegister() noexcept {
    try {
        for (TComObjectFactory* factory : Factories()) factory->UpdateRegistry(true);
        return S_OK;
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

HRESULT ServerUnregister() noexcept {
    try {
        for (TComObjectFactory* factory : Factories()) factory->UpdateRegistry(false);
        return S_OK;
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

}  // namespace comkit
