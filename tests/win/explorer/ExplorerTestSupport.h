// Helpers for calling the shell extensions as the shell would.
#pragma once
#include <windows.h>

#include "framework/core/ComPtr.h"
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <mutex>
#include <string>
#include <vector>

#include "framework/win32/ScopedHandle.h"
#include "framework/core/StrUtils.h"
#include "tests/win/support/TestSupport.h"

// The deliverables of the 64-bit build.
std::string DistFile(const std::string& name);
// A file of the test folder that holds a copy of the context-menu extension
// beside the recording stand-ins of the tool libraries.
std::string MenuFolderFile(const std::string& name);
// A file of tests/data.
std::string TestDataFile(const std::string& relative);

// A DLL loaded for the length of a test.
class Library {
public:
    explicit Library(const std::string& path);
    HMODULE Handle() const { return module_.Get(); }
    template <class F>
    F Proc(const char* name) const {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_.Get(), name)));
    }

    // The standard exports of an in-process server.
    HRESULT GetClassObject(const CLSID& clsid, const IID& iid, void** ppv) const;
    HRESULT CanUnloadNow() const;

private:
    ScopedModule module_;
};


// A new object of a server's class, asked for with iid through the factory.
template <class T>
HRESULT CreateFromLibrary(const Library& library, const CLSID& clsid, const IID& iid, ComPtr<T>& object) {
    ComPtr<IClassFactory> factory;
    const HRESULT hr = library.GetClassObject(clsid, IID_IClassFactory, factory.ReceiveVoid());
    if (FAILED(hr)) return hr;
    return factory->CreateInstance(nullptr, iid, object.ReceiveVoid());
}

// The launch bar's window as seen from outside: a hidden top-level window
// of class "Tolvex" on a thread of its own, recording every WM_HOOKNOTIFY.
// A hung bar stops pumping messages until Release().
class TolvexWindow {
public:
    struct Notice {
        WPARAM atom;
        LPARAM lParam;
        std::string name;  // the atom's name when the notice was handled
    };

    explicit TolvexWindow(bool hung = false);
    ~TolvexWindow();
    TolvexWindow(const TolvexWindow&) = delete;
    TolvexWindow& operator=(const TolvexWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    std::vector<Notice> Notices();
    // Lets a hung window pump again.
    void Release();

private:
    static DWORD WINAPI ThreadProc(void* self);
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void Run();

    bool hung_;
    HWND hwnd_ = nullptr;
    ScopedKernelObject thread_;
    ScopedKernelObject ready_;
    ScopedKernelObject release_;
    ScopedKernelObject stop_;
    std::mutex mutex_;
    std::vector<Notice> notices_;
};

// Runs a command line with a hidden window and waits; the exit code, or -1
// when it could not be started or did not end within the time-out.
int RunAndWait(const std::string& commandLine, DWORD timeoutMs = 60000);

// The Windows system folder with a trailing backslash.
std::string SystemFolder();

// Registry reads for the registration checks.
bool RegKeyExists(HKEY root, const std::string& path);
// The string value, or "<missing>" when the key or value does not exist.
std::string RegString(HKEY root, const std::string& path, const std::string& name = "");
void RegWriteString(HKEY root, const std::string& path, const std::string& name, const std::string& value);
void RegDeleteTree(HKEY root, const std::string& path);
void RegDeleteValueIfAny(HKEY root, const std::string& path, const std::string& name);

std::string GuidText(const GUID& guid);

// A data object that offers a list of paths as CF_HDROP in global memory,
// as the shell's does. Every GetData hands out a new block; the object
// counts how many of them were given back with ReleaseStgMedium.
class DropDataObject : public IDataObject {
public:
    enum class Freeing {
        kThroughObject,  // pUnkForRelease is this object's counter
        kGlobalFree,     // pUnkForRelease null: ReleaseStgMedium frees the block
    };
    DropDataObject(std::vector<std::string> paths, bool wide = true, Freeing freeing = Freeing::kThroughObject);
    virtual ~DropDataObject();

    // GetData fails (as for a selection without files).
    bool failGetData = false;
    int getDataCalls = 0;
    // Media handed out and not given back yet (kThroughObject only).
    int Outstanding() const { return handedOut_ - released_; }
    const std::vector<HGLOBAL>& Blocks() const { return blocks_; }
    ULONG RefCount() const { return static_cast<ULONG>(ref_); }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* format) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override;
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    // The IUnknown whose Release gives a medium back.
    struct Releaser : IUnknown {
        DropDataObject* owner;
        STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        STDMETHODIMP_(ULONG) AddRef() override { return 2; }
        STDMETHODIMP_(ULONG) Release() override {
            ++owner->released_;
            return 1;
        }
    };
    HGLOBAL MakeBlock() const;

    std::vector<std::string> paths_;
    bool wide_;
    Freeing freeing_;
    Releaser releaser_;
    LONG ref_ = 1;
    int handedOut_ = 0;
    int released_ = 0;
    std::vector<HGLOBAL> blocks_;
};

// The shell's own data object for files of one folder.
HRESULT ShellDataObject(const std::string& folder, const std::vector<std::string>& names, ComPtr<IDataObject>& object);

// Lines of the recording stand-ins' log: library, export, the stand-in's
// own path, the list handle and the listed files.
struct ToolCall {
    std::string library;
    std::string exportName;
    std::string modulePath;
    std::string handle;
    std::vector<std::string> files;
};
std::vector<ToolCall> ReadToolLog(const std::string& logPath);

// Collects what this process writes with OutputDebugStringA while it lives:
// the call raises a debug-print exception that a vectored handler can see.
class DebugCapture {
public:
    DebugCapture();
    ~DebugCapture();
    DebugCapture(const DebugCapture&) = delete;
    DebugCapture& operator=(const DebugCapture&) = delete;
    // What was written since the last call.
    std::string Take();

private:
    static LONG CALLBACK Handler(EXCEPTION_POINTERS* pointers);
    void* handler_;
};
