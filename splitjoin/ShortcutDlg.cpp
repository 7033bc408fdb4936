#include "splitjoin/ShortcutDlg.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include "dialogkit/BrowseFolder.h"
#include "framework/core/ComPtr.h"
#include "framework/dialogs/Controls.h"
#include "framework/dialogs/DataExchange.h"
#include "splitjoin/JapaneseTexts.h"
#include "framework/core/MbcsPath.h"
#include "splitjoin/PelmitApp.h"
#include "splitjoin/ShellFiles.h"
#include "splitjoin/core/ShortcutNames.h"
#include "framework/dialogs/Text.h"
#include "framework/win32/WideText.h"
#include "splitjoin/resource.h"

namespace splitjoin {

CShortcutDlg::CShortcutDlg() : CDialog(IDD_SHORTCUT) {
    icon_ = theApp.LoadIcon(IDI_PELMIT);
    MapClicked(IDC_SHORTCUT_DESKTOP, [this] { OnBrowse(CSIDL_DESKTOPDIRECTORY); });
    MapClicked(IDC_SHORTCUT_STARTMENU, [this] { OnBrowse(CSIDL_STARTMENU); });
}

CShortcutDlg::~CShortcutDlg() = default;

void CShortcutDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_SHORTCUT_FILE, filePath_);
    DDX_Text(pDX, IDC_SHORTCUT_TITLE, title_);
    DDX_Text(pDX, IDC_SHORTCUT_LOCATION, location_);
    DDX_Text(pDX, IDC_SHORTCUT_WORKDIR, workDir_);
    DDX_Text(pDX, IDC_SHORTCUT_NAME, displayName_);
}

BOOL CShortcutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    BringToFront();
    SHFILEINFOA info{};
    SHGetFileInfoA(filePath_.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_ATTRIBUTES);
    if (info.hIcon) {
        ScopedIcon fileIcon(info.hIcon);
        shownIcon_.Reset(info.dwAttributes & SFGAO_SHARE ? MakeSharedIcon(fileIcon.Get()) : fileIcon.Release());
        SendDlgItemMessage(IDC_SHORTCUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(shownIcon_.Get()));
    }
    displayName_ = info.szDisplayName;
    title_ = TitleFromDisplayName(displayName_, SystemLeadByte);
    location_ = FolderWithBackslash(filePath_, SystemLeadByte);
    workDir_ = location_;
    UpdateData(false);
    return TRUE;
}

void CShortcutDlg::OnDestroy() {
    // Explorer runs this once per selected item: no icon may stay behind.
    if (shownIcon_) {
        SendDlgItemMessage(IDC_SHORTCUT_ICON, STM_SETICON, 0);
        shownIcon_.Reset();
    }
}

void CShortcutDlg::OnBrowse(int specialFolder) {
    const auto folder = BrowseForFolder(Handle(), WideFromCodePage(932, kFolderBrowseTitle), specialFolder);
    if (folder) SetDlgItemText(IDC_SHORTCUT_LOCATION, *folder);
}

void CShortcutDlg::OnHelp() { theApp.ShowVoiceHelp(Handle(), 5009); }

bool CShortcutDlg::SaveLink(bool& unavailable) {
    unavailable = false;
    const std::wstring caption = WideFromCodePage(932, kShortcutCaption);
    const std::string linkFile = LinkFileName(location_, title_, SystemLeadByte);
    // The ANSI shell calls take no longer names, and a cut name would be another file.
    if (linkFile.size() >= MAX_PATH) {
        MessageBox(WideFromAnsi(linkFile + "\nThis name is too long for a shortcut."), caption, MB_OK | MB_ICONERROR);
        return false;
    }
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.ReceiveVoid()))) {
        unavailable = true;
        return false;
    }
    link->SetPath(filePath_.c_str());
    link->SetDescription(title_.c_str());
    link->SetWorkingDirectory(workDir_.c_str());
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid()))) {
        unavailable = true;
        return false;
    }
    const std::wstring wideName = WideFromAnsi(linkFile);
    if (wideName.empty()) {
        MessageBox(WideFromAnsi(linkFile + "\nThis name can't be used for a shortcut."), caption,
                   MB_OK | MB_ICONERROR);
        return false;
    }
    const HRESULT saved = file->Save(wideName.c_str(), TRUE);
    if (FAILED(saved)) {
        MessageBox(WideFromAnsi(linkFile + "\nThe shortcut can't be saved: " +
                                SystemErrorText(static_cast<DWORD>(saved))),
                   caption, MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

void CShortcutDlg::OnOK() {
    if (!UpdateData(true)) return;
    bool unavailable = false;
    if (SaveLink(unavailable)) {
        CDialog::OnOK();
    } else if (unavailable) {
        EndDialog(IDCANCEL);
    }
}

HICON MakeSharedIcon(HICON icon) {
    ScopedIcon overlay;
    ExtractIconExA("shell32.dll", 28, overlay.Receive(), nullptr, 1);
    CImageList images;
    CImageList combined;
    HICON merged = nullptr;
    if (images.Create(32, 32, ILC_MASK | ILC_COLOR32, 1, 0)) {
        images.Add(icon);
        if (overlay) images.Add(overlay.Get());
        if (combined.Create(images, 0, images, overlay ? 1 : 0, 0, 0)) merged = combined.ExtractIcon(0);
    }
    return merged ? merged : CopyIcon(icon);
}

}  // namespace splitjoin
