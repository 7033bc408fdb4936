#include "AlarmMes.h"

TAlarmMes* AlarmMes = nullptr;

namespace {
// The system's "find computer" clip in shell32, and the frame it stops at.
const int kFindComputerClip = 152;
const int kLastFrame = 8;
}  // namespace

TAlarmMes::TAlarmMes(TComponent* AOwner) : TForm(AOwner) {
    SetName("AlarmMes");
    SetCaption("Mivora Alarm");
    BorderStyle = TBorderStyle::bsDialog;
    Position = TPosition::poScreenCenter;
    HandleNeeded();
    SetClientWidth(243);
    SetClientHeight(207);

    Animate1 = new TAnimate(this);
    Animate1->SetName("Animate1");
    Animate1->SetBounds(9, 9, 48, 45);
    Animate1->SetParent(this);
    Label1 = new TStaticLabel(this);
    Label1->SetName("Label1");
    Label1->SetBounds(73, 13, 162, 52);
    Label1->SetParent(this);
    Memo1 = new TMemo(this);
    Memo1->SetName("Memo1");
    Memo1->SetReadOnly(true);
    Memo1->SetBounds(17, 69, 209, 84);
    Memo1->SetParent(this);
    Button1 = new TButton(this);
    Button1->SetName("Button1");
    Button1->SetCaption("OK");
    Button1->ModalResult = mrOk;
    Button1->Default = true;
    Button1->SetBounds(81, 169, 75, 25);
    Button1->SetParent(this);

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
