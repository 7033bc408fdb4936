#include "main/clock/AlarmMes.h"

namespace worldclock {

TAlarmMes* AlarmMes = nullptr;

namespace {
// The system's "find computer" clip in shell32, and the frame it stops at.
const int kFindComputerClip = 152;
const int kLastFrame = 8;
}  // namespace

TAlarmMes::TAlarmMes(TComponent* AOwner) : TForm(AOwner) {
    SetUp({"AlarmMes", "Mivora Alarm", 243, 207});

    Animate1 = Make<TAnimate>(this, this, "Animate1", {9, 9, 48, 45});
    Label1 = Make<TStaticLabel>(this, this, "Label1", {73, 13, 162, 52});
    Memo1 = Make<TMemo>(this, this, "Memo1", {17, 69, 209, 84}, [](TMemo& m) { m.SetReadOnly(true); });
    Button1 = Make<TButton>(this, this, "Button1", {81, 169, 75, 25}, [](TButton& b) {
        b.ModalResult = mrOk;
        b.Default = true;
    });
    Button1->SetCaption("OK");

    OnShow = [this](TObject*) { Button1->SetFocus(); };
    // The memo is only shown (read-only, so a long one still scrolls), in the
    // white of a memo one can type in.
    SetMessageHandler(WM_CTLCOLORSTATIC, [this](TMessage& m) {
        m.Result = DefWindowProcA(Handle(), m.Msg, m.WParam, m.LParam);
        if (reinterpret_cast<HWND>(m.LParam) != Memo1->Handle()) return;
        SetBkColor(reinterpret_cast<HDC>(m.WParam), GetSysColor(COLOR_WINDOW));
        SetTextColor(reinterpret_cast<HDC>(m.WParam), GetSysColor(COLOR_WINDOWTEXT));
        m.Result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    });
    Animate1->Play(GetModuleHandleA("shell32.dll"), kFindComputerClip, kLastFrame);
}

TAlarmMes::~TAlarmMes() {
    DestroyWindowHandle();
    if (AlarmMes == this) AlarmMes = nullptr;
}

}  // namespace worldclock
