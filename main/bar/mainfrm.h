// The bar: the program's main form, a borderless always-on-top strip of
// buttons whose window class other programs look for.
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "framework/forms/ExtCtrls.h"
#include "main/components/FileFinder.h"
#include "main/components/Filemoni.h"
#include "framework/forms/Forms.h"
#include "framework/forms/HintWindow.h"
#include "framework/forms/ImageList.h"
#include "framework/forms/IniFile.h"
#include "framework/forms/Menus.h"
#include "framework/core/StringList.h"
#include "framework/forms/Timer.h"
#include "main/components/TrayIcon.h"
#include "main/components/sysinfo.h"

namespace components {
class TShortcutReader;
}  // namespace components

namespace bar {

class TAppGroupStore;

// The notice other processes send the bar: a path opened (lParam -1, wParam a
// global atom) or a program window shown (lParam 2, wParam the window).
const UINT WM_HOOKNOTIFY = WM_USER + 66;
extern const char kBarWindowClass[];  // "Tolvex"

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* AOwner);
    ~TForm1() override;

    // ---- components, as named on the form ----
    TPanel* Panel1;
    TImage* aImage;
    TSpeedButton* QApp;
    TSpeedButton* Qrecentapp;
    TSpeedButton* QFile;
    TSpeedButton* Qrecentfile;
    TSpeedButton* Qexplorer;
    TSpeedButton* Qnet;
    TSpeedButton* Qdoctor;
    TSpeedButton* Qfind;
    TSpeedButton* Qcontrol;
    TSpeedButton* Qfavorites;
    TSpeedButton* Qhistory;
    TSpeedButton* Qmail;
    TSpeedButton* Qdialup;
    TSpeedButton* Qie;
    TSpeedButton* Qoutlook;
    TPanel* Qtime;
    TBevel* Bevel2;
    TBevel* Bevel3;
    TBevel* Bevel4;
    TLabel* Label1;
    TLabel* ZoneHint;
    TTimer* Timer1;
    TTimer* Timer3;
    TTimer* Timer4;
    components::TTrayIcon* TrayIcon1;
    components::TFileFinder* FileFinder1;
    components::TFileFinder* ProgramFinder;
    components::TFileSysMonitor* FileSysMonitor1;
    components::TSysInfo* SysInfo1;
    TImageList* ImageList;       // shares the system's small icons
    TImageList* SmallImageList;  // the bar's own button pictures, by Tag
    TPopupMenu* TrayMenu;
    TMenuItem* MenuBar;
    TMenuItem* MenuOption;
    TMenuItem* Help1;
    TMenuItem* MenuAbout;
    TMenuItem* MenuExit;
    TPopupMenu* DesktopMenu;
    TPopupMenu* FindMenu;
    TMenuItem* FindFiles1;
    TMenuItem* Findtexts1;
    TMenuItem* Findbydate1;
    TMenuItem* Findadvanced1;
    TMenuItem* FindComputer1;
    TMenuItem* Finduser1;
    TPopupMenu* DoctorMenu;
    TMenuItem* Mivorabackup1;
    TMenuItem* SysinfoMenu;
    std::array<TSpeedButton*, 5> QuickStartButtons{};
    // The background (BarBackground.cpp): three picture areas, made with the
    // first background, and the five textures by index, made on first use.
    TImage* Image1 = nullptr;
    TImage* Image2 = nullptr;
    TImage* Image3 = nullptr;
    std::array<TImage*, 5> Textures{};

    // ---- life cycle, settings, tray (mainfrm.cpp) ----
    void FormCreate(TObject* Sender);
    // The start-up steps that nothing on the first window needs (the system's
    // icon list, the two scans, the start's registry values, the tip window,
    // the pop-up list's hooks), run once the bar is on screen; a first start
    // has run them inside FormCreate already, before its software search.
    // After a FormCreate that failed half-way only the icon list is attached.
    void FinishStart();
    void CreateQuickStartButtons();
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormPaint(TObject* Sender);
    void FormActivate(TObject* Sender);
    void AppActivateChange(TObject* Sender);
    void PaintGripGradient();
    void Panel1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void QAppMouseMove(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Timer1Timer(TObject* Sender);
    void Timer4Timer(TObject* Sender);
    void TrayIcon1Click(TObject* Sender);
    void MenuOptionClick(TObject* Sender);
    void MenuAboutClick(TObject* Sender);
    void Help1Click(TObject* Sender);
    void MenuExitClick(TObject* Sender);
    // After a move by the grip: collapse above the screen, else keep on it.
    void AfterGripMove();

    // ---- layout (BarArrange.cpp) ----
    void ArrangeBar();
    void CollapseBar();
    void QstartMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    int BarWidth = 0;
    int BarHeight = 22;

    // ---- shell-folder menus (ShellMenus.cpp) ----
    void BuildShellMenu(TMenuItem* Item, TPopupMenu* Menu, const std::string& Path, int SpecialFolder);
    void FillShellMenu(const void* IdList, TMenuItem* Parent, TPopupMenu* Menu);
    void ShellMenuItemClick(TObject* Sender);

    // ---- launch buttons and bar menus (BarButtons.cpp) ----
    void QexplorerClick(TObject* Sender);
    void QcontrolClick(TObject* Sender);
    void QfavoritesClick(TObject* Sender);
    void QhistoryClick(TObject* Sender);
    void QnetClick(TObject* Sender);
    void QfindClick(TObject* Sender);
    void QdoctorClick(TObject* Sender);
    void QmailClick(TObject* Sender);
    void QdialupClick(TObject* Sender);
    void QieClick(TObject* Sender);
    void QoutlookClick(TObject* Sender);
    void FindFiles1Click(TObject* Sender);
    void FindComputer1Click(TObject* Sender);
    void Finduser1Click(TObject* Sender);
    void MailMenuItemClick(TObject* Sender);
    void Mivorabackup1Click(TObject* Sender);
    void SysinfoMenuClick(TObject* Sender);
    void QnetMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void QfavoritesMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void QmailMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void QdialupMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void QieMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void QoutlookMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void aImageMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Timer3Timer(TObject* Sender);
    void AddToolItem(const std::string& Path);
    // The shared steps of opening a bar menu under its button.
    // The menu opens at screen x `X`, under the button when that is -1.
    void OpenBarMenu(TPopupMenu* Menu, TSpeedButton* Button, int Kind, int X = -1);
    // Program files of the quick-start strip and tools: run by their Hint.
    void OnRunFileBtnClick(TObject* Sender);
    void OnRunFileItemClick(TObject* Sender);

    // ---- application menu (AppMenu.cpp) ----
    TPopupMenu* AppMenu = nullptr;
    std::array<TMenuItem*, 9> GroupItems{};  // WordProcess1 .. Misc1, in the fixed groups' order
    TMenuItem* Practic1 = nullptr;
    TMenuItem* Associatedapplications1 = nullptr;
    TMenuItem* Run1 = nullptr;
    TMenuItem* Renew1 = nullptr;
    TMenuItem* Register1 = nullptr;
    void QAppClick(TObject* Sender);
    void FillGroupMenu(const std::string& Section, TMenuItem* Item, TAppGroupStore& Store);
    void ItemsxClick(TObject* Sender);
    void RunGroupItem(const std::string& Section, TAppGroupStore& Store, TMenuItem* Item);
    void OnAssociateClick(TObject* Sender);
    void Run1Click(TObject* Sender);
    void Renew1Click(TObject* Sender);
    void Register1Click(TObject* Sender);
    // The picture of every group: the Programs folder's, asked on first use.
    int GroupIcon();
    // A program's Start-menu shortcut name, or `Fallback` when none points at it.
    std::string ProgramCaption(const std::string& Path, const std::string& Fallback) const;

    // ---- recent lists and hook notices (HookNotify.cpp) ----
    void WMHookNotify(TMessage& Message);
    void ProgramFinderFileFound(TObject* Sender, const std::string& Directory, TSearchRec& SearchRec, bool& Stop);

    // ---- recent-item menus (RecentMenus.cpp) ----
    void QrecentappClick(TObject* Sender);
    void QFileClick(TObject* Sender);
    void QrecentfileClick(TObject* Sender);

    // ---- the Recent folder and dropped files (RecentFolder.cpp) ----
    void FileFinder1FileFound(TObject* Sender, const std::string& Directory, TSearchRec& SearchRec, bool& Stop);
    void FileSysMonitor1FileSysChange(TObject* Sender, const std::string& Directory);
    void WMDropFiles(TMessage& Message);
    // Runs FileFinder1 over the Recent folder; true when a change notice came
    // meanwhile, which then asks for one more rescan.
    bool ScanRecentFolder();

protected:
    void CreateParams(TCreateParams& Params) override;

private:
    bool startPending_ = false;
    static bool IsFirstStart();
    void BuildComponents();
    void BuildControls();
    void BuildMenus();
    void BuildAppMenu();
    void FillBarMenu(TPopupMenu* TForm1::*menu);
    void BuildWatchers();
    // A flat button of the row, placed by its Tag.
    TSpeedButton* MakeBarButton(const std::string& name, int tag);
    TTimer* MakeTimer(const std::string& name, bool enabled, UINT interval, void (TForm1::*onTimer)(TObject*));
    void LoadGlyphs();
    void CreateLists();
    void FindDefaultPrograms();
    void LoadSettings();
    void SetTrayIcon();
    void WatchRecentFolder();
    void LoadLists();
    void ScanShortcuts();
    void RecordStartInRegistry();
    void CreateTipWindow();
    void RescanRecentFolder();
    bool closing_ = false;
    bool recentScanning_ = false;
    bool recentChangePending_ = false;
    // One shell link object for the whole walk of the Start menu's programs.
    std::unique_ptr<components::TShortcutReader> programLinks_;
    bool groupIconKnown_ = false;
};

extern TForm1* Form1;

// ---- globals of the bar unit ----
extern std::string BrowserPath;
extern std::string MailClientPath;
extern bool BarHidden;
extern int MaxFile, MaxlFile, MaxFolder, MaxlFolder, MaxRecentApps, MaxlRecentApps;
extern bool RecRoot, RecDesktop, RecNet, RecSubDir;
// The lists exist from start-up until the bar object goes, so a late notice
// never finds them freed; ListsReady says whether notices may use them.
extern std::unique_ptr<TStringList> RecentLinks, RecentLinksNow, RecentLinkAges, LinkNames, LinkTargets;
extern std::unique_ptr<TStringList> RecentFiles, RecentFolders, LockedFiles, LockedFolders, RecentApps, LockedApps;
extern bool ListsReady;
extern TPopupMenu* NetworkMenu;
extern bool NetworkMenuStale;
extern THintWindow* TipWindow;
extern HWND TipHandle;
extern int OpenMenuKind;
extern int OpenMenuButton;
extern bool NetFoldersOnly, ExplorerFoldersOnly, QuickFoldersOnly;

extern bool RecentRescan;

// The folder of the settings and list files: the program's folder. Tests that
// drive the bar in their own process point it elsewhere.
std::string BarFolder();
void SetBarFolder(const std::string& folder);
// The settings file beside the program.
std::string BarIniPath();
// Fills `list` from a list file beside the program when it exists.
void LoadListFile(TStringList& list, const std::string& fileName);
// Writes `list` to its file beside the program (CR LF after every line).
void SaveListFile(const TStringList& list, const std::string& fileName);
// The user locale's case-insensitive comparison of two paths.
bool SamePathText(const std::string& a, const std::string& b);

// Dialogs and the clock that live in other units of the program: each entry
// is set by its unit when linked in; an empty one does nothing.
struct TBarExtensions {
    std::function<void(TForm1*)> BuildZoneMenu;
    std::function<void(TForm1*)> SaveZoneSelection;
    std::function<void(TForm1*)> ClockTick;
    std::function<void(TForm1*)> ShowSoftwareSearch;
    std::function<void(TForm1*)> ShowOptions;
    std::function<void(TForm1*)> ShowAbout;
    std::function<void(TForm1*)> ShowSystemReport;
    std::function<void(TForm1*)> LoadToolbarBackground;
};
extern TBarExtensions BarExtensions;

}  // namespace bar
