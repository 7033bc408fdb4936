// The bar's life cycle: components, start-up (FormCreate), shut-down
// (FormClose), settings, the tray icon and its menu, moving by the grip, the
// collapse timer and the grip's gradient.
#include "mainfrm.h"

#include <shellapi.h>

#include "BarLayout.h"
#include "BarRules.h"
#include "ExeFromCmdLine.h"
#include "Funcs.h"
#include "Registry.h"
#include "ScopedHandle.h"
#include "ShellMenus.h"
#include "SysUtils.h"
#include "hook.h"

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
}

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
        FileSysMonitor1->SetActive(false);
    }
    // The window goes first: its last messages may still reach the handlers,
    // which use the lists below.
    ListsReady = false;
    Application->OnActivate = nullptr;
    Application->OnDeactivate = nullptr;
    DestroyWindowHandle();
    RecentLinks.reset();
    RecentLinksNow.reset();
    RecentLinkAges.reset();
    LinkNames.reset();
    LinkTargets.reset();
    RecentFiles.reset();
    RecentFolders.reset();
    LockedFiles.reset();
    LockedFolders.reset();
    RecentApps.reset();
    LockedApps.reset();
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

TSpeedButton* TForm1::MakeBarButton(const char* name, int tag, const char* hint) {
    auto* b = new TSpeedButton(this);
    b->SetName(name);
    b->Tag = tag;
    b->Flat = true;
    b->SetHint(hint);
    b->SetBounds(ButtonLeft(tag), 0, kBarHeight, kBarHeight);
    b->OnMouseMove = Bind(this, &TForm1::QAppMouseMove);
    b->SetParent(this);
    return b;
}

void TForm1::BuildComponents() {
    Panel1 = new TPanel(this);
    Panel1->SetName("Panel1");
    Panel1->SetBounds(0, 0, kGripWidth, kBarHeight);
    Panel1->SetColor(clNavy);
    Panel1->Cursor = crSizeAll;
    Panel1->OnMouseDown = Bind(this, &TForm1::Panel1MouseDown);
    Panel1->OnMouseMove = Bind(this, &TForm1::QAppMouseMove);
    Panel1->OnPaint = [this](TObject*) { PaintGripGradient(); };
    Panel1->SetParent(this);
    aImage = new TImage(this);
    aImage->SetName("aImage");
    aImage->SetBounds(1, 1, 8, 8);
    aImage->Cursor = crHandPoint;
    aImage->OnMouseDown = Bind(this, &TForm1::aImageMouseDown);
    aImage->SetParent(Panel1);

    QApp = MakeBarButton("QApp", 0, "Application group");
    Qrecentapp = MakeBarButton("Qrecentapp", 1, "Quick application");
    QFile = MakeBarButton("QFile", 2, "Quick folder");
    Qrecentfile = MakeBarButton("Qrecentfile", 3, "Quick file");
    Qexplorer = MakeBarButton("Qexplorer", 4, "Windows explorer menu");
    Qnet = MakeBarButton("Qnet", 5, "Network neighborhood");
    Qdoctor = MakeBarButton("Qdoctor", 6, "Doctor");
    Qfind = MakeBarButton("Qfind", 7, "Find");
    Qcontrol = MakeBarButton("Qcontrol", 8, "Control panel");
    Qfavorites = MakeBarButton("Qfavorites", 9, "IE favorites");
    Qhistory = MakeBarButton("Qhistory", 10, "IE history");
    Qmail = MakeBarButton("Qmail", 11, "Outlook mail address");
    Qdialup = MakeBarButton("Qdialup", 12, "Dial up");
    Qie = MakeBarButton("Qie", 100, "Default web browser");
    Qoutlook = MakeBarButton("Qoutlook", 101, "Default e-mail client");

    Qexplorer->OnClick = Bind(this, &TForm1::QexplorerClick);
    Qnet->OnClick = Bind(this, &TForm1::QnetClick);
    Qdoctor->OnClick = Bind(this, &TForm1::QdoctorClick);
    Qfind->OnClick = Bind(this, &TForm1::QfindClick);
    Qcontrol->OnClick = Bind(this, &TForm1::QcontrolClick);
    Qfavorites->OnClick = Bind(this, &TForm1::QfavoritesClick);
    Qhistory->OnClick = Bind(this, &TForm1::QhistoryClick);
    Qmail->OnClick = Bind(this, &TForm1::QmailClick);
    Qdialup->OnClick = Bind(this, &TForm1::QdialupClick);
    Qie->OnClick = Bind(this, &TForm1::QieClick);
    Qoutlook->OnClick = Bind(this, &TForm1::QoutlookClick);
    for (TSpeedButton* b : {QApp, QFile, Qexplorer, Qnet}) b->OnMouseUp = Bind(this, &TForm1::QnetMouseUp);
    Qfavorites->OnMouseUp = Bind(this, &TForm1::QfavoritesMouseUp);
    Qmail->OnMouseUp = Bind(this, &TForm1::QmailMouseUp);
    Qdialup->OnMouseUp = Bind(this, &TForm1::QdialupMouseUp);
    Qie->OnMouseUp = Bind(this, &TForm1::QieMouseUp);
    Qoutlook->OnMouseUp = Bind(this, &TForm1::QoutlookMouseUp);

    Qtime = new TPanel(this);
    Qtime->SetName("Qtime");
    Qtime->SetColor(clBlack);
    Qtime->FontColor = clLime;
    Qtime->BevelOuter = TBevelCut::bvNone;
    Qtime->BevelInner = TBevelCut::bvLowered;
    Qtime->SetBounds(348, 0, kClockWidth, kBarHeight);
    Qtime->OnMouseMove = Bind(this, &TForm1::QAppMouseMove);
    Qtime->SetParent(this);
    // The separators; the form keeps Bevel4 below the visible row until the
    // quick-start strip has entries.
    Bevel2 = new TBevel(this);
    Bevel2->SetName("Bevel2");
    Bevel2->SetBounds(143, 3, 2, 16);
    Bevel2->SetParent(this);
    Bevel3 = new TBevel(this);
    Bevel3->SetName("Bevel3");
    Bevel3->SetBounds(210, 3, 2, 16);
    Bevel3->SetParent(this);
    Bevel4 = new TBevel(this);
    Bevel4->SetName("Bevel4");
    Bevel4->SetBounds(345, 30, 2, 16);
    Bevel4->SetParent(this);
    Label1 = new TLabel(this);
    Label1->SetName("Label1");
    Label1->SetBounds(0, 30, 0, 0);
    Label1->SetParent(this);
    ZoneHint = new TLabel(this);
    ZoneHint->SetName("ZoneHint");
    ZoneHint->SetCaption("Local Time");
    ZoneHint->SetBounds(0, 30, 120, 13);
    ZoneHint->SetParent(this);

    Timer1 = new TTimer(this);
    Timer1->SetName("Timer1");
    Timer1->SetEnabled(false);
    Timer1->SetInterval(1000);
    Timer1->OnTimer = Bind(this, &TForm1::Timer1Timer);
    Timer3 = new TTimer(this);
    Timer3->SetName("Timer3");
    Timer3->SetInterval(300000);
    Timer3->OnTimer = Bind(this, &TForm1::Timer3Timer);
    Timer4 = new TTimer(this);
    Timer4->SetName("Timer4");
    Timer4->SetEnabled(false);
    Timer4->SetInterval(2000);
    Timer4->OnTimer = Bind(this, &TForm1::Timer4Timer);

    ImageList = new TImageList(this);
    ImageList->SetName("ImageList");
    SmallImageList = new TImageList(this);
    SmallImageList->SetName("SmallImageList");
    LoadGlyphs();

    TrayMenu = new TPopupMenu(this);
    TrayMenu->SetName("TrayMenu");
    auto addItem = [](TPopupMenu* menu, const char* name, const char* caption, TNotifyEvent click) {
        auto* item = new TMenuItem(menu);
        item->SetName(name);
        item->Caption = caption;
        item->OnClick = std::move(click);
        menu->Items()->Add(item);
        return item;
    };
    MenuBar = addItem(TrayMenu, "MenuBar", "Hide bar", Bind(this, &TForm1::TrayIcon1Click));
    MenuBar->Default = true;
    addItem(TrayMenu, "N1", "-", nullptr);
    MenuOption = addItem(TrayMenu, "MenuOption", "Option...", Bind(this, &TForm1::MenuOptionClick));
    Help1 = addItem(TrayMenu, "Help1", "Help...", Bind(this, &TForm1::Help1Click));
    MenuAbout = addItem(TrayMenu, "MenuAbout", "About...", Bind(this, &TForm1::MenuAboutClick));
    MenuExit = addItem(TrayMenu, "MenuExit", "Exit", Bind(this, &TForm1::MenuExitClick));

    DesktopMenu = new TPopupMenu(this);
    DesktopMenu->SetName("DesktopMenu");
    // Made here, not where the start-up builds the rest: the network button
    // and the five-minute rebuild use it, and a start-up step that fails
    // (a missing shell folder) would otherwise leave it null under them.
    NetworkMenu = new TPopupMenu(this);
    NetworkMenu->SetName("NetworkMenu");
    NetworkMenu->Images = ImageList;
    FindMenu = new TPopupMenu(this);
    FindMenu->SetName("FindMenu");
    FindFiles1 = addItem(FindMenu, "FindFiles1", "Find files...", Bind(this, &TForm1::FindFiles1Click));
    Findtexts1 = addItem(FindMenu, "Findtexts1", "Find texts...", Bind(this, &TForm1::FindFiles1Click));
    Findbydate1 = addItem(FindMenu, "Findbydate1", "Find by date...", Bind(this, &TForm1::FindFiles1Click));
    Findadvanced1 = addItem(FindMenu, "Findadvanced1", "Find advanced...", Bind(this, &TForm1::FindFiles1Click));
    addItem(FindMenu, "N3", "-", nullptr);
    FindComputer1 = addItem(FindMenu, "FindComputer1", "Find computer...", Bind(this, &TForm1::FindComputer1Click));
    Finduser1 = addItem(FindMenu, "Finduser1", "Find people...", Bind(this, &TForm1::Finduser1Click));
    DoctorMenu = new TPopupMenu(this);
    DoctorMenu->SetName("DoctorMenu");
    Mivorabackup1 = addItem(DoctorMenu, "Mivorabackup1", "Mivora backup", Bind(this, &TForm1::Mivorabackup1Click));
    addItem(DoctorMenu, "N5", "-", nullptr);
    addItem(DoctorMenu, "N6", "-", nullptr);
    SysinfoMenu = addItem(DoctorMenu, "SysinfoMenu", "System info...", Bind(this, &TForm1::SysinfoMenuClick));

    TrayIcon1 = new TTrayIcon(this);
    TrayIcon1->SetName("TrayIcon1");
    TrayIcon1->SetToolTip("Mivora");
    TrayIcon1->OnClick = Bind(this, &TForm1::TrayIcon1Click);
    TrayIcon1->PopupMenu = TrayMenu;
    // Made active once the bar is on screen (the program's start-up).

    auto makeFinder = [this](const char* name) {
        auto* f = new TFileFinder(this);
        f->SetName(name);
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
    FileSysMonitor1 = new TFileSysMonitor(this);
    FileSysMonitor1->SetName("FileSysMonitor1");
    FileSysMonitor1->SetNotifyFilter(NotifySet(TFileSysNotify::LAST_WRITE));
    FileSysMonitor1->OnFileSysChange = Bind(this, &TForm1::FileSysMonitor1FileSysChange);
    SysInfo1 = new TSysInfo(this);
    SysInfo1->SetName("SysInfo1");
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
        auto* b = new TSpeedButton(this);
        b->SetName("QuickStart" + std::to_string(i + 1));
        b->Flat = true;
        b->Tag = 1000;
        b->OnClick = Bind(this, &TForm1::OnRunFileBtnClick);
        b->OnMouseMove = Bind(this, &TForm1::QAppMouseMove);
        b->OnMouseUp = Bind(this, &TForm1::QstartMouseUp);
        b->SetBounds(ButtonLeft(1000), 0, kBarHeight, kBarHeight);
        b->SetParent(this);
        QuickStartButtons[i] = b;
    }
}

void TForm1::FormCreate(TObject*) {
    HandleNeeded();
    // The lists exist before any step that can fail or send a notice: an
    // error reported half-way leaves a running bar whose buttons use them.
    // Notices are taken only once they are loaded, below.
    RecentLinks = std::make_unique<TStringList>();
    RecentLinksNow = std::make_unique<TStringList>();
    RecentLinkAges = std::make_unique<TStringList>();
    LinkNames = std::make_unique<TStringList>();
    LinkTargets = std::make_unique<TStringList>();
    RecentFiles = std::make_unique<TStringList>();
    RecentFolders = std::make_unique<TStringList>();
    LockedFiles = std::make_unique<TStringList>();
    LockedFolders = std::make_unique<TStringList>();
    RecentApps = std::make_unique<TStringList>();
    LockedApps = std::make_unique<TStringList>();
    // The clock menu.
    if (BarExtensions.BuildZoneMenu) BarExtensions.BuildZoneMenu(this);
    // The quick-start strip.
    CreateQuickStartButtons();
    // The default web browser and mail client.
    {
        TRegistry reg(KEY_READ);
        reg.RootKey = HKEY_CLASSES_ROOT;
        if (reg.OpenKeyReadOnly("\\http\\shell\\open\\command")) BrowserPath = GetExeFromCmdLine(reg.ReadString(""));
        reg.CloseKey();
        if (reg.OpenKeyReadOnly("\\mailto\\shell\\open\\command"))
            MailClientPath = GetExeFromCmdLine(reg.ReadString(""));
        MailClientPath = FixMailClientPath(MailClientPath, WindowsFolder());
        if (IsOutlookExpress(MailClientPath)) Qoutlook->SetHint("Outlook Express");
        if (IsInternetExplorer(BrowserPath)) Qie->SetHint("Internet Explorer");
    }
    InstallHook(Handle());
    // Menus show the system's small icons.
    AttachSystemImageList(*ImageList);
    // Position, then the row (which also keeps the bar on the screen).
    TIniFile ini(BarIniPath());
    SetTop(ini.ReadInteger("ToolBar", "Top", 1));
    SetLeft(ini.ReadInteger("ToolBar", "Left", 300));
    ArrangeBar();
    // List limits and folder-recording options.
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
    // Background.
    if (BarExtensions.LoadToolbarBackground) BarExtensions.LoadToolbarBackground(this);
    // The tray shows the program's icon.
    {
        TIcon icon;
        icon.AssignHandle(Application->Icon ? Application->Icon : LoadIconA(nullptr, IDI_APPLICATION));
        TrayIcon1->SetIcon(icon);
    }
    // Watch the Recent folder.
    const std::string recent = GetShellFolder("Recent");
    FileSysMonitor1->SetMonitoredDirectory(recent);
    FileSysMonitor1->SetActive(true);
    // Load the lists.
    LoadListFile(*RecentFiles, "files.lst");
    LoadListFile(*RecentFolders, "folders.lst");
    LoadListFile(*LockedFiles, "lfiles.lst");
    LoadListFile(*LockedFolders, "lfolders.lst");
    LoadListFile(*RecentApps, "app.lst");
    LoadListFile(*LockedApps, "lapp.lst");
    ListsReady = true;
    // Drops; the network menu, made with the form, is built on first use.
    DragAcceptFiles(Handle(), TRUE);
    // The Recent folder's shortcuts, then the Start menu's programs.
    if (ScanRecentFolder()) RescanRecentFolder();
    ProgramFinder->Root = IncludeTrailingBackslash(GetShellFolder("Programs"));
    ProgramFinder->Execute();
    programLinks_.reset();
    // The program's registry values; the software search on the first start.
    {
        TRegistry reg;
        reg.RootKey = HKEY_LOCAL_MACHINE;
        // Without rights on the key nothing is written, and a failure must not
        // pass for a first start: the search would then run at every start.
        if (reg.OpenKey(kRegistryKey, true)) {
            reg.WriteString("RootDir", RootDirFromExe(Application->ExeName()));
            if (reg.ReadString("FirstRun").empty()) {
                reg.WriteString("FirstRun", "no");
                reg.CloseKey();
                if (BarExtensions.ShowSoftwareSearch) BarExtensions.ShowSoftwareSearch(this);
            }
        }
    }
    // The grip's colour follows the program's activation.
    Application->OnActivate = Bind(this, &TForm1::AppActivateChange);
    Application->OnDeactivate = Bind(this, &TForm1::AppActivateChange);
    // The info-tip window.
    TipWindow = new THintWindow(this);
    TipWindow->SetName("TipWindow");
    TipWindow->ParentWindow = GetDesktopWindow();
    TipWindow->SetColor(clInfoBk);
    TipWindow->HandleNeeded();
    TipHandle = TipWindow->Handle();
}

void TForm1::FormClose(TObject*, TCloseAction&) {
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
    if (under != Handle()) return;
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
