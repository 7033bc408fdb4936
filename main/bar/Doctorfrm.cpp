#include "main/bar/Doctorfrm.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <cstring>
#include <memory>

#include "main/components/Funcs.h"
#include "main/bar/InfoTipText.h"
#include "framework/forms/SysUtils.h"
#include "framework/win32/SystemLibrary.h"

namespace bar {

using components::GetDriverDesc;
using components::TSysInfo;

const char kMakerMail[] = "mailto:support@keltor.example";
const char kMakerWeb[] = "http://www.keltor.example/mivora/";

namespace {
// The sound devices are looked up when a report is made (SystemLibrary.h).
using DeviceCountFn = UINT(WINAPI*)();
using WaveCapsFn = MMRESULT(WINAPI*)(UINT_PTR, WAVEOUTCAPSA*, UINT);
using MidiCapsFn = MMRESULT(WINAPI*)(UINT_PTR, MIDIOUTCAPSA*, UINT);

UINT DeviceCount(const char* name) {
    const auto count = SystemProc<DeviceCountFn>("winmm.dll", name);
    return count ? count() : 0;
}

std::string WaveOutName() {
    const auto getCaps = SystemProc<WaveCapsFn>("winmm.dll", "waveOutGetDevCapsA");
    WAVEOUTCAPSA caps{};
    if (!getCaps || getCaps(0, &caps, sizeof caps) != MMSYSERR_NOERROR) return {};
    return std::string(caps.szPname, strnlen(caps.szPname, sizeof caps.szPname));
}

std::string MidiOutName() {
    const auto getCaps = SystemProc<MidiCapsFn>("winmm.dll", "midiOutGetDevCapsA");
    MIDIOUTCAPSA caps{};
    if (!getCaps || getCaps(0, &caps, sizeof caps) != MMSYSERR_NOERROR) return {};
    return std::string(caps.szPname, strnlen(caps.szPname, sizeof caps.szPname));
}
}  // namespace

DriveTypes ReadDriveTypes() {
    DriveTypes types{};
    for (size_t i = 0; i < types.size(); ++i) {
        const char root[] = {static_cast<char>('c' + i), ':', '\\', '\0'};
        types[i] = GetDriveTypeA(root);
    }
    return types;
}

void RemoveCaption(TForm& form) {
    const int width = form.ClientWidth(), height = form.ClientHeight();
    const LONG style = GetWindowLongA(form.Handle(), GWL_STYLE);
    SetWindowLongA(form.Handle(), GWL_STYLE, style & ~static_cast<LONG>(WS_CAPTION));
    SetWindowPos(form.Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    form.SetClientWidth(width);
    form.SetClientHeight(height);
}

TDoctorfrm::TDoctorfrm(TComponent* AOwner, TSysInfo* sysInfo) : TForm(AOwner), sysInfo_(sysInfo) {
    SetUp({"Doctorfrm", "System infomation", 392, 373});
    Memo1 = Make<TMemo>(this, this, "Memo1", {9, 10, 372, 321}, [](TMemo& memo) { memo.SetReadOnly(true); });
    Memo1->SetColor(clBtnFace);
    memoFont_.Reset(CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New"));
    SendMessageA(Memo1->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(memoFont_.Get()), FALSE);
    Button1 = Make<TButton>(this, this, "Button1", {158, 340, 75, 25}, [](TButton& b) { b.Default = true; });
    Button1->SetCaption("OK");
    Button1->ModalResult = mrOk;
    Button1->Cancel = true;
    OnCreate = Bind(this, &TDoctorfrm::FormCreate);
}

TDoctorfrm::~TDoctorfrm() { DestroyWindowHandle(); }

void TDoctorfrm::FormCreate(TObject*) {
    // The reader is refreshed twice, as the report has always done: the
    // first read after start-up can leave the memory figures unsettled.
    sysInfo_->GetInfo();
    sysInfo_->GetInfo();
    SystemFacts f;
    f.owner = sysInfo_->RegOwner();
    f.organisation = sysInfo_->RegOrganisation();
    f.computer = sysInfo_->NetComputerName();
    f.user = sysInfo_->NetUserName();
    f.version = sysInfo_->WinVersion();
    f.build = sysInfo_->WinBuild();
    for (char letter : FixedDrivePlan(ReadDriveTypes())) {
        const std::string root = std::string(1, letter) + ":\\";
        f.drives.push_back({letter, DiskSize(root), DiskFree(root)});
    }
    f.memAvailable = sysInfo_->MemAvailable();
    f.memTotal = sysInfo_->MemTotal();
    f.memUsage = sysInfo_->MemUsage();
    f.swapSetting = sysInfo_->SwapFileSetting();
    f.swapSize = sysInfo_->SwapFileSize();
    f.swapUsage = sysInfo_->SwapFileUsage();
    f.displayDriver = GetDriverDesc("Display");
    f.monitor = GetDriverDesc("Monitor");
    const ScopedWindowDC dc(Handle(), GetDC(Handle()));
    f.screenWidth = GetDeviceCaps(dc.Get(), HORZRES);
    f.screenHeight = GetDeviceCaps(dc.Get(), VERTRES);
    f.bitsPerPixel = GetDeviceCaps(dc.Get(), BITSPIXEL);
    f.sound = GetDriverDesc("MEDIA");
    f.hasWave = DeviceCount("waveOutGetNumDevs") > 0;
    if (f.hasWave) f.waveDevice = WaveOutName();
    f.hasMidi = DeviceCount("midiOutGetNumDevs") > 0;
    if (f.hasMidi) f.midiDevice = MidiOutName();
    std::string text;
    for (const std::string& line : BuildSystemReport(f)) text += line + "\r\n";
    Memo1->SetText(text);
}

TAboutfrm::TAboutfrm(TComponent* AOwner) : TForm(AOwner) {
    SetUp({"Aboutfrm", "About Mivora", 340, 128});
    SetColor(clBtnFace);
    const auto label = [this](const char* name, const TBounds& at, const std::string& caption) {
        auto* l = Make<TLabel>(this, this, name, at);
        l->SetCaption(caption);
        l->OnClick = Bind(this, &TAboutfrm::FormClick);
        return l;
    };
    Image1 = Make<TImage>(this, this, "Image1", {16, 16, 32, 32});
    Image1->OnClick = Bind(this, &TAboutfrm::FormClick);
    Label1 = label("Label1", {64, 14, 220, 16}, "Mivora " + GetVersionString(Application->ExeName(), "FileVersion"));
    Label2 = label("Label2", {64, 32, 220, 16}, "Keltor");
    Label7 = label("Label7", {64, 50, 220, 16}, "The launch bar and its tools.");
    Label5 = label("Label5", {64, 76, 40, 16}, "Email:");
    Label6 = label("Label6", {64, 96, 40, 16}, "Web:");
    Label3 = Make<TLabel>(this, this, "Label3", {104, 76, 228, 16});
    Label3->SetCaption(kMakerMail + 7);
    Label4 = Make<TLabel>(this, this, "Label4", {104, 96, 228, 16});
    Label4->SetCaption(kMakerWeb);
    for (TLabel* link : {Label3, Label4}) {
        link->FontColor = RGB(0, 0, 255);
        link->Cursor = crHandPoint;
        link->OnMouseMove = Bind(this, &TAboutfrm::Label3MouseMove);
    }
    Label3->OnMouseUp = Bind(this, &TAboutfrm::Label3MouseUp);
    Label4->OnMouseUp = Bind(this, &TAboutfrm::Label4MouseUp);
    OnMouseMove = Bind(this, &TAboutfrm::FormMouseMove);
    OnClick = Bind(this, &TAboutfrm::FormClick);
    OnCreate = Bind(this, &TAboutfrm::FormCreate);
}

TAboutfrm::~TAboutfrm() { DestroyWindowHandle(); }

void TAboutfrm::FormCreate(TObject*) {
    RemoveCaption(*this);
    Image1->Picture()->SetSize(32, 32);
    Image1->Picture()->Fill(GetSysColor(COLOR_BTNFACE));
    DrawIconEx(Image1->Picture()->Canvas()->Handle(), 0, 0,
               Application->Icon ? Application->Icon : LoadIconA(nullptr, IDI_APPLICATION), 32, 32, 0, nullptr,
               DI_NORMAL);
}

void TAboutfrm::Label3MouseMove(TObject* Sender, TMouseButton, TShiftState, int, int) {
    auto* link = static_cast<TLabel*>(Sender);
    if (link->FontColor == RGB(255, 0, 0)) return;
    link->FontColor = RGB(255, 0, 0);
    link->Invalidate();
}

void TAboutfrm::FormMouseMove(TObject*, TMouseButton, TShiftState, int, int) {
    for (TLabel* link : {Label3, Label4}) {
        if (link->FontColor == RGB(0, 0, 255)) continue;
        link->FontColor = RGB(0, 0, 255);
        link->Invalidate();
    }
}

void TAboutfrm::Label3MouseUp(TObject*, TMouseButton, TShiftState, int, int) {
    ShellExecuteA(Handle(), "open", kMakerMail, nullptr, nullptr, SW_SHOWNORMAL);
}

void TAboutfrm::Label4MouseUp(TObject*, TMouseButton, TShiftState, int, int) {
    ShellExecuteA(Handle(), "open", kMakerWeb, nullptr, nullptr, SW_SHOWNORMAL);
}

void TAboutfrm::FormClick(TObject*) { Close(); }

void ShowSystemReport(TSysInfo* sysInfo) {
    const std::unique_ptr<TDoctorfrm> form(TForm::Create<TDoctorfrm>(nullptr, sysInfo));
    form->ShowModal();
}

void ShowAbout() {
    const std::unique_ptr<TAboutfrm> form(TForm::Create<TAboutfrm>(nullptr));
    form->ShowModal();
}

}  // namespace bar
