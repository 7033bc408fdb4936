// A small kit for in-process COM servers: reference-counted objects that
// answer a fixed list of interfaces, class factories that also write their
// registration keys, and the four entry points a server DLL exports.
//
// A server defines its classes, creates one factory object per class at
// load time (a static object), and forwards its exports to the Server*
// functions below. No C++ exception leaves any method here: each entry
// point catches and answers with an HRESULT.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <new>
#include <string>

namespace comkit {

// Live objects and outstanding server locks of this module. The server can
// be unloaded when both are 0.
void ObjectCreated();
void ObjectDestroyed();
void LockModule();
void UnlockModule();
bool ModuleInUse();

// Maps a C++ exception to an HRESULT at a COM boundary: E_OUTOFMEMORY for a
// failed allocation, E_FAIL for anything else.
HRESULT ExceptionToHresult() noexcept;

// Which interface identifiers a C++ interface type answers to. Extend by
// specialising for further interfaces.
template <class I>
struct InterfaceTraits;

#define COMKIT_INTERFACE(I, ...)                                                       \
    template <>                                                                        \
    struct InterfaceTraits<I> {                                                        \
        static bool Matches(REFIID riid) {                                             \
            for (const IID* id : {&IID_##I, ##__VA_ARGS__})                            \
                if (IsEqualIID(riid, *id)) return true;                                \
            return false;                                                              \
        }                                                                              \
    }

COMKIT_INTERFACE(IQueryInfo);
COMKIT_INTERFACE(IPersistFile, &IID_IPersist);
COMKIT_INTERFACE(ICopyHookA);
COMKIT_INTERFACE(IShellExtInit);
COMKIT_INTERFACE(IContextMenu);

// The common part of every object: its reference count and its share of
// the module's object count.
class TComObjectBase {
public:
    TComObjectBase() { ObjectCreated(); }
    virtual ~TComObjectBase() { ObjectDestroyed(); }
    TComObjectBase(const TComObjectBase&) = delete;
    TComObjectBase& operator=(const TComObjectBase&) = delete;

protected:
    ULONG DoAddRef() { return static_cast<ULONG>(InterlockedIncrement(&refCount_)); }
    ULONG DoRelease() {
        const LONG count = InterlockedDecrement(&refCount_);
        if (count == 0) delete this;
        return static_cast<ULONG>(count);
    }

private:
    LONG refCount_ = 0;
};

// An object implementing Interfaces...; IUnknown is answered with the first.
// Derived classes implement the interfaces' own methods.
template <class... Interfaces>
class TComObject : public Interfaces..., public TComObjectBase {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr) return E_POINTER;
        *ppv = nullptr;
        if (IsEqualIID(riid, IID_IUnknown)) {
            *ppv = static_cast<First<Interfaces...>*>(this);
        } else {
            // The interface table: the first listed type that answers riid.
            ((*ppv == nullptr && InterfaceTraits<Interfaces>::Matches(riid)
                  ? (*ppv = static_cast<Interfaces*>(this), true)
                  : false),
             ...);
        }
        if (*ppv == nullptr) return E_NOINTERFACE;
        DoAddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return DoAddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return DoRelease(); }

    IUnknown* Unknown() { return static_cast<First<Interfaces...>*>(this); }

private:
    template <class F, class...>
    struct FirstOf {
        using type = F;
    };
    template <class... Is>
    using First = typename FirstOf<Is...>::type;
};

// A class factory that lives as long as the module (one static object per
// class). Its references count as server locks while a client holds it.
class TComObjectFactory : public IClassFactory {
public:
    using CreateFunction = IUnknown* (*)();

    // description: the class key's default value. threadingModel: the value
    // of "ThreadingModel" ("Apartment"). No program identifier is registered.
    TComObjectFactory(const CLSID& classId, std::string description, std::string threadingModel,
                      CreateFunction create);
    virtual ~TComObjectFactory();
    TComObjectFactory(const TComObjectFactory&) = delete;
    TComObjectFactory& operator=(const TComObjectFactory&) = delete;

    const CLSID& ClassId() const { return classId_; }
    const std::string& Description() const { return description_; }
    std::string ClassIdText() const;

    // Writes (Register) or removes the class keys: "CLSID\<class>" under
    // HKEY_CLASSES_ROOT with the description, and its InprocServer32 subkey
    // with the server's path and threading model. Raises EOleRegistrationError when a
    // key cannot be written. Derived factories add their own keys.
    virtual void UpdateRegistry(bool Register);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    CLSID classId_;
    std::string description_;
    std::string threadingModel_;
    CreateFunction create_;
    LONG refCount_ = 0;
};

// Creates a T for a factory (its reference count still 0).
template <class T>
IUnknown* CreateComObject() {
    return (new T)->Unknown();
}

// The bodies of the four standard exports.
HRESULT ServerGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) noexcept;
HRESULT ServerCanUnloadNow() noexcept;
HRESULT ServerRegister() noexcept;
HRESULT ServerUnregister() noexcept;

}  // namespace comkit
