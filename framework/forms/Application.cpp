#include "framework/forms/Application.h"

#include <commctrl.h>

#include <cstdio>

#include "framework/forms/Forms.h"
#include "framework/win32/ModelessDialogs.h"
#include "framework/win32/ModulePath.h"
#include "framework/win32/ScopedHandle.h"

namespace {
const UINT WM_SYNCHRONIZE = WM_APP + 0x3E0;
const char kAppWindowClass[] = "TMivoraApplication";
TApplication theApplication;

void InitControls() {
    static bool done = false;
    if (done) return;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    if (!InitCommonControlsEx(&icc)) InitCommonControls();
    done = true;
}
}  // namespace

TApplication* Application = &theApplication;

struct TApplication::SyncCall {
    std::function<void()> call;
    HANDLE done;
};

TApplication::TApplication() : TComponent(nullptr), mainThread_(GetCurrentThreadId()) {
    InitializeCriticalSection(&lock_);
    previousSink_ = SetReportSink([this](const std::string& message) { HandleException(nullptr, Exception(message)); });
}

TApplication::~TApplication() {
    // Workers still waiting for a synchronised call are let go without it: the
    // objects the call would touch are going away with the program.
    EnterCriticalSection(&lock_);
    closing_ = true;
    for (SyncCall* c : pending_) SetEvent(c->done);
    pending_.clear();
    LeaveCriticalSection(&lock_);
    if (handle_) DestroyWindow(handle_);
    DeleteCriticalSection(&lock_);
    SetReportSink(std::move(previousSink_));
}

HWND TApplication::Handle() {
    if (handle_) return handle_;
    WNDCLASSA wc{};
    wc.lpfnWndProc = AppWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kAppWindowClass;
    RegisterClassA(&wc);
    // A real top-level window, never shown: owner of menus and dialogs, and the
    // window brought to the foreground before a tray menu opens.
    handle_ = CreateWindowExA(WS_EX_TOOLWINDOW, kAppWindowClass, Title.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, wc.hInstance, nullptr);
    return handle_;
}

LRESULT CALLBACK TApplication::AppWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SYNCHRONIZE) {
        Application->CheckSynchronize();
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

void TApplication::Run() {
    MSG msg;
    while (!terminated_) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (!msg.hwnd && msg.message == WM_SYNCHRONIZE) {
            CheckSynchronize();
            continue;
        }
        if (RouteToModelessDialog(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    terminated_ = true;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!msg.hwnd && msg.message == WM_SYNCHRONIZE) continue;
        if (RouteToModelessDialog(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    CheckSynchronize();
}

void TApplication::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

void TApplication::HandleException(TObject* Sender, const std::exception& E) {
    const auto* own = dynamic_cast<const Exception*>(&E);
    const Exception copy = own ? *own : Exception(E.what());
    try {
        if (OnException)
            OnException(Sender, copy);
        else
            ShowException(copy);
    } catch (...) {
        // The report itself failed; there is nowhere left to send it.
    }
}

void TApplication::ShowException(const Exception& E) {
    std::string text = E.Message();
    if (!text.empty() && text.back() != '.') text += '.';
    MessageBoxA(handle_, text.c_str(), Title.empty() ? "Error" : Title.c_str(), MB_OK | MB_ICONSTOP);
}

void TApplication::Synchronize(const std::function<void()>& call) {
    if (GetCurrentThreadId() == mainThread_) {
        CallGuarded(call);
        return;
    }
    const ScopedKernelObject done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    SyncCall c{call, done.Get()};
    if (!c.done) return;
    EnterCriticalSection(&lock_);
    const bool accepted = !closing_;
    if (accepted) pending_.push_back(&c);
    LeaveCriticalSection(&lock_);
    if (accepted) {
        // Never create the hidden window here: it would belong to this worker.
        if (handle_)
            PostMessageA(handle_, WM_SYNCHRONIZE, 0, 0);
        else
            PostThreadMessageA(mainThread_, WM_SYNCHRONIZE, 0, 0);
        WaitForSingleObject(c.done, INFINITE);
    }
}

void TApplication::CheckSynchronize() {
    if (GetCurrentThreadId() != mainThread_) return;
    for (;;) {
        EnterCriticalSection(&lock_);
        SyncCall* c = nullptr;
        if (!pending_.empty()) {
            c = pending_.front();
            pending_.pop_front();
        }
        LeaveCriticalSection(&lock_);
        if (!c) return;
        CallGuarded(c->call);
        SetEvent(c->done);
    }
}

void TApplication::Initialize() { InitControls(); }

void TApplication::SetMainForm(TForm* form) {
    if (!mainForm_ || !form) mainForm_ = form;
}

void TApplication::DestroyForms() {
    for (int i = ComponentCount() - 1; i >= 0; --i) {
        if (i >= ComponentCount()) continue;
        if (auto* form = dynamic_cast<TForm*>(Components(i))) {
            if (form == mainForm_) mainForm_ = nullptr;
            delete form;
        }
    }
}

void TApplication::SetTitle(const std::string& value) {
    Title = value;
    if (handle_) SetWindowTextA(handle_, Title.c_str());
}

void TApplication::Activated(bool active) {
    if (active == appActive_) return;
    appActive_ = active;
    TNotifyEvent event = active ? OnActivate : OnDeactivate;
    if (event) event(this);
}

void TApplication::SetShowHint(bool value) {
    showHint_ = value;
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (HWND tip = Screen->Forms(i)->TooltipWindow()) SendMessageA(tip, TTM_ACTIVATE, value, 0);
}

std::string TApplication::ExeName() const { return ModulePath(nullptr); }
