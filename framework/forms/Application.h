// The application object: the GUI thread's message loop, the hidden
// application window, the error report and the service behind TThread::Synchronize.
#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "framework/win32/CallGuarded.h"
#include "framework/forms/Component.h"
#include "framework/core/Exceptions.h"

using TExceptionEvent = std::function<void(TObject* Sender, const Exception& E)>;

class TForm;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    // The hidden top-level window; created on first use so that merely loading
    // a library that links this layer creates no window.
    HWND Handle();
    std::string Title;
    HICON Icon = nullptr;

    void Run();
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return terminated_; }

    // Where every error caught at a callback boundary (CallGuarded) goes. Without
    // a handler it is shown in a message box; tests set OnException to collect reports.
    TExceptionEvent OnException;
    void HandleException(TObject* Sender, const std::exception& E);
    void ShowException(const Exception& E);

    // Runs `call` on the GUI thread and waits for it. The call is served by every
    // message loop of the GUI thread (Run, ProcessMessages, modal loops), because
    // it arrives as a message for the hidden window. Called on the GUI thread it
    // runs at once. Errors inside are reported on the GUI thread.
    void Synchronize(const std::function<void()>& call);
    // Runs pending synchronised calls; normally reached through the hidden window.
    void CheckSynchronize();

    // Forms. The first form made by CreateForm becomes the main form; closing
    // the main form ends the message loop. CreateForm is defined in Forms.h.
    void Initialize();
    template <class T>
    void CreateForm(T*& Reference);
    TForm* MainForm() const { return mainForm_; }
    void SetMainForm(TForm* form);
    // Frees every form the application owns, last made first.
    void DestroyForms();
    void SetTitle(const std::string& value);
    // Raised when the program as a whole gains or loses the activation.
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    bool Active() const { return appActive_; }
    void Activated(bool active);
    // Tool tips of every form, on or off.
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    std::string ExeName() const;

private:
    static LRESULT CALLBACK AppWndProc(HWND, UINT, WPARAM, LPARAM);
    struct SyncCall;
    HWND handle_ = nullptr;
    DWORD mainThread_;
    bool terminated_ = false;
    CRITICAL_SECTION lock_;
    std::deque<SyncCall*> pending_;
    bool closing_ = false;
    TForm* mainForm_ = nullptr;
    bool appActive_ = false;
    bool showHint_ = true;
    ReportSink previousSink_;
};

extern TApplication* Application;
