#include "PackDlg.h"

#include <commdlg.h>

#include "CompressApp.h"
#include "DataExchange.h"
#include "MbcsPath.h"
#include "PackRun.h"
#include "Services.h"
#include "Text.h"
#include "resource.h"

namespace {

const char kCaption[] = "Compression";

}  // namespace

CCompressDlg::CCompressDlg()
    : CDialog(IDD_PACK), lzh_(IDD_PACK_LZH, kLzhSection), tar_(IDD_PACK_TAR, kTarSection),
      zip_(IDD_PACK_ZIP, kZipSection) {
    icon_ = theApp.LoadIcon(IDI_PACK);
    MapClicked(IDC_BROWSE, [this] { OnBrowse(); });
    MapNotify(IDC_FORMAT_TABS, TCN_SELCHANGING, [this](NMHDR*, LRESULT* result) {
        CurrentPage().ShowWindow(SW_HIDE);
        *result = 0;
    });
    MapNotify(IDC_FORMAT_TABS, TCN_SELCHANGE, [this](NMHDR*, LRESULT*) { tabs_.Show(tabs_.GetCurSel()); });
}

void CCompressDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_BROWSE, browse_);
    DDX_Control(pDX, IDC_FORMAT_TABS, tabs_);
    DDX_Text(pDX, IDC_ARCHIVE_PATH, archivePath_);
}

CPackPage& CCompressDlg::CurrentPage() {
    CPackPage* pages[] = {&lzh_, &tar_, &zip_};
    const int index = tabs_.GetCurSel();
    return *pages[index >= 0 && index < 3 ? index : 0];
}

BOOL CCompressDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcons(icon_);
    browse_.SetIcon(IDI_BROWSE, 16, 16);
    lzh_.Load();
    tar_.Load();
    zip_.Load();
    tabs_.AddPage(lzh_, "LZH");
    tabs_.AddPage(tar_, "TAR");
    tabs_.AddPage(zip_, "ZIP");
    // The format used last time comes up again.
    const int saved = static_cast<int>(theApp.GetProfileInt(kPackSection, "CurSel", 0));
    tabs_.Select(saved >= 0 && saved < 3 ? saved : 0);
    if (!items_.empty()) {
        archivePath_ = archive::ArchiveStem(items_[0], SystemLeadByte);
        baseFolder_ = archive::BaseFolderOf(archivePath_, SystemLeadByte);
    }
    UpdateData(false);
    return TRUE;
}

void CCompressDlg::OnBrowse() {
    FileDialogRequest request;
    request.owner = Handle();
    request.save = true;
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    request.title = L"Compress Files";
    request.filter = L"Compress Files(lzh,zip,tar)|*.lzh;*.zip;*.tar|All Files(*.*)|*.*||";
    const auto chosen = Services().chooseFile(request);
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

    theApp.WriteProfileInt(kPackSection, "CurSel", tabs_.GetCurSel());
    page.Save();
    EndDialog(IDOK);
}
