#include "tests/win/explorer/ExplorerTestSupport.h"

#include <stdexcept>

#include "framework/win32/RegKey.h"
#include "framework/win32/WideText.h"

namespace {

const UINT kHookNotify = WM_USER + 66;
const char kTolvex[] = "Tolvex";

}  // namespace

std::string DistFile(const std::string& name) {
    std::string dir = MIVORA_DIST_DIR;
    // The build passes a host path; under Wine it is reachable through Z:.
    if (!dir.empty() && dir[0] == '/') dir = "Z:" + dir;
    for (char& c : dir)
        if (c == '/') c = '\\';
    return dir + "\\" + name;
}

std::string MenuFolderFile(const std::string& name) {
    std::string dir = EXPLORER_MENU_DIR;
    if (!dir.empty() && dir[0] == '/') dir = "Z:" + dir;
    for (char& ch : dir)
        if (ch == '/') ch = '\\';
    return dir + "\\" + name;
}

std::string TestDataFile(const std::string& relative) {
    std::string path = std::string(MIVORA_TEST_DATA) + "/" + relative;
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

Library::Library(const std::string& path) : module_(LoadLibraryA(path.c_str())) {
    if (!module_) throw std::runtime_error("cannot load " + path + ", error " + std::to_string(GetLastError()));
}

HRESULT Library::GetClassObject(const CLSID& clsid, const IID& iid, void** ppv) const {
    auto get = Proc<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>("DllGetClassObject");
    if (get == nullptr) throw std::runtime_error("no DllGetClassObject");
    return get(clsid, iid, ppv);
}

HRESULT Library::CanUnloadNow() const {
    auto can = Proc<HRESULT(WINAPI*)()>("DllCanUnloadNow");
    if (can == nullptr) throw std::runtime_error("no DllCanUnloadNow");
    return can();
}

TolvexWindow::TolvexWindow(bool hung) : hung_(hung) {
    ready_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    release_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    stop_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    thread_.Reset(CreateThread(nullptr, 0, ThreadProc, this, 0, nullptr));
    if (!thread_ || WaitForSingleObject(ready_.Get(), 10000) != WAIT_OBJECT_0 || hwnd_ == nullptr)
        throw std::runtime_error("no Tolvex window");
}

TolvexWindow::~TolvexWindow() {
    SetEvent(release_.Get());
    SetEvent(stop_.Get());
    WaitForSingleObject(thread_.Get(), 10000);
}

std::vector<TolvexWindow::Notice> TolvexWindow::Notices() {
    std::lock_guard<std::mutex> lock(mutex_);
    return notices_;
}

void TolvexWindow::Release() { SetEvent(release_.Get()); }

DWORD WINAPI TolvexWindow::ThreadProc(void* self) {
    static_cast<TolvexWindow*>(self)->Run();
    return 0;
}

LRESULT CALLBACK TolvexWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kHookNotify) {
        auto* self = reinterpret_cast<TolvexWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        char name[512] = "";
        if (wp != 0) GlobalGetAtomNameA(static_cast<ATOM>(wp), name, sizeof name);
        std::lock_guard<std::mutex> lock(self->mutex_);
        self->notices_.push_back({wp, lp, name});
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

void TolvexWindow::Run() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kTolvex;
    RegisterClassA(&wc);  // already registered by an earlier window: fine
    hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, kTolvex, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            wc.hInstance, nullptr);
    if (hwnd_ != nullptr) SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetEvent(ready_.Get());
    if (hwnd_ == nullptr) return;
    if (hung_) WaitForSingleObject(release_.Get(), INFINITE);
    HANDLE stop = stop_.Get();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        if (MsgWaitForMultipleObjects(1, &stop, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0) break;
    }
    // Handle what was sent while stopping, then go.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    DestroyWindow(hwnd_);
}

int RunAndWait(const std::string& commandLine, DWORD timeoutMs) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

std::string SystemFolder() {
    char dir[MAX_PATH + 1] = "";
    GetSystemDirectoryA(dir, sizeof dir);
    return std::string(dir) + "\\";
}

bool RegKeyExists(HKEY root, const std::string& path) { return RegKey().Open(root, path); }

std::string RegString(HKEY root, const std::string& path, const std::string& name) {
    RegKey key;
    std::string value;
    return key.Open(root, path) && key.ReadString(name, value) ? value : "<missing>";
}

void RegWriteString(HKEY root, const std::string& path, const std::string& name, const std::string& value) {
    RegKey key;
    if (!key.Create(root, path, KEY_WRITE)) throw std::runtime_error("cannot create " + path);
    key.WriteString(name, value);
}

void RegDeleteTree(HKEY root, const std::string& path) {
    {
        RegKey key;
        if (!key.Open(root, path, KEY_ALL_ACCESS)) return;
        for (const std::string& name : key.SubkeyNames()) RegDeleteTree(key.Get(), name);
    }
    RegDeleteKeyA(root, path.c_str());
}

void RegDeleteValueIfAny(HKEY root, const std::string& path, const std::string& name) {
    RegKey key;
    if (key.Open(root, path, KEY_WRITE)) key.DeleteValue(name);
}

std::string GuidText(const GUID& guid) {
    wchar_t wide[64];
    StringFromGUID2(guid, wide, 64);
    return AnsiFromWide(wide);
}

DropDataObject::DropDataObject(std::vector<std::string> paths, bool wide, Freeing freeing)
    : paths_(std::move(paths)), wide_(wide), freeing_(freeing) {
    releaser_.owner = this;
}

DropDataObject::~DropDataObject() {
    if (freeing_ == Freeing::kThroughObject)
        for (HGLOBAL block : blocks_) GlobalFree(block);
}

STDMETHODIMP DropDataObject::QueryInterface(REFIID riid, void** ppv) {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
        *ppv = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

// Lives on the test's stack: the count is only watched, never acted on.
STDMETHODIMP_(ULONG) DropDataObject::AddRef() { return static_cast<ULONG>(++ref_); }
STDMETHODIMP_(ULONG) DropDataObject::Release() { return static_cast<ULONG>(--ref_); }

HGLOBAL DropDataObject::MakeBlock() const {
    std::vector<char> names;
    for (const std::string& path : paths_) {
        if (wide_) {
            const std::wstring w = WideFromAnsi(path);
            const char* bytes = reinterpret_cast<const char*>(w.c_str());
            names.insert(names.end(), bytes, bytes + (w.size() + 1) * sizeof(wchar_t));
        } else {
            names.insert(names.end(), path.c_str(), path.c_str() + path.size() + 1);
        }
    }
    names.insert(names.end(), wide_ ? 2 : 1, '\0');
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = wide_;
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(block);
    return block;
}

STDMETHODIMP DropDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    ++getDataCalls;
    if (failGetData) return DV_E_FORMATETC;
    if (format->cfFormat != CF_HDROP || !(format->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = MakeBlock();
    blocks_.push_back(medium->hGlobal);
    ++handedOut_;
    medium->pUnkForRelease = freeing_ == Freeing::kThroughObject ? &releaser_ : nullptr;
    if (medium->pUnkForRelease != nullptr) releaser_.AddRef();
    return S_OK;
}

STDMETHODIMP DropDataObject::QueryGetData(FORMATETC* format) {
    return !failGetData && format->cfFormat == CF_HDROP ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP DropDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    out->ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT ShellDataObject(const std::string& folder, const std::vector<std::string>& names, ComPtr<IDataObject>& object) {
    ComPtr<IShellFolder> desktop;
    HRESULT hr = SHGetDesktopFolder(reinterpret_cast<IShellFolder**>(desktop.ReceiveVoid()));
    if (FAILED(hr)) return hr;
    std::wstring folderW = WideFromAnsi(folder);
    LPITEMIDLIST folderId = nullptr;
    hr = desktop->ParseDisplayName(nullptr, nullptr, &folderW[0], nullptr, &folderId, nullptr);
    if (FAILED(hr)) return hr;
    ComPtr<IShellFolder> parent;
    hr = desktop->BindToObject(folderId, nullptr, IID_IShellFolder, parent.ReceiveVoid());
    CoTaskMemFree(folderId);
    if (FAILED(hr)) return hr;
    std::vector<LPITEMIDLIST> children;
    for (const std::string& name : names) {
        std::wstring nameW = WideFromAnsi(name);
        LPITEMIDLIST child = nullptr;
        hr = parent->ParseDisplayName(nullptr, nullptr, &nameW[0], nullptr, &child, nullptr);
        if (FAILED(hr)) break;
        children.push_back(child);
    }
    if (SUCCEEDED(hr))
        hr = parent->GetUIObjectOf(nullptr, static_cast<UINT>(children.size()),
                                   const_cast<LPCITEMIDLIST*>(children.data()), IID_IDataObject, nullptr,
                                   object.ReceiveVoid());
    for (LPITEMIDLIST child : children) CoTaskMemFree(child);
    return hr;
}

std::vector<ToolCall> ReadToolLog(const std::string& logPath) {
    std::vector<ToolCall> calls;
    const std::string text = ReadFileBytes(logPath);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::vector<std::string> fields;
        std::size_t at = start;
        for (;;) {
            const std::size_t tab = text.find('\t', at);
            if (tab == std::string::npos || tab > end) {
                fields.push_back(text.substr(at, end - at));
                break;
            }
            fields.push_back(text.substr(at, tab - at));
            at = tab + 1;
        }
        if (fields.size() >= 4) {
            ToolCall call{fields[0], fields[1], fields[2], fields[3], {}};
            call.files.assign(fields.begin() + 4, fields.end());
            calls.push_back(call);
        }
        start = end + 1;
    }
    return calls;
}

namespace {
std::mutex g_debugMutex;
std::string g_debugText;
}  // namespace

DebugCapture::DebugCapture() : handler_(AddVectoredExceptionHandler(1, Handler)) { Take(); }

DebugCapture::~DebugCapture() { RemoveVectoredExceptionHandler(handler_); }

std::string DebugCapture::Take() {
    std::lock_guard<std::mutex> lock(g_debugMutex);
    std::string text;
    text.swap(g_debugText);
    return text;
}

LONG CALLBACK DebugCapture::Handler(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
    if (record->ExceptionCode != DBG_PRINTEXCEPTION_C || record->NumberParameters < 2) return EXCEPTION_CONTINUE_SEARCH;
    const auto length = static_cast<std::size_t>(record->ExceptionInformation[0]);
    const auto* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
    std::lock_guard<std::mutex> lock(g_debugMutex);
    if (text != nullptr && length > 0) g_debugText.append(text, length - 1);
    return EXCEPTION_CONTINUE_EXECUTION;
}
