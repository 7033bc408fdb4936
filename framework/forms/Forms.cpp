#include "framework/forms/Forms.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace {
const UINT CM_RELEASE = WM_APP + 0x3E1;
const char kFormClass[] = "TMivoraForm";
}  // namespace

namespace {
TScreen theScreen;

const char kTipProcProp[] = "MivoraTipProc";

BOOL CALLBACK FindShownMenu(HWND w, LPARAM lp) {
    char cls[16] = {};
    if (!GetClassNameA(w, cls, sizeof cls) || lstrcmpA(cls, "#32768") != 0 || !IsWindowVisible(w)) return TRUE;
    *reinterpret_cast<bool*>(lp) = true;
    return FALSE;
}

// A form's tip never comes up over a menu of its thread. A tip that was due
// as the menu opened would (hiding the tip or turning tips off does not stop
// one that is due): while a menu shows, the tip finds no tool under the cursor.
LRESULT CALLBACK FormTipProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kTipProcProp));
    if (msg == TTM_WINDOWFROMPOINT) {
        bool menuShown = false;
        EnumThreadWindows(GetCurrentThreadId(), FindShownMenu, reinterpret_cast<LPARAM>(&menuShown));
        if (menuShown) return 0;
    }
    if (msg == WM_NCDESTROY) {
        RemovePropA(hwnd, kTipProcProp);
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    }
    return previous ? CallWindowProcA(previous, hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
}
}  // namespace

void HideFormTips() {
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (HWND tip = Screen->Forms(i)->TooltipWindow()) SendMessageA(tip, TTM_POP, 0, 0);
}

TScreen* Screen = &theScreen;

void TScreen::SetCursor(TCursor value) {
    cursor_ = value;
    POINT pt{};
    GetCursorPos(&pt);
    HWND under = WindowFromPoint(pt);
    // The arrow until the window under the mouse picks its own on the next move.
    if (value != crDefault || !under || GetWindowThreadProcessId(under, nullptr) != GetCurrentThreadId())
        ::SetCursor(CursorHandle(value == crDefault ? crArrow : value));
    else
        SendMessageA(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void TScreen::RemoveForm(TForm* form) { forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end()); }

TForm::TForm(TComponent* AOwner) : TControl(AOwner) {
    SetVisible(false);
    SetBounds(0, 0, 320, 240);
    Screen->AddForm(this);
}

TForm::~TForm() {
    Screen->RemoveForm(this);
    if (Application->MainForm() == this) Application->SetMainForm(nullptr);
    // The derived form is already gone: nothing may call back into it while
    // the window goes (deactivation and the like arrive during DestroyWindow).
    OnActivate = nullptr;
    OnDeactivate = nullptr;
    OnPaint = nullptr;
    OnClose = nullptr;
    OnShow = nullptr;
    OnClick = nullptr;
    OnMouseDown = nullptr;
    OnMouseMove = nullptr;
    OnMouseUp = nullptr;
    handlers_.clear();
    if (tooltip_) DestroyWindow(tooltip_);
    tooltip_ = nullptr;
    DestroyHandle();
}

void TForm::DestroyWindowHandle() {
    if (tooltip_) DestroyWindow(tooltip_);
    tooltip_ = nullptr;
    DestroyHandle();
}

TMessageHandler TForm::SetMessageHandler(UINT Msg, TMessageHandler Handler) {
    TMessageHandler previous;
    auto it = handlers_.find(Msg);
    if (it != handlers_.end()) {
        previous = std::move(it->second);
        handlers_.erase(it);
    }
    if (Handler) handlers_[Msg] = std::move(Handler);
    return previous;
}

void TForm::SetUp(const TFormArgs& args) {
    SetName(args.Name);
    SetCaption(args.Caption);
    BorderStyle = args.BorderStyle;
    if (args.Centre == TFormCentre::OnFirstShow) Position = TPosition::poScreenCenter;
    HandleNeeded();
    SetClientWidth(args.ClientWidth);
    SetClientHeight(args.ClientHeight);
    if (args.Centre == TFormCentre::AtOnce)
        SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
}

void TForm::DoCreate() {
    if (created_) return;
    created_ = true;
    // An error while the form sets itself up is reported, and the form stays.
    if (OnCreate) CallGuarded([this] { OnCreate(this); });
}

void TForm::CreateParams(TCreateParams& Params) {
    Params.Caption = Caption();
    Params.Style = WS_POPUP | WS_CLIPSIBLINGS;
    Params.ExStyle = 0;
    switch (BorderStyle) {
        case TBorderStyle::bsNone: break;
        case TBorderStyle::bsSingle: Params.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX; break;
        case TBorderStyle::bsDialog:
            Params.Style |= WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
            Params.ExStyle |= WS_EX_DLGMODALFRAME;
            break;
        case TBorderStyle::bsSizeable: Params.Style |= WS_OVERLAPPEDWINDOW; break;
        case TBorderStyle::bsToolWindow:
            Params.Style |= WS_CAPTION | WS_SYSMENU;
            Params.ExStyle |= WS_EX_TOOLWINDOW;
            break;
    }
    if (FormStyle == TFormStyle::fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
    Params.X = Left();
    Params.Y = Top();
    Params.Width = Width();
    Params.Height = Height();
    // Owned by the hidden application window: no taskbar button of its own.
    Params.WndParent = Application->Handle();
    Params.WinClassName = kFormClass;
}

void TForm::CreateHandle() {
    if (Handle()) return;
    Application->Initialize();
    TCreateParams p;
    CreateParams(p);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    if (!GetClassInfoA(instance, p.WinClassName.c_str(), &wc)) {
        wc = WNDCLASSA{};
        wc.style = p.ClassStyle;
        wc.lpfnWndProc = ControlProc;
        wc.hInstance = instance;
        wc.hIcon = Application->Icon ? Application->Icon : LoadIconA(nullptr, IDI_APPLICATION);
        wc.lpszClassName = p.WinClassName.c_str();
        RegisterClassA(&wc);
    }
    HWND hwnd = CreateWindowExA(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                                p.Height, p.WndParent, nullptr, instance, this);
    if (!hwnd) throw Exception("Error creating window");
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    // Tool tips even while the form is not the active window: the bar rarely is.
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr, instance, nullptr);
    if (tooltip_ && !Application->ShowHint()) SendMessageA(tooltip_, TTM_ACTIVATE, FALSE, 0);
    if (tooltip_ &&
        SetPropA(tooltip_, kTipProcProp, reinterpret_cast<HANDLE>(GetWindowLongPtrA(tooltip_, GWLP_WNDPROC))))
        SetWindowLongPtrA(tooltip_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FormTipProc));
    CreateChildHandles();
}

HWND TForm::TooltipWindow() { return tooltip_; }

HFONT TForm::Font() {
    if (!font_) {
        const ScopedWindowDC screen(nullptr);
        const int height = -MulDiv(FontSize, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
        font_.Reset(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, FontName.c_str()));
    }
    return font_.Get();
}

void TForm::SetVisible(bool value) {
    if (value) {
        HandleNeeded();
        // Centred when it first shows; a form shown again (a dialog kept for
        // the next use) stays where the user put it, unless asked again.
        if (Position == TPosition::poScreenCenter && !Visible()) {
            SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
            Position = TPosition::poDesigned;
        }
    }
    const bool was = Visible();
    TControl::SetVisible(value);
    if (value && Handle()) {
        ShowWindow(Handle(), SW_SHOW);
        // Reported here, as OnCreate's errors are: leaving Show, an error
        // would skip the modal loop of a form that is already on screen.
        if (!was && OnShow) CallGuarded([this] { OnShow(this); });
    }
}

void TForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TForm::Close() {
    if (modal_) {
        ModalResult = mrCancel;
        return;
    }
    TCloseAction action = TCloseAction::caHide;
    DoClose(action);
    if (action == TCloseAction::caNone) return;
    if (Application->MainForm() == this) {
        Application->Terminate();
    } else if (action == TCloseAction::caHide) {
        Hide();
    } else if (action == TCloseAction::caMinimize) {
        if (Handle()) ShowWindow(Handle(), SW_MINIMIZE);
    } else {
        Release();
    }
}

TModalResult TForm::ShowModal() {
    HandleNeeded();
    // Every other window of the thread is disabled while the form is up, as a
    // dialog box does; they come back in any case, also after an error.
    struct Disabled {
        std::vector<HWND> windows;
        ~Disabled() {
            for (HWND w : windows) EnableWindow(w, TRUE);
        }
    } disabled;
    HWND self = Handle();
    struct Ctx {
        HWND self;
        std::vector<HWND>* list;
    } ctx{self, &disabled.windows};
    struct Enum {
        static BOOL CALLBACK Disable(HWND w, LPARAM lp) {
            auto* c = reinterpret_cast<Ctx*>(lp);
            if (w != c->self && IsWindowVisible(w) && IsWindowEnabled(w)) {
                EnableWindow(w, FALSE);
                c->list->push_back(w);
            }
            return TRUE;
        }
    };
    EnumThreadWindows(GetCurrentThreadId(), Enum::Disable, reinterpret_cast<LPARAM>(&ctx));
    modal_ = true;
    ModalResult = mrNone;
    Show();
    SetForegroundWindow(self);
    MSG msg;
    while (ModalResult == mrNone) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            // The program is ending: give the quit back to the outer loop.
            PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 0);
            ModalResult = mrCancel;
            break;
        }
        if (!IsDialogMessageA(self, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (ModalResult != mrNone) {
            TCloseAction action = TCloseAction::caHide;
            CallGuarded([&] { DoClose(action); });
            if (action == TCloseAction::caNone) ModalResult = mrNone;
        }
    }
    modal_ = false;
    for (HWND w : disabled.windows) EnableWindow(w, TRUE);
    disabled.windows.clear();
    Hide();
    return ModalResult;
}

void TForm::Release() {
    if (Handle())
        PostMessageA(Handle(), CM_RELEASE, 0, 0);
    else
        delete this;
}

void TForm::Paint(HDC dc, const RECT&) {
    paintDc_ = dc;
    if (OnPaint) OnPaint(this);
    paintDc_ = nullptr;
}

bool TForm::WndProc(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    auto it = handlers_.find(msg);
    if (it != handlers_.end()) {
        TMessage m{msg, wp, lp, 0};
        // A copy: the handler may replace itself.
        TMessageHandler handler = it->second;
        handler(m);
        result = m.Result;
        return true;
    }
    switch (msg) {
        case CM_RELEASE:
            delete this;
            result = 0;
            return true;
        case WM_CLOSE:
            Close();
            result = 0;
            return true;
        case WM_GETFONT:
            result = reinterpret_cast<LRESULT>(Font());
            return true;
        case WM_ACTIVATE: {
            const bool now = LOWORD(wp) != WA_INACTIVE;
            active_ = now;
            TNotifyEvent event = now ? OnActivate : OnDeactivate;
            if (event) event(this);
            return false;
        }
        case WM_ACTIVATEAPP:
            Application->Activated(wp != FALSE);
            return false;
        default:
            return TControl::WndProc(msg, wp, lp, result);
    }
}
