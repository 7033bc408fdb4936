// The program's entry: single instance, splash, registration of the shell
// extensions, the forms, and the message loop.
#include <windows.h>
#include <ole2.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "AddCity.h"
#include "BarRules.h"
#include "ClockPanel.h"
#include "Forms.h"
#include "SysUtils.h"
#include "TimeChangeClock.h"
#include "mainfrm.h"

namespace {

using TransparentBltFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

// The splash is drawn on the screen itself, without a window; white is transparent.
void DrawSplash(const BarPoint& at) {
    TBitmap picture;
    picture.SetSize(kSplashWidth, kSplashHeight);
    const std::string logo = ProgramFolder() + "logo.bmp";
    if (FileExists(logo)) {
        if (auto bmp = static_cast<HBITMAP>(LoadImageA(nullptr, logo.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE))) {
            HDC src = CreateCompatibleDC(nullptr);
            HGDIOBJ old = SelectObject(src, bmp);
            BitBlt(picture.Canvas()->Handle(), 0, 0, kSplashWidth, kSplashHeight, src, 0, 0, SRCCOPY);
            SelectObject(src, old);
            DeleteDC(src);
            DeleteObject(bmp);
        }
    }
    // Windows 95 has no msimg32: no splash there.
    HMODULE msimg = LoadLibraryA("msimg32.dll");
    auto blt = msimg ? reinterpret_cast<TransparentBltFn>(GetProcAddress(msimg, "TransparentBlt")) : nullptr;
    if (blt) {
        HDC screen = GetDC(nullptr);
        blt(screen, at.x, at.y, kSplashWidth, kSplashHeight, picture.Canvas()->Handle(), 0, 0, kSplashWidth,
            kSplashHeight, RGB(255, 255, 255));
        ReleaseDC(nullptr, screen);
    }
    if (msimg) FreeLibrary(msimg);
}

// The registration commands, one after the other, each hidden and unchecked.
// WinExec waits until the started program is idle (a fifth of a second for
// each under Wine); on a thread of their own that wait doesn't hold up the bar.
DWORD WINAPI RunRegistration(LPVOID param) {
    std::unique_ptr<std::vector<std::string>> commands(static_cast<std::vector<std::string>*>(param));
    for (const std::string& command : *commands) WinExec(command.c_str(), SW_HIDE);
    return 0;
}

void StartRegistration(const std::string& programFolder) {
    auto* commands = new (std::nothrow) std::vector<std::string>(RegistrationCommands(programFolder));
    if (!commands) return;
    HANDLE thread = CreateThread(nullptr, 0, RunRegistration, commands, 0, nullptr);
    if (thread)
        CloseHandle(thread);
    else
        RunRegistration(commands);
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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    OleSession ole;
    // One bar per desktop.
    if (FindWindowA(kBarWindowClass, nullptr)) return 0;
    // Splash.
    const BarPoint splash = SplashOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    DrawSplash(splash);
    // The application object.
    Application->Initialize();
    // Register the shell extensions at every start, hidden, unchecked.
    StartRegistration(ProgramFolder());
    // Title, icon, forms; the bar is the main form.
    Application->SetTitle("Mivora");
    Application->Icon = LoadIconA(instance, "MAINICON");
    // The world clock lives on the bar's panel; the bar calls it while it is created.
    BarExtensions.BuildZoneMenu = [](TForm1* bar) {
        TClockHost host;
        host.Bar = bar;
        host.Qtime = bar->Qtime;
        host.ZoneHint = bar->ZoneHint;
        host.OpenMenuKind = &OpenMenuKind;
        host.TipHandle = &TipHandle;
        AttachClockPanel(host);
        BuildZoneMenu();
    };
    BarExtensions.SaveZoneSelection = [](TForm1*) { SaveZoneSelection(); };
    BarExtensions.ClockTick = [](TForm1*) { ClockTick(); };
    Application->CreateForm(Form1);
    Application->CreateForm(SetTimerForm);
    Application->CreateForm(AddCityForm);
    // Wipe the splash.
    RECT r{splash.x, splash.y, splash.x + kSplashWidth, splash.y + kSplashHeight};
    RedrawWindow(GetDesktopWindow(), &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    // The one-second tick, then the message loop until the bar closes.
    if (Form1) {
        Form1->Timer1->SetEnabled(true);
        Form1->Show();
    }
    Application->Run();
    Application->DestroyForms();
    return 0;
}
