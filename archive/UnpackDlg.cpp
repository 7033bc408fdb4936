#include "archive/UnpackDlg.h"

#include "archive/core/ArchiveCommandLines.h"
#include "archive/Archivers.h"
#include "dialogkit/BrowseFolder.h"
#include "archive/CompressApp.h"
#include "framework/dialogs/DataExchange.h"
#include "dialogkit/FileRoutines.h"
#include "framework/core/MbcsPath.h"
#include "framework/dialogs/Text.h"
#include "archive/resource.h"

namespace {

const char kCaption[] = "Decompression";

archive::Archiver ArchiverOf(archive::ArchiveKind kind) {
    switch (kind) {
        case archive::ArchiveKind::Lzh:
            return archive::Archiver::Unlha;
        case archive::ArchiveKind::Tar:
            return archive::Archiver::Tar;
        default:
            return archive::Archiver::UnZip;
    }
}

}  // namespace

CDecompressDlg::CDecompressDlg() : CDialog(IDD_UNPACK) {
    icon_ = theApp.LoadIcon(IDI_UNPACK);
    MapClicked(IDC_BROWSE, [this] { OnBrowse(); });
}

void CDecompressDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_BROWSE, browse_);
    DDX_Check(pDX, IDC_ONLY_NEW, onlyNew_);
    DDX_Check(pDX, IDC_SERIAL, serial_);
    DDX_Check(pDX, IDC_USE_PATH, usePath_);
    DDX_Text(pDX, IDC_DESTINATION, destination_);
    DDV_MaxChars(pDX, destination_, 255);
}

BOOL CDecompressDlg::OnInitDialog() {
    usePath_ = theApp.GetProfileFlag(kUnpackSection, "UsePath", 1);
    onlyNew_ = theApp.GetProfileFlag(kUnpackSection, "OnlyNew", 0);
    serial_ = theApp.GetProfileFlag(kUnpackSection, "Serial", 0);
    CDialog::OnInitDialog();
    SetIcons(icon_);
    BringToFront();
    browse_.SetIcon(IDI_BROWSE, 16, 16);
    if (destination_.empty() && !items_.empty())
        destination_ = FolderWithBackslash(archive::ArchiveStem(items_[0], SystemLeadByte), SystemLeadByte);
    // Made before the user confirms, so that the browser can start there. The
    // current folder stays as it is: inside Explorer it is the shell's, and a
    // folder an archive has just filled is no place to look for programs.
    if (!destination_.empty()) dialogkit::CreateDirectoryTree(destination_);
    kept_ = destination_;
    UpdateData(false);
    return TRUE;
}

void CDecompressDlg::OnBrowse() {
    const auto folder = BrowseForFolder(Handle());
    if (folder) SetDlgItemText(IDC_DESTINATION, *folder);
}

void CDecompressDlg::OnHelp() { theApp.ShowVoiceHelp(Handle(), 5001); }

void CDecompressDlg::OnOK() {
    if (!UpdateData(true)) return;
    destination_ = archive::NormalizeDestination(destination_, kept_, SystemLeadByte);
    const archive::UnpackOptions options{usePath_ != 0, onlyNew_ != 0};
    std::string failures;
    for (const std::string& item : items_) {
        const DWORD attributes = GetFileAttributesA(item.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        const archive::ArchiveKind kind = archive::KindOfArchive(item);
        if (kind == archive::ArchiveKind::None) continue;
        const std::string command = archive::UnpackCommand(kind, options, item, destination_, extra_);
        const archive::ArchiverOutcome outcome = archive::CallArchiver(ArchiverOf(kind), Handle(), command);
        if (!outcome.ok) failures += item + "\n" + outcome.failure + "\n";
    }
    // Every archive has had its turn; what failed is told at once, and the
    // dialog stays for another destination or Cancel.
    if (!failures.empty()) {
        MessageBox(failures + "\nThese archives were not unpacked completely into " + destination_ + ".", kCaption,
                   MB_OK | MB_ICONERROR);
        return;
    }
    theApp.WriteProfileInt(kUnpackSection, "UsePath", usePath_);
    theApp.WriteProfileInt(kUnpackSection, "OnlyNew", onlyNew_);
    theApp.WriteProfileInt(kUnpackSection, "Serial", serial_);
    EndDialog(IDOK);
}
