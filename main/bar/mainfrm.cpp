// The bar's life cycle: components, start-up (FormCreate), shut-down
// (FormClose), settings, the tray icon and its menu, moving by the grip, the
// collapse timer and the grip's gradient.
#include "main/bar/mainfrm.h"

#include <shellapi.h>

#include "main/bar/core/BarLayout.h"
#include "main/bar/core/BarRules.h"
#include "main/components/core/ExeFromCmdLine.h"
#include "main/components/Funcs.h"
#include "main/bar/PopupHook.h"
#include "main/bar/getexe.h"
#include "framework/forms/Registry.h"
#include "framework/win32/ScopedHandle.h"
#include "main/bar/ShellMenus.h"
#include "framework/forms/SysUtils.h"
#include "standins/hook/hook.h"
#include "main/bar/StartupTrace.h"

namespace bar {

using components::GetExeFromCmdLine;
using components::GetShellFolder;
using components::NotifySet;
using components::TFileFinder;
using components::TFileSysMonitor;
using components::TFileSysNotify;
using components::TSysInfo;
using components::TTrayIcon;

const char kBarWindowClass[] = "Tolvex";

TForm1* Form1 = nullptr;

std::string BrowserPath;
std::string MailClientPath;
bool BarHidden = false;
int MaxFile = 10, MaxlFile = 10, MaxFolder = 10, MaxlFolder = 10, MaxRecentApps = 10, MaxlRecentApps = 10;
bool RecRoot = false, RecDesktop = false, RecNet = true, RecSubDir = true;
std::unique_ptr<TStringList> RecentLinks, RecentLinksNow, RecentLinkAges, LinkNames, LinkTargets;
std::unique_ptr<TStringList> RecentFiles, RecentFolders, LockedFiles, LockedFolders, RecentApps, LockedApps;
bool ListsReady = false;
bool RecentRescan = false;
TPopupMenu* NetworkMenu = nullptr;
bool NetworkMenuStale = true;
THintWindow* TipWindow = nullptr;
HWND TipHandle = nullptr;
int OpenMenuKind = 0;
int OpenMenuButton = -1;
bool NetFoldersOnly = false, ExplorerFoldersOnly = false, QuickFoldersOnly = false;
TBarExtensions BarExtensions;

namespace {
const char kRegistryKey[] = "\\SOFTWARE\\Keltor\\Mivora\\1.0";

// GDI extensions that Windows 95 lacks: looked up, not linked.
using GradientFillFn = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
GradientFillFn GradientFillApi() {
    static GradientFillFn fn = [] {
        HMODULE lib = LoadLibraryA("msimg32.dll");
        return lib ? reinterpret_cast<GradientFillFn>(GetProcAddress(lib, "GradientFill")) : nullptr;
    }();
    return fn;
}
}  // namespace

namespace {
std::string barFolder;

std::array<std::unique_ptr<TStringList>*, 11> BarLists() {
    return {&RecentLinks, &RecentLinksNow, &RecentLinkAges, &LinkNames, &LinkTargets, &RecentFiles,
            &RecentFolders, &LockedFiles, &LockedFolders, &RecentApps, &LockedApps};
}
}  // namespace

std::string BarFolder() { return barFolder.empty() ? ProgramFolder() : barFolder; }

void SetBarFolder(const std::string& folder) { barFolder = folder; }

std::string BarIniPath() { return BarFolder() + "mivora.ini"; }

void LoadListFile(TStringList& list, const std::string& fileName) {
    const std::string path = BarFolder() + fileName;
    if (!FileExists(path)) return;
    // A list file that can't be read (another program holds it) gives an
    // empty list; an error here would end the bar's start-up half-way.
    try {
        list.LoadFromFile(path);
    } catch (const EFOpenError&) {
        list.Clear();
    }
}

void SaveListFile(const TStringList& list, const std::string& fileName) { list.SaveToFile(BarFolder() + fileName); }

bool SamePathText(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {
    SetName("Form1");
    BorderStyle = TBorderStyle::bsNone;
    FormStyle = TFormStyle::fsStayOnTop;
    SetCaption("Mivora");
    FontName = "MS Sans Serif";
    FontSize = 8;
    SetBounds(300, 1, 406, 22);
    BuildComponents();
    OnCreate = Bind(this, &TForm1::FormCreate);
    OnClose = Bind(this, &TForm1::FormClose);
    OnPaint = Bind(this, &TForm1::FormPaint);
    OnActivate = Bind(this, &TForm1::FormActivate);
    SetMessageHandler(WM_HOOKNOTIFY, Bind(this, &TForm1::WMHookNotify));
    SetMessageHandler(WM_DROPFILES, Bind(this, &TForm1::WMDropFiles));
}

TForm1::~TForm1() {
    // A bar freed without being closed (the session ends) stops what runs
    // against it all the same.
    if (!closing_) {
        closing_ = true;
        Timer1->SetEnabled(false);
        Timer3->SetEnabled(false);
        Timer4->SetEnabled(false);
        UnInstallHook();
        RemovePopupMouseHook();
        RestorePopupListProc();
        FileSysMonitor1->SetActive(false);
    }
    // The window goes first: its last messages may still reach the handlers,
    // which use the lists below.
    ListsReady = false;
    Application->OnActivate = nullptr;
    Application->OnDeactivate = nullptr;
    DestroyWindowHandle();
    for (auto* list : BarLists()) list->reset();
    NetworkMenu = nullptr;  // owned by the form
    TipWindow = nullptr;
    TipHandle = nullptr;
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::CreateParams(TCreateParams& Params) {
    TForm::CreateParams(Params);
    // Other programs (the copy hook, a second start) find the bar by this class.
    Params.WinClassName = kBarWindowClass;
}

namespace {
using TClickHandler = void (TForm1::*)(TObject*);
using TMouseHandler = void (TForm1::*)(TObject*, TMouseButton, TShiftState, int, int);

// The bar's buttons; the Tag places each one in the row.
struct BarButton {
    TSpeedButton* TForm1::*button;
    const char* name;
    int tag;
    const char* hint;
    TClickHandler click;
    TMouseHandler mouseUp;
};
const BarButton kBarButtons[] = {
    {&TForm1::QApp, "QApp", 0, "Application group", &TForm1::QAppClick, &TForm1::QnetMouseUp},
    {&TForm1::Qrecentapp, "Qrecentapp", 1, "Quick application", &TForm1::QrecentappClick, nullptr},
    {&TForm1::QFile, "QFile", 2, "Quick folder", &TForm1::QFileClick, &TForm1::QnetMouseUp},
    {&TForm1::Qrecentfile, "Qrecentfile", 3, "Quick file", &TForm1::QrecentfileClick, nullptr},
    {&TForm1::Qexplorer, "Qexplorer", 4, "Windows explorer menu", &TForm1::QexplorerClick, &TForm1::QnetMouseUp},
    {&TForm1::Qnet, "Qnet", 5, "Network neighborhood", &TForm1::QnetClick, &TForm1::QnetMouseUp},
    {&TForm1::Qdoctor, "Qdoctor", 6, "Doctor", &TForm1::QdoctorClick, nullptr},
    {&TForm1::Qfind, "Qfind", 7, "Find", &TForm1::QfindClick, nullptr},
    {&TForm1::Qcontrol, "Qcontrol", 8, "Control panel", &TForm1::QcontrolClick, nullptr},
    {&TForm1::Qfavorites, "Qfavorites", 9, "IE favorites", &TForm1::QfavoritesClick, &TForm1::QfavoritesMouseUp},
    {&TForm1::Qhistory, "Qhistory", 10, "IE history", &TForm1::QhistoryClick, nullptr},
    {&TForm1::Qmail, "Qmail", 11, "Outlook mail address", &TForm1::QmailClick, &TForm1::QmailMouseUp},
    {&TForm1::Qdialup, "Qdialup", 12, "Dial up", &TForm1::QdialupClick, &TForm1::QdialupMouseUp},
    {&TForm1::Qie, "Qie", 100, "Default web browser", &TForm1::QieClick, &TForm1::QieMouseUp},
    {&TForm1::Qoutlook, "Qoutlook", 101, "Default e-mail client", &TForm1::QoutlookClick, &TForm1::QoutlookMouseUp},
};

// The items of the bar's fixed menus, top to bottom; separators keep no member.
struct BarMenuItem {
    TPopupMenu* TForm1::*menu;
    TMenuItem* TForm1::*item;
    const char* name;
    const char* caption;
    TClickHandler click;
};
const BarMenuItem kBarMenuItems[] = {
    {&TForm1::TrayMenu, &TForm1::MenuBar, "MenuBar", "Hide bar", &TForm1::TrayIcon1Click},
    {&TForm1::TrayMenu, nullptr, "N1", "-", nullptr},
    {&TForm1::TrayMenu, &TForm1::MenuOption, "MenuOption", "Option...", &TForm1::MenuOptionClick},
    {&TForm1::TrayMenu, &TForm1::Help1, "Help1", "Help...", &TForm1::Help1Click},
    {&TForm1::TrayMenu, &TForm1::MenuAbout, "MenuAbout", "About...", &TForm1::MenuAboutClick},
    {&TForm1::TrayMenu, &TForm1::MenuExit, "MenuExit", "Exit", &TForm1::MenuExitClick},
    {&TForm1::FindMenu, &TForm1::FindFiles1, "FindFiles1", "Find files...", &TForm1::FindFiles1Click},
    {&TForm1::FindMenu, &TForm1::Findtexts1, "Findtexts1", "Find texts...", &TForm1::FindFiles1Click},
    {&TForm1::FindMenu, &TForm1::Findbydate1, "Findbydate1", "Find by date...", &TForm1::FindFiles1Click},
    {&TForm1::FindMenu, &TForm1::Findadvanced1, "Findadvanced1", "Find advanced...", &TForm1::FindFiles1Click},
    {&TForm1::FindMenu, nullptr, "N3", "-", nullptr},
    {&TForm1::FindMenu, &TForm1::FindComputer1, "FindComputer1", "Find computer...", &TForm1::FindComputer1Click},
    {&TForm1::FindMenu, &TForm1::Finduser1, "Finduser1", "Find people...", &TForm1::Finduser1Click},
    {&TForm1::DoctorMenu, &TForm1::Mivorabackup1, "Mivorabackup1", "Mivora backup", &TForm1::Mivorabackup1Click},
    {&TForm1::DoctorMenu, nullptr, "N5", "-", nullptr},
    {&TForm1::DoctorMenu, nullptr, "N6", "-", nullptr},
    {&TForm1::DoctorMenu, &TForm1::SysinfoMenu, "SysinfoMenu", "System info...", &TForm1::SysinfoMenuClick},
};
}  // namespace

void TForm1::BuildComponents() {
    BuildControls();
    Timer1 = MakeTimer("Timer1", false, 1000, &TForm1::Timer1Timer);
    Timer3 = MakeTimer("Timer3", true, 300000, &TForm1::Timer3Timer);
    Timer4 = MakeTimer("Timer4", false, 2000, &TForm1::Timer4Timer);
    ImageList = Make<TImageList>(this, "ImageList");
    SmallImageList = Make<TImageList>(this, "SmallImageList");
    LoadGlyphs();
    BuildMenus();
    BuildWatchers();
}

void TForm1::BuildControls() {
    Panel1 = Make<TPanel>(this, this, "Panel1", {0, 0, kGripWidth, kBarHeight});
    Panel1->SetColor(clNavy);
    Panel1->Cursor = crSizeAll;
    Panel1->OnMouseDown = Bind(this, &TForm1::Panel1MouseDown);
    Panel1->OnMouseMove = Bind(this, &TForm1::QAppMouseMove);
    Panel1->OnPaint = [this](TObject*) { PaintGripGradient(); };
    aImage = Make<TImage>(this, Panel1, "aImage", {1, 1, 8, 8});
    aImage->Cursor = crHandPoint;
    aImage->OnMouseDown = Bind(this, &TForm1::aImageMouseDown);
    for (const BarButton& spec : kBarButtons) {
        TSpeedButton* b = MakeBarButton(spec.name, spec.tag);
        b->SetHint(spec.hint);
        if (spec.click) b->OnClick = Bind(this, spec.click);
        if (spec.mouseUp) b->OnMouseUp = Bind(this, spec.mouseUp);
        this->*spec.button = b;
    }
    Qtime = Make<TPanel>(this, this, "Qtime", {348, 0, kClockWidth, kBarHeight});
    Qtime->SetColor(clBlack);
    Qtime->FontColor = clLime;
    Qtime->BevelOuter = TBevelCut::bvNone;
    Qtime->BevelInner = TBevelCut::bvLowered;
    Qtime->OnMouseMove = Bind(this, &TForm1::QAppMouseMove);
    // The separators; the form keeps Bevel4 below the visible row until the
    // quick-start strip has entries.
    Bevel2 = Make<TBevel>(this, this, "Bevel2", {143, 3, 2, 16});
    Bevel3 = Make<TBevel>(this, this, "Bevel3", {210, 3, 2, 16});
    Bevel4 = Make<TBevel>(this, this, "Bevel4", {345, 30, 2, 16});
    Label1 = Make<TLabel>(this, this, "Label1", {0, 30, 0, 0});
    ZoneHint = Make<TLabel>(this, this, "ZoneHint", {0, 30, 120, 13});
    ZoneHint->SetCaption("Local Time");
}

TSpeedButton* TForm1::MakeBarButton(const std::string& name, int tag) {
    auto* b = Make<TSpeedButton>(this, this, name, {ButtonLeft(tag), 0, kBarHeight, kBarHeight});
    b->Tag = tag;
    b->Flat = true;
    b->OnMouseMove = Bind(this, &TForm1::QAppMouseMove);
    return b;
}

TTimer* TForm1::MakeTimer(const std::string& name, bool enabled, UINT interval, void (TForm1::*onTimer)(TObject*)) {
    auto* timer = Make<TTimer>(this, name);
    timer->SetEnabled(enabled);
    timer->SetInterval(interval);
    timer->OnTimer = Bind(this, onTimer);
    return timer;
}

void TForm1::BuildMenus() {
    TrayMenu = Make<TPopupMenu>(this, "TrayMenu");
    FillBarMenu(&TForm1::TrayMenu);
    MenuBar->Default = true;
    DesktopMenu = Make<TPopupMenu>(this, "DesktopMenu");
    // Made here, not where the start-up builds the rest: the network button
    // and the five-minute rebuild use it, and a start-up step that fails
    // (a missing shell folder) would otherwise leave it null under them.
    NetworkMenu = Make<TPopupMenu>(this, "NetworkMenu");
    NetworkMenu->Images = ImageList;
    FindMenu = Make<TPopupMenu>(this, "FindMenu");
    FillBarMenu(&TForm1::FindMenu);
    DoctorMenu = Make<TPopupMenu>(this, "DoctorMenu");
    FillBarMenu(&TForm1::DoctorMenu);
    BuildAppMenu();
}

void TForm1::FillBarMenu(TPopupMenu* TForm1::*menu) {
    for (const BarMenuItem& spec : kBarMenuItems) {
        if (spec.menu != menu) continue;
        auto* item = Make<TMenuItem>(this->*menu, spec.name);
        item->Caption = spec.caption;
        if (spec.click) item->OnClick = Bind(this, spec.click);
        (this->*menu)->Items()->Add(item);
        if (spec.item) this->*spec.item = item;
    }
}

void TForm1::BuildWatchers() {
    TrayIcon1 = Make<TTrayIcon>(this, "TrayIcon1");
    TrayIcon1->SetToolTip("Mivora");
    TrayIcon1->OnClick = Bind(this, &TForm1::TrayIcon1Click);
    TrayIcon1->PopupMenu = TrayMenu;
    // Made active once the bar is on screen (the program's start-up).

    auto makeFinder = [this](const char* name) {
        auto* f = Make<TFileFinder>(this, name);
        f->FileAttr = 63;
        f->SubFolders = true;
        f->ProcessMessages = true;
        f->FuzzySearch = true;
        f->IgnoreCase = true;
        return f;
    };
    FileFinder1 = makeFinder("FileFinder1");
    FileFinder1->OnFileFound = Bind(this, &TForm1::FileFinder1FileFound);
    ProgramFinder = makeFinder("ProgramFinder");
    ProgramFinder->Filename = "*.lnk";
    ProgramFinder->OnFileFound = Bind(this, &TForm1::ProgramFinderFileFound);
    FileSysMonitor1 = Make<TFileSysMonitor>(this, "FileSysMonitor1");
    FileSysMonitor1->SetNotifyFilter(NotifySet(TFileSysNotify::LAST_WRITE));
    FileSysMonitor1->OnFileSysChange = Bind(this, &TForm1::FileSysMonitor1FileSysChange);
    SysInfo1 = Make<TSysInfo>(this, "SysInfo1");
}

void TForm1::LoadGlyphs() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    // One strip of 16 x 16 pictures by Tag, magenta where transparent.
    const ScopedBitmap strip(
        static_cast<HBITMAP>(LoadImageA(instance, "BARGLYPHS", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (strip) ImageList_AddMasked(SmallImageList->Handle(), strip.Get(), RGB(255, 0, 255));
    const ScopedBitmap grip(
        static_cast<HBITMAP>(LoadImageA(instance, "GRIPMENU", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (grip) {
        aImage->Picture()->SetSize(8, 8);
        aImage->Picture()->CopyFrom(grip.Get());
    }
}

void TForm1::CreateQuickStartButtons() {
    for (size_t i = 0; i < QuickStartButtons.size(); ++i) {
        if (QuickStartButtons[i]) continue;
        TSpeedButton* b = MakeBarButton("QuickStart" + std::to_string(i + 1), 1000);
        b->OnClick = Bind(this, &TForm1::OnRunFileBtnClick);
        b->OnMouseUp = Bind(this, &TForm1::QstartMouseUp);
        QuickStartButtons[i] = b;
    }
}

void TForm1::FormCreate(TObject*) {
    STARTUP_STEP("  bar components made");
    HandleNeeded();
    STARTUP_STEP("  bar window made");
    CreateLists();
    STARTUP_STEP("  CreateLists");
    if (BarExtensions.BuildZoneMenu) BarExtensions.BuildZoneMenu(this);
    STARTUP_STEP("  BuildZoneMenu");
    CreateQuickStartButtons();
    STARTUP_STEP("  CreateQuickStartButtons");
    FindDefaultPrograms();
    STARTUP_STEP("  FindDefaultPrograms");
    InstallHook(Handle());
    STARTUP_STEP("  InstallHook");
    LoadSettings();
    STARTUP_STEP("  LoadSettings");
    if (BarExtensions.LoadToolbarBackground) BarExtensions.LoadToolbarBackground(this);
    STARTUP_STEP("  LoadToolbarBackground");
    SetTrayIcon();
    STARTUP_STEP("  SetTrayIcon");
    WatchRecentFolder();
    STARTUP_STEP("  WatchRecentFolder");
    LoadLists();
    STARTUP_STEP("  LoadLists");
    DragAcceptFiles(Handle(), TRUE);
    STARTUP_STEP("  DragAcceptFiles");
    startPending_ = true;
    // The first start's software search shows before the bar, as the rest of
    // the start-up did: only later starts put the bar up first.
    if (IsFirstStart()) FinishStart();
}

void TForm1::FinishStart() {
    // Menus show the system's small icons. The shell fills its list on the
    // first question, a good part of the start under Wine; no menu opens
    // before the message loop runs.
    if (!ImageList->ShareImages()) AttachSystemImageList(*ImageList);
    STARTUP_STEP("  AttachSystemImageList");
    if (!startPending_) return;
    startPending_ = false;
    ScanShortcuts();
    STARTUP_STEP("  ScanShortcuts");
    RecordStartInRegistry();
    STARTUP_STEP("  RecordStartInRegistry");
    // The grip's colour follows the program's activation.
    Application->OnActivate = Bind(this, &TForm1::AppActivateChange);
    Application->OnDeactivate = Bind(this, &TForm1::AppActivateChange);
    CreateTipWindow();
    STARTUP_STEP("  CreateTipWindow");
    InstallPopupListProc();
    STARTUP_STEP("  InstallPopupListProc");
    InstallPopupMouseHook();
    STARTUP_STEP("  InstallPopupMouseHook");
}

void TForm1::CreateLists() {
    // The lists exist before any step that can fail or send a notice: an
    // error reported half-way leaves a running bar whose buttons use them.
    // Notices are taken only once LoadLists has filled them.
    for (auto* list : BarLists()) *list = std::make_unique<TStringList>();
}

void TForm1::FindDefaultPrograms() {
    TRegistry reg(KEY_READ);
    reg.RootKey = HKEY_CLASSES_ROOT;
    if (reg.OpenKeyReadOnly("\\http\\shell\\open\\command")) BrowserPath = GetExeFromCmdLine(reg.ReadString(""));
    reg.CloseKey();
    if (reg.OpenKeyReadOnly("\\mailto\\shell\\open\\command")) MailClientPath = GetExeFromCmdLine(reg.ReadString(""));
    MailClientPath = FixMailClientPath(MailClientPath, WindowsFolder());
    if (IsOutlookExpress(MailClientPath)) Qoutlook->SetHint("Outlook Express");
    if (IsInternetExplorer(BrowserPath)) Qie->SetHint("Internet Explorer");
}

void TForm1::LoadSettings() {
    TIniFile ini(BarIniPath());
    SetTop(ini.ReadInteger("ToolBar", "Top", 1));
    SetLeft(ini.ReadInteger("ToolBar", "Left", 300));
    // After the position: arranging the row also keeps the bar on the screen.
    ArrangeBar();
    MaxFile = ini.ReadInteger("Quick File", "MaxFile", 10);
    MaxlFile = ini.ReadInteger("Quick File", "MaxlFile", 10);
    MaxFolder = ini.ReadInteger("Quick File", "MaxFolder", 10);
    MaxlFolder = ini.ReadInteger("Quick File", "MaxlFolder", 10);
    MaxRecentApps = ini.ReadInteger("Quick App", "MaxRecentApps", 10);
    MaxlRecentApps = ini.ReadInteger("Quick App", "MaxlRecentApps", 10);
    RecRoot = ini.ReadBool("Record", "RecRoot", false);
    RecDesktop = ini.ReadBool("Record", "RecDesktop", false);
    RecNet = ini.ReadBool("Record", "RecNet", true);
    RecSubDir = ini.ReadBool("Record", "RecSubDir", true);
}

void TForm1::SetTrayIcon() {
    TIcon icon;
    icon.AssignHandle(Application->Icon ? Application->Icon : LoadIconA(nullptr, IDI_APPLICATION));
    TrayIcon1->SetIcon(icon);
}

void TForm1::WatchRecentFolder() {
    const std::string recent = GetShellFolder("Recent");
    FileSysMonitor1->SetMonitoredDirectory(recent);
    FileSysMonitor1->SetActive(true);
}

void TForm1::LoadLists() {
    LoadListFile(*RecentFiles, "files.lst");
    LoadListFile(*RecentFolders, "folders.lst");
    LoadListFile(*LockedFiles, "lfiles.lst");
    LoadListFile(*LockedFolders, "lfolders.lst");
    LoadListFile(*RecentApps, "app.lst");
    LoadListFile(*LockedApps, "lapp.lst");
    ListsReady = true;
}

void TForm1::ScanShortcuts() {
    if (ScanRecentFolder()) RescanRecentFolder();
    STARTUP_STEP("  Recent folder scanned");
    ProgramFinder->Root = IncludeTrailingBackslash(GetShellFolder("Programs"));
    ProgramFinder->Execute();
    programLinks_.reset();
}

// Whether RecordStartInRegistry will find no start recorded (and search).
bool TForm1::IsFirstStart() {
    TRegistry reg(KEY_READ);
    reg.RootKey = HKEY_LOCAL_MACHINE;
    return !reg.OpenKeyReadOnly(kRegistryKey) || reg.ReadString("FirstRun").empty();
}

// The software search runs on the first start only.
void TForm1::RecordStartInRegistry() {
    TRegistry reg;
    reg.RootKey = HKEY_LOCAL_MACHINE;
    // Without rights on the key nothing is written, and a failure must not
    // pass for a first start: the search would then run at every start.
    if (!reg.OpenKey(kRegistryKey, true)) return;
    reg.WriteString("RootDir", RootDirFromExe(Application->ExeName()));
    if (!reg.ReadString("FirstRun").empty()) return;
    reg.WriteString("FirstRun", "no");
    reg.CloseKey();
    if (BarExtensions.ShowSoftwareSearch) BarExtensions.ShowSoftwareSearch(this);
}

void TForm1::CreateTipWindow() {
    TipWindow = Make<THintWindow>(this, "TipWindow");
    TipWindow->ParentWindow = GetDesktopWindow();
    TipWindow->SetColor(clInfoBk);
    TipWindow->HandleNeeded();
    TipHandle = TipWindow->Handle();
}

void TForm1::FormClose(TObject*, TCloseAction& Action) {
    // The software search walks the drives inside this window's messages and
    // the tray's Exit stays reachable: a close meanwhile waits for its end.
    if (SoftwareSearchRunning) {
        SearchCloseDeferred = true;
        Action = TCloseAction::caNone;
        return;
    }
    // Nothing may run against the lists or menus once the bar is closing:
    // timers stop, late notices and drops are ignored.
    closing_ = true;
    ListsReady = false;
    Timer1->SetEnabled(false);
    Timer3->SetEnabled(false);
    Timer4->SetEnabled(false);
    // A clock choice that can't be saved is reported; the close goes on.
    if (BarExtensions.SaveZoneSelection) CallGuarded([this] { BarExtensions.SaveZoneSelection(this); });
    if (TipWindow) TipWindow->ReleaseHandle();
    TipHandle = nullptr;
    UnInstallHook();
    RemovePopupMouseHook();
    RestorePopupListProc();
    FileSysMonitor1->SetActive(false);
    if (Handle()) DragAcceptFiles(Handle(), FALSE);
    // A place that can't be saved is reported, and the bar still closes:
    // an error leaving here would keep a bar that has already let go of its
    // hook, its timers and its folder watch.
    CallGuarded([this] {
        TIniFile ini(BarIniPath());
        ini.WriteInteger("ToolBar", "Top", Top());
        ini.WriteInteger("ToolBar", "Left", Left());
    });
}

void TForm1::FormPaint(TObject*) { PaintGripGradient(); }

void TForm1::AppActivateChange(TObject*) { PaintGripGradient(); }

void TForm1::FormActivate(TObject*) {
    // The application window carries no button of its own in the taskbar.
    ShowWindow(Application->Handle(), SW_HIDE);
    Repaint();
}

void TForm1::PaintGripGradient() {
    HWND grip = Panel1->Handle();
    GradientFillFn fill = GradientFillApi();
    if (!grip || !fill) return;
    const int w = Panel1->Width(), h = Panel1->Height();
    TRIVERTEX v[2]{};
    v[0].x = 1;
    v[0].y = w;  // the square on top, with the menu image, keeps the panel colour
    if (Active()) {
        v[0].Red = 0;
        v[0].Green = 0x8000;
        v[0].Blue = 0xD000;
    } else {
        v[0].Red = v[0].Green = v[0].Blue = 0xA000;
    }
    v[1].x = w - 1;
    v[1].y = h - 1;
    GRADIENT_RECT r{0, 1};
    const ScopedWindowDC dc(grip, GetWindowDC(grip));
    fill(dc.Get(), v, 2, &r, 1, GRADIENT_FILL_RECT_V);
}

void TForm1::Panel1MouseDown(TObject*, TMouseButton, TShiftState Shift, int, int) {
    if (!(Shift & ssLeft)) return;
    ReleaseCapture();
    // The system moves the window while the button is held; this returns after.
    SendMessageA(Handle(), WM_SYSCOMMAND, 0xF012, 0);
    AfterGripMove();
}

void TForm1::AfterGripMove() {
    if (Top() < 0) {
        CollapseBar();
    } else {
        Timer4->SetEnabled(false);
        if (Width() == 800) ArrangeBar();
    }
    const BarPoint p = ClampAfterMove(Left(), Top(), ClientWidth(), ClientHeight(), Screen->Width(), Screen->Height());
    if (p.x != Left() || p.y != Top()) SetBounds(p.x, p.y, Width(), Height());
}

void TForm1::QAppMouseMove(TObject*, TMouseButton, TShiftState, int, int) {
    if (ClientHeight() == kCollapsedHeight) {
        SetClientHeight(BarHeight);
        if (Top() == 0) Timer4->SetEnabled(true);
    }
    SetForegroundWindow(Handle());
}

void TForm1::Timer4Timer(TObject*) {
    POINT pt{};
    GetCursorPos(&pt);
    if (!ShouldCollapse(OpenMenuKind, pt.x, pt.y, Left(), Top(), Width(), Height())) return;
    SetClientHeight(kCollapsedHeight);
    Timer4->SetEnabled(false);
}

void TForm1::Timer1Timer(TObject*) {
    if (BarExtensions.ClockTick) {
        BarExtensions.ClockTick(this);
    } else {
        SYSTEMTIME t{};
        GetLocalTime(&t);
        char text[16];
        wsprintfA(text, "%02u:%02u:%02u", t.wHour, t.wMinute, t.wSecond);
        Qtime->SetCaption(text);
    }
    // Bar menus: the tip goes when no menu is open or the cursor rests on it;
    // resting on another button of the row opens that button's menu.
    if (OpenMenuKind == 0) {
        if (TipHandle) ShowWindow(TipHandle, SW_HIDE);
        return;
    }
    POINT pt{};
    GetCursorPos(&pt);
    RECT tip{};
    if (TipHandle && GetWindowRect(TipHandle, &tip) && PtInRect(&tip, pt)) ShowWindow(TipHandle, SW_HIDE);
    HWND under = WindowFromPoint(pt);
    while (under && (GetWindowLongA(under, GWL_STYLE) & WS_CHILD)) under = GetParent(under);
    // No switch while an item's context menu is up: the click would land in it.
    if (under != Handle() || ContextMenuActive) return;
    const int place = ButtonPlaceAt(pt.x, Left(), Panel1->Width(), ClientHeight());
    if (ShouldSwitchMenu(place, OpenMenuButton)) {
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
}

void TForm1::TrayIcon1Click(TObject*) {
    if (!BarHidden) {
        Hide();
        MenuBar->Caption = "Show Bar";
    } else {
        Show();
        MenuBar->Caption = "Hide Bar";
    }
    BarHidden = !BarHidden;
}

void TForm1::MenuOptionClick(TObject*) {
    if (BarExtensions.ShowOptions) BarExtensions.ShowOptions(this);
}

void TForm1::MenuAboutClick(TObject*) {
    if (BarExtensions.ShowAbout) BarExtensions.ShowAbout(this);
}

void TForm1::Help1Click(TObject*) { ShellExecuteA(Handle(), "open", "mivora.hlp", nullptr, nullptr, SW_SHOWNORMAL); }

void TForm1::MenuExitClick(TObject*) { Close(); }

void TForm1::OnRunFileBtnClick(TObject* Sender) {
    auto* control = dynamic_cast<TControl*>(Sender);
    if (!control || control->Hint().empty()) return;
    const std::string path = control->Hint();
    ShellExecuteA(Handle(), "open", path.c_str(), nullptr, ExtractFilePath(path).c_str(), SW_SHOWNORMAL);
}

void TForm1::OnRunFileItemClick(TObject* Sender) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item || item->Hint.empty()) return;
    ShellExecuteA(Handle(), "open", item->Hint.c_str(), nullptr, ExtractFilePath(item->Hint).c_str(), SW_SHOWNORMAL);
}

}  // namespace bar
