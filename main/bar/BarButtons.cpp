// The launch buttons: shell-folder menus, the find, tools, dial-up and
// address menus, the two program buttons, the other-button actions, and the
// network menu's refresh.
#include <windows.h>
#include <shellapi.h>
#include <objbase.h>

#include "main/bar/core/AddressBook.h"
#include "main/bar/core/BarRules.h"
#include "framework/core/ComPtr.h"
#include "backup/Dorvane.h"
#include "main/components/Funcs.h"
#include "main/bar/ItemTip.h"
#include "main/bar/core/RecentLists.h"
#include "framework/forms/Registry.h"
#include "framework/win32/ScopedHandle.h"
#include "main/bar/ShellMenus.h"
#include "framework/forms/SysUtils.h"
#include "framework/win32/WideText.h"
#include "main/bar/mainfrm.h"
#include "main/components/sndkey32.h"

namespace bar {

using components::GetShellFolder;
using components::SendKeys;

namespace {

// The address book's object, as far as "Find People" needs it: the methods
// before Find keep their places in the table.
struct IWabObject : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetLastError(HRESULT, ULONG, void**) = 0;
    virtual HRESULT STDMETHODCALLTYPE AllocateBuffer(ULONG, void**) = 0;
    virtual HRESULT STDMETHODCALLTYPE AllocateMore(ULONG, void*, void**) = 0;
    virtual HRESULT STDMETHODCALLTYPE FreeBuffer(void*) = 0;
    virtual HRESULT STDMETHODCALLTYPE Backup(LPSTR) = 0;
    virtual HRESULT STDMETHODCALLTYPE Import(LPSTR) = 0;
    virtual HRESULT STDMETHODCALLTYPE Find(IUnknown* addressBook, HWND owner) = 0;
};
struct WabParam {
    ULONG cbSize;  // 32 on 32-bit Windows
    HWND hwnd;
    LPSTR szFileName;
    ULONG ulFlags;
    GUID guidPSExt;
};
static_assert(sizeof(void*) != 4 || sizeof(WabParam) == 32, "the address book's parameter record");
using WabOpenFn = HRESULT(WINAPI*)(IUnknown** addressBook, IWabObject** wab, WabParam* param, DWORD reserved);

void HideTip() { HideItemTip(); }

std::string ReadWholeFile(const std::string& path) {
    const ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return "";
    std::string data;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(file.Get(), buf, sizeof buf, &got, nullptr) && got > 0) data.append(buf, got);
    return data;
}

std::string AnsiFromUtf16(const std::u16string& text) {
    std::wstring wide(text.begin(), text.end());
    return AnsiFromWide(wide);
}

const char kDialUpClsid[] = "CLSID\\{992CFFA0-F557-101A-88EC-00DD010CCC48}";
}  // namespace

void TForm1::BuildShellMenu(TMenuItem* Item, TPopupMenu* Menu, const std::string& Path, int SpecialFolder) {
    bar::BuildShellMenu(ShellMenuHost{Handle(), ImageList}, Item, Menu, Path, SpecialFolder);
}

void TForm1::FillShellMenu(const void* IdList, TMenuItem* Parent, TPopupMenu* Menu) {
    bar::FillShellMenu(ShellMenuHost{Handle(), ImageList}, static_cast<LPCITEMIDLIST>(IdList), Parent, Menu);
}

void TForm1::ShellMenuItemClick(TObject* Sender) {
    bar::ShellMenuItemClick(ShellMenuHost{Handle(), ImageList}, Sender);
}

void TForm1::OpenBarMenu(TPopupMenu* Menu, TSpeedButton* Button, int Kind, int X) {
    OpenMenuButton = static_cast<int>(Button->Tag);
    OpenMenuKind = Kind;
    struct Closed {
        ~Closed() { OpenMenuKind = 0; }
    } closed;
    Menu->PopupAt(X >= 0 ? X : Left() + Button->Left(), Top() + ClientHeight());
}

void TForm1::QexplorerClick(TObject*) {
    HideTip();
    BuildShellMenu(nullptr, DesktopMenu, "", 0);
    OpenBarMenu(DesktopMenu, Qexplorer, 2);
}

void TForm1::QcontrolClick(TObject*) {
    HideTip();
    BuildShellMenu(nullptr, DesktopMenu, "", CSIDL_CONTROLS);
    OpenBarMenu(DesktopMenu, Qcontrol, 10);
}

void TForm1::QfavoritesClick(TObject*) {
    HideTip();
    BuildShellMenu(nullptr, DesktopMenu, "", CSIDL_FAVORITES);
    OpenBarMenu(DesktopMenu, Qfavorites, 7);
}

void TForm1::QhistoryClick(TObject*) {
    HideTip();
    BuildShellMenu(nullptr, DesktopMenu, "", CSIDL_HISTORY);
    OpenBarMenu(DesktopMenu, Qhistory, 8);
}

void TForm1::QnetClick(TObject*) {
    HideTip();
    if (NetworkMenuStale) {
        BuildShellMenu(nullptr, NetworkMenu, "", CSIDL_NETWORK);
        NetworkMenuStale = false;
    }
    OpenBarMenu(NetworkMenu, Qnet, 1);
}

void TForm1::Timer3Timer(TObject*) {
    if (OpenMenuKind != 1) BuildShellMenu(nullptr, NetworkMenu, "", CSIDL_NETWORK);
}

void TForm1::QfindClick(TObject*) {
    HideTip();
    OpenBarMenu(FindMenu, Qfind, 10);
}

void TForm1::FindFiles1Click(TObject* Sender) {
    const char* script = "<Input filename to find>+{Left 24}";
    if (Sender == Findtexts1) script = "{Tab}<Input text to find>+{Left 20}";
    if (Sender == Findbydate1) script = "{Tab 5}{Right}";
    if (Sender == Findadvanced1) script = "{Tab 5}{Right 2}";
    // Keys go out only into a find dialog that opened; otherwise they would
    // land in whatever window has the focus.
    if (!OpenIdList(Handle(), "find", nullptr)) return;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 2000) {
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    SendKeys(script, false);
}

void TForm1::FindComputer1Click(TObject*) {
    // Wine's shell has the export as a stub that ends the calling process.
    if (RunningOnWine()) return;
    using FindComputer = BOOL(WINAPI*)(LPCITEMIDLIST, LPCITEMIDLIST);
    HMODULE shell = GetModuleHandleA("shell32.dll");
    auto fn = shell ? reinterpret_cast<FindComputer>(GetProcAddress(shell, MAKEINTRESOURCEA(91))) : nullptr;
    if (fn) fn(nullptr, nullptr);
}

void TForm1::Finduser1Click(TObject*) {
    std::string dll;
    {
        TRegistry reg(KEY_READ);
        reg.RootKey = HKEY_LOCAL_MACHINE;
        if (reg.OpenKeyReadOnly("Software\\Microsoft\\WAB\\DLLPath")) dll = reg.ReadString("");
    }
    if (dll.empty()) return;
    ScopedModule lib(LoadLibraryA(dll.c_str()));
    if (!lib.Get()) return;
    auto open = reinterpret_cast<WabOpenFn>(GetProcAddress(lib.Get(), "WABOpen"));
    if (!open) return;
    WabParam wp{};
    wp.cbSize = sizeof wp;
    wp.hwnd = Handle();
    ComPtr<IUnknown> book;
    ComPtr<IWabObject> wab;
    if (FAILED(open(book.Receive(), wab.Receive(), &wp, 0)) || !wab)
        throw Exception("The address book could not be opened");
    if (FAILED(wab->Find(book.Get(), Handle()))) throw Exception("The address book search failed");
}

void TForm1::QdoctorClick(TObject*) {
    HideTip();
    // The tools of the last opening go; the two separators stay.
    while (DoctorMenu->Items()->Count() > 4) DoctorMenu->Items()->Delete(2);
    DoctorMenu->Images = ImageList;
    const std::string w = SysInfo1->WinPath();
    if (GetWinVersionCode() == 10) {
        AddToolItem(w + "\\system32\\cleanmgr.exe");
        AddToolItem(w + "\\system32\\cmd.exe");
        AddToolItem(w + "\\system32\\osk.exe");
        if (!MailClientPath.empty()) AddToolItem(ExtractFilePath(MailClientPath) + "wab.exe");
    } else {
        AddToolItem(w + "\\cleanmgr.exe");
        AddToolItem(w + "\\defrag.exe");
    }
    AddToolItem(w + "\\scandskw.exe");
    OpenBarMenu(DoctorMenu, Qdoctor, 10);
}

void TForm1::AddToolItem(const std::string& Path) {
    if (!FileExists(Path)) return;
    auto* item = new TMenuItem(nullptr);
    item->Caption = ProgramCaption(Path, ExtractFileName(Path));
    item->Hint = Path;
    item->OnClick = Bind(this, &TForm1::OnRunFileItemClick);
    item->ImageIndex = GetSmallIconIndex(Path);
    DoctorMenu->Items()->Insert(2, item);
}

void TForm1::Mivorabackup1Click(TObject*) {
    struct Search {
        HWND found = nullptr;
        static BOOL CALLBACK Visit(HWND w, LPARAM lp) {
            char title[64] = {};
            GetWindowTextA(w, title, sizeof title);
            if (lstrcmpiA(title, "Mivora backup") != 0) return TRUE;
            reinterpret_cast<Search*>(lp)->found = w;
            return FALSE;
        }
    } search;
    EnumWindows(Search::Visit, reinterpret_cast<LPARAM>(&search));
    if (search.found)
        ShowWindow(search.found, SW_SHOWNORMAL);
    else
        VukFunction();
}

void TForm1::SysinfoMenuClick(TObject*) {
    if (BarExtensions.ShowSystemReport) BarExtensions.ShowSystemReport(this);
}

void TForm1::QdialupClick(TObject*) {
    HideTip();
    TScreenHourGlass hourglass;
    std::string name;
    {
        TRegistry reg(KEY_READ);
        reg.RootKey = HKEY_CLASSES_ROOT;
        if (reg.OpenKeyReadOnly(kDialUpClsid)) name = reg.ReadString("");
    }
    if (name.empty()) return;
    ScopedIdList parent;
    const int csidl = GetWinVersionCode() == 10 ? CSIDL_CONTROLS : CSIDL_DRIVES;
    if (FAILED(SHGetSpecialFolderLocation(Handle(), csidl, parent.Receive())))
        throw Exception("The dial-up networking folder could not be located");
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Receive()))) throw Exception("The desktop folder could not be opened");
    ComPtr<IShellFolder> folder;
    if (FAILED(desktop->BindToObject(parent.Get(), nullptr, IID_IShellFolder, folder.ReceiveVoid())))
        throw Exception("The dial-up networking folder could not be opened");
    ComPtr<IEnumIDList> children;
    if (folder->EnumObjects(nullptr, 0xE0, children.Receive()) != S_OK || !children) return;
    ScopedIdList target;
    for (;;) {
        ScopedIdList child;
        if (children->Next(1, child.Receive(), nullptr) != S_OK || !child.Get()) break;
        ScopedIdList absolute(ConcatIdLists(parent.Get(), child.Get()));
        SHFILEINFOA info{};
        if (absolute.Get() && SHGetFileInfoA(reinterpret_cast<LPCSTR>(absolute.Get()), 0, &info, sizeof info,
                                         SHGFI_PIDL | SHGFI_DISPLAYNAME) &&
            name == info.szDisplayName) {
            target = std::move(absolute);
            break;
        }
    }
    if (!target.Get()) return;
    DesktopMenu->Items()->Clear();
    DesktopMenu->Images = ImageList;
    FillShellMenu(target.Get(), nullptr, DesktopMenu);
    OpenBarMenu(DesktopMenu, Qdialup, 10);
}

void TForm1::QmailClick(TObject*) {
    HideTip();
    std::string file;
    {
        TRegistry reg(KEY_READ);
        reg.RootKey = HKEY_CURRENT_USER;
        if (reg.OpenKeyReadOnly("Software\\Microsoft\\WAB\\WAB4\\Wab File Name")) file = reg.ReadString("");
    }
    if (file.empty()) return;
    const AddressBookLayout layout = GetWinVersionCode() == 10 ? kWideAddressBook : kAnsiAddressBook;
    const std::vector<std::string> addresses = WalkAddressBook(ReadWholeFile(file), layout, AnsiFromUtf16);
    DesktopMenu->Items()->Clear();
    DesktopMenu->Images = SmallImageList;
    for (const std::string& address : addresses) {
        auto* item = new TMenuItem(nullptr);
        item->Caption = address;
        item->ImageIndex = 13;
        item->OnClick = Bind(this, &TForm1::MailMenuItemClick);
        DesktopMenu->Items()->Add(item);
    }
    OpenBarMenu(DesktopMenu, Qmail, 10);
}

void TForm1::MailMenuItemClick(TObject* Sender) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item) return;
    ShellExecuteA(Handle(), "open", ("mailto:" + item->Caption).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TForm1::QieClick(TObject*) {
    // Quoted: an unquoted path with blanks would start "C:\Program.exe" first.
    if (!BrowserPath.empty()) WinExec(QuoteCommandPath(BrowserPath).c_str(), SW_SHOWNORMAL);
}

void TForm1::QoutlookClick(TObject*) {
    if (!MailClientPath.empty()) WinExec(QuoteCommandPath(MailClientPath).c_str(), SW_SHOWNORMAL);
}

void TForm1::QieMouseUp(TObject*, TMouseButton Button, TShiftState, int, int) {
    if (Button == TMouseButton::mbLeft) return;
    WinExec("rundll32.exe shell32.dll,Control_RunDLL Inetcpl.cpl,,0", SW_SHOWNORMAL);
}

void TForm1::QoutlookMouseUp(TObject*, TMouseButton Button, TShiftState, int, int) {
    if (Button == TMouseButton::mbLeft) return;
    ShellExecuteA(Handle(), "open", "mailto:", nullptr, nullptr, SW_SHOWNORMAL);
}

void TForm1::QdialupMouseUp(TObject*, TMouseButton Button, TShiftState, int, int) {
    if (Button == TMouseButton::mbLeft) return;
    WinExec("rundll32.exe shell32.dll,Control_RunDLL telephon.cpl", SW_SHOWNORMAL);
}

void TForm1::QmailMouseUp(TObject*, TMouseButton Button, TShiftState, int, int) {
    if (Button == TMouseButton::mbLeft) return;
    // Without a mail program there is no folder: "wab.exe" alone would be
    // looked for in the current folder.
    if (MailClientPath.empty()) return;
    const std::string wab = ExtractFilePath(MailClientPath) + "wab.exe";
    if (FileExists(wab)) WinExec(QuoteCommandPath(wab).c_str(), SW_SHOWNORMAL);
}

void TForm1::QfavoritesMouseUp(TObject*, TMouseButton Button, TShiftState, int, int) {
    if (Button == TMouseButton::mbLeft) return;
    ScopedModule lib(LoadLibraryA("shdocvw.dll"));
    if (!lib.Get()) return;
    using OrganizeFavorites = BOOL(WINAPI*)(HWND, LPSTR);
    auto fn = reinterpret_cast<OrganizeFavorites>(GetProcAddress(lib.Get(), "DoOrganizeFavDlg"));
    if (!fn) return;
    std::string folder = GetShellFolder("Favorites");
    fn(Handle(), &folder[0]);
}

void TForm1::QnetMouseUp(TObject* Sender, TMouseButton Button, TShiftState, int X, int Y) {
    if (Button == TMouseButton::mbLeft) return;
    auto* button = dynamic_cast<TSpeedButton*>(Sender);
    if (!button) return;
    if (button == QApp) {
        // The system Start menu, moved to the cursor: its window is the
        // "BaseBar" with the smallest handle.
        struct Search {
            HWND kept = nullptr;
            UINT_PTR smallest = 0xFFFFFF;
            static BOOL CALLBACK Visit(HWND w, LPARAM lp) {
                auto* s = reinterpret_cast<Search*>(lp);
                char cls[32] = {};
                GetClassNameA(w, cls, sizeof cls);
                const auto value = reinterpret_cast<UINT_PTR>(w);
                if (lstrcmpiA(cls, "BaseBar") == 0 && value < s->smallest) {
                    s->smallest = value;
                    s->kept = w;
                }
                return TRUE;
            }
        } search;
        EnumWindows(Search::Visit, reinterpret_cast<LPARAM>(&search));
        POINT pt{};
        GetCursorPos(&pt);
        if (HWND tray = FindWindowA("Shell_TrayWnd", nullptr)) SetForegroundWindow(tray);
        if (search.kept) LockWindowUpdate(search.kept);
        SendMessageA(GetDesktopWindow(), WM_SYSCOMMAND, SC_TASKLIST, 0);
        if (search.kept) {
            SetWindowPos(search.kept, nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            LockWindowUpdate(nullptr);
            RedrawWindow(search.kept, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_INVALIDATE);
        }
        return;
    }
    bool* foldersOnly = nullptr;
    if (button == Qnet) foldersOnly = &NetFoldersOnly;
    if (button == Qexplorer) foldersOnly = &ExplorerFoldersOnly;
    if (button == QFile) foldersOnly = &QuickFoldersOnly;
    if (!foldersOnly) return;
    ScopedMenu menu(CreatePopupMenu());
    if (!menu.Get()) return;
    AppendMenuA(menu.Get(), MF_STRING | (*foldersOnly ? MF_CHECKED : 0), 1, "Only browse folder");
    if (button == Qnet) AppendMenuA(menu.Get(), MF_STRING, 2, "Refresh");
    struct RecordFlag {
        UINT id;
        const char* caption;
        const char* key;
        bool* flag;
    };
    const RecordFlag records[] = {{3, "Record drive root", "RecRoot", &RecRoot},
                                  {4, "Record desktop directory", "RecDesktop", &RecDesktop},
                                  {5, "Record network", "RecNet", &RecNet},
                                  {6, "Record subdirectory", "RecSubDir", &RecSubDir}};
    if (button == QFile) {
        AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
        for (const RecordFlag& r : records)
            AppendMenuA(menu.Get(), MF_STRING | (*r.flag ? MF_CHECKED : 0), r.id, r.caption);
    }
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                         Left() + button->Left() + X, Top() + button->Top() + Y, 0,
                                                         Handle(), nullptr));
    if (chosen == 1) {
        *foldersOnly = !*foldersOnly;
        if (button == Qnet) BuildShellMenu(nullptr, NetworkMenu, "", CSIDL_NETWORK);
    } else if (chosen == 2) {
        BuildShellMenu(nullptr, NetworkMenu, "", CSIDL_NETWORK);
        QnetClick(Qnet);
    } else {
        for (const RecordFlag& r : records) {
            if (chosen != r.id) continue;
            *r.flag = !*r.flag;
            TIniFile ini(BarIniPath());
            ini.WriteBool("Record", r.key, *r.flag);
        }
    }
}

void TForm1::aImageMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
    // The image took the mouse on the press; the menu needs it now.
    ReleaseCapture();
    HideTip();
    OpenMenuKind = 10;
    struct Closed {
        ~Closed() { OpenMenuKind = 0; }
    } closed;
    TrayMenu->PopupAt(Left() + X + 1, Top() + Y + 1);
}

}  // namespace bar
