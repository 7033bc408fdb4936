#include "archive/PackDlg.h"

#include "dialogkit/BrowseFolder.h"
#include "archive/CompressApp.h"
#include "framework/dialogs/DataExchange.h"
#include "framework/core/MbcsPath.h"
#include "archive/PackRun.h"
#include "framework/dialogs/Text.h"
#include "archive/resource.h"

namespace {

const char kCaption[] = "Compression";

}  // namespace

CCompressDlg::CCompressDlg()
    : CPackTabsDlg(IDD_PACK, {IDD_PACK_LZH, IDD_PACK_TAR, IDD_PACK_ZIP, kLzhSection, kTarSection, kZipSection},
                   kPackSection) {
    icon_ = theApp.LoadIcon(IDI_PACK);
    MapClicked(IDC_BROWSE, [this] { OnBrowse(); });
}

void CCompressDlg::DoDataExchange(CDataExchange* pDX) {
    CPackTabsDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BROWSE, browse_);
    DDX_Text(pDX, IDC_ARCHIVE_PATH, archivePath_);
}

BOOL CCompressDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcons(icon_);
    browse_.SetIcon(IDI_BROWSE, 16, 16);
    SetUpPages();
    if (!items_.empty()) {
        archivePath_ = archive::ArchiveStem(items_[0], SystemLeadByte);
        baseFolder_ = archive::BaseFolderOf(archivePath_, SystemLeadByte);
    }
    UpdateData(false);
    return TRUE;
}

void CCompressDlg::OnBrowse() {
    const auto chosen = ChooseOutputFile(Handle(), L"Compress Files",
                                         L"Compress Files(lzh,zip,tar)|*.lzh;*.zip;*.tar|All Files(*.*)|*.*||");
    if (chosen) SetDlgItemText(IDC_ARCHIVE_PATH, *chosen);
}

void CCompressDlg::OnOK() {
    if (!UpdateData(true)) return;
    const std::size_t first = archivePath_.find_first_not_of(' ');
    archivePath_ = first == std::string::npos ? std::string() : archivePath_.substr(first);
    if (archivePath_.empty()) return;
    CPackPage& page = CurrentPage();
    if (!page.UpdateData(true)) return;

    archive::PackRequest request;
    request.archiveStem = archivePath_;
    request.baseFolder = baseFolder_;
    request.items = archive::PackItemsOf(items_);
    page.Fill(request);
    page.ApplyPath(request);
    // A failure has been told and leaves the dialog open, the options unsaved.
    if (!archive::RunPack(Handle(), request, kCaption, made_)) return;

    SaveCurrentTab();
    page.Save();
    EndDialog(IDOK);
}
