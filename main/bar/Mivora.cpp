// The program's entry: single instance, splash, registration of the shell
// extensions, the forms, and the message loop.
#include <windows.h>
#include <ole2.h>

#include <memory>
#include <string>
#include <vector>

#include "main/clock/AlarmCheck.h"
#include "main/bar/core/BarRules.h"
#include "main/clock/ClockOnBar.h"
#include "main/bar/Doctorfrm.h"
#include "framework/forms/Forms.h"
#include "main/bar/RegScript.h"
#include "framework/win32/ScopedHandle.h"
#include "framework/forms/SysUtils.h"
#include "main/bar/getexe.h"
#include "main/bar/mainfrm.h"
#include "main/bar/Optionfrm.h"
#include "main/bar/StartupTrace.h"

namespace bar {

namespace {

using TransparentBltFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

// The splash is drawn on the screen itself, without a window; white is transparent.
void DrawSplash(const BarPoint& at) {
    TBitmap picture;
    picture.SetSize(kSplashWidth, kSplashHeight);
    const std::string logo = ProgramFolder() + "logo.bmp";
    if (FileExists(logo)) {
        const ScopedBitmap bmp(
            static_cast<HBITMAP>(LoadImageA(nullptr, logo.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
        picture.CopyFrom(bmp.Get());
    }
    // Windows 95 has no msimg32: no splash there.
    const ScopedModule msimg(LoadLibraryA("msimg32.dll"));
    auto blt = msimg ? reinterpret_cast<TransparentBltFn>(GetProcAddress(msimg.Get(), "TransparentBlt")) : nullptr;
    if (blt) {
        const ScopedWindowDC screen(nullptr);
        blt(screen.Get(), at.x, at.y, kSplashWidth, kSplashHeight, picture.Canvas()->Handle(), 0, 0, kSplashWidth,
            kSplashHeight, RGB(255, 255, 255));
    }
}

// The registration commands, one after the other, each hidden and unchecked,
// started from the message loop: each start of a program holds the caller
// for a thirtieth of a second under Wine, so one command a timer tick leaves
// the bar answering in between. (WinExec on a thread of its own would wait
// for each program instead, but under Wine the stack of a thread that has
// ended stays in the process.) The timer runs on until regedit has read a
// copied script, which then goes.
std::unique_ptr<TRegScript> regScript;
std::vector<std::string> registrationCommands;
size_t nextRegistration = 0;
UINT_PTR registrationTimer = 0;

void StartNextRegistration() {
    if (nextRegistration >= registrationCommands.size()) return;
    const bool importing = nextRegistration == 0;
    std::string command = registrationCommands[nextRegistration++];
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    const ScopedKernelObject thread(pi.hThread);
    ScopedKernelObject process(pi.hProcess);
    // Only the import of the rewritten script is waited for, to remove it.
    if (importing && regScript) regScript->Importing(process.Release());
}

bool RegistrationDone() {
    return nextRegistration >= registrationCommands.size() && (!regScript || regScript->Finished());
}

VOID CALLBACK RegistrationTick(HWND, UINT, UINT_PTR, DWORD) {
    bool done = false;
    try {
        StartNextRegistration();
        done = RegistrationDone();
    } catch (...) {
        // Unchecked, as every registration command is.
        done = nextRegistration >= registrationCommands.size();
    }
    if (done && registrationTimer) {
        KillTimer(nullptr, registrationTimer);
        registrationTimer = 0;
    }
}

void StartRegistration(const std::string& programFolder) {
    regScript = std::make_unique<TRegScript>(programFolder, MIVORA_INSTALL_DIR);
    registrationCommands = RegistrationCommands(programFolder, regScript->Path());
    nextRegistration = 0;
    registrationTimer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, RegistrationTick);
    if (!registrationTimer)
        while (nextRegistration < registrationCommands.size()) StartNextRegistration();
}

// OLE and COM for the GUI thread, from before the forms until after they are
// gone: the shell objects the menus hold must be released while COM still runs.
struct OleSession {
    bool ok;
    OleSession() : ok(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (ok) OleUninitialize();
    }
};

}  // namespace

}  // namespace bar

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace bar;
    STARTUP_STEP("entry point");
    OleSession ole;
    STARTUP_STEP("OLE initialised");
    // One bar per desktop.
    if (FindWindowA(kBarWindowClass, nullptr)) return 0;
    // Splash.
    const BarPoint splash = SplashOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    DrawSplash(splash);
    STARTUP_STEP("splash drawn");
    // The application object.
    Application->Initialize();
    // Title, icon, forms; the bar is the main form.
    Application->SetTitle("Mivora");
    Application->Icon = LoadIconA(instance, "MAINICON");
    STARTUP_STEP("application initialised");
    // The world clock lives on the bar's panel; the bar makes it while it is created.
    worldclock::AttachClockToBar();
    BarExtensions.LoadToolbarBackground = LoadToolbarBackground;
    BarExtensions.ShowOptions = ShowOptions;
    BarExtensions.ShowAbout = [](TForm1*) { ShowAbout(); };
    BarExtensions.ShowSystemReport = [](TForm1* bar) { ShowSystemReport(bar->SysInfo1); };
    BarExtensions.ShowSoftwareSearch = RunSoftwareSearch;
    Application->CreateForm(Form1);
    STARTUP_STEP("bar form created");
    // The bar goes on screen as soon as it is made, painted at once: nothing
    // can reach it before the message loop runs, and the rest of the start
    // (the tray icon, the registration) is not for the
    // eye. The tray costs a round trip to the shell's process.
    if (Form1) {
        Form1->Show();
        RedrawWindow(Form1->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        STARTUP_STEP("bar shown");
        CallGuarded([] { Form1->FinishStart(); });
        STARTUP_STEP("start finished");
        Form1->TrayIcon1->SetActive(true);
        STARTUP_STEP("tray icon added");
    }
    // The clock's and the alarms' dialogs are made when first opened: the
    // alarm check and the time-change handling run without them.
    worldclock::ConnectAlarms();
    STARTUP_STEP("alarms connected");
    // Wipe the splash.
    RECT r{splash.x, splash.y, splash.x + kSplashWidth, splash.y + kSplashHeight};
    RedrawWindow(GetDesktopWindow(), &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    // The one-second tick.
    if (Form1) Form1->Timer1->SetEnabled(true);
    // Register the shell extensions at every start, hidden, unchecked. Each
    // start of a program keeps Wine's server busy: not while the bar is made.
    StartRegistration(ProgramFolder());
    STARTUP_STEP("message loop");
    // The message loop until the bar closes.
    Application->Run();
    Application->DestroyForms();
    regScript.reset();
    return 0;
}
