#include "archive/MailPackDlg.h"

#include "archive/Archivers.h"
#include "archive/CompressApp.h"
#include "framework/dialogs/DataExchange.h"
#include "framework/core/MbcsPath.h"
#include "archive/PackRun.h"
#include "framework/win32/RegKey.h"
#include "framework/core/TempFolder.h"
#include "framework/dialogs/Text.h"
#include "archive/resource.h"

namespace {

const char kCaption[] = "Compress and Email";
// Where the launch bar names its program folder, which holds Brimo.exe.
const char kMivoraKey[] = "software\\Keltor\\Mivora\\1.0";

}  // namespace

CCompressMailDlg::CCompressMailDlg()
    : CPackTabsDlg(IDD_MAIL,
                   {IDD_MAIL_LZH, IDD_MAIL_TAR, IDD_MAIL_ZIP, kLzhMailSection, kTarMailSection, kZipMailSection},
                   kSendSection) {
    icon_ = theApp.LoadIcon(IDI_PACK);
}

void CCompressMailDlg::DoDataExchange(CDataExchange* pDX) {
    CPackTabsDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ARCHIVE_PATH, name_);
}

BOOL CCompressMailDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcons(icon_);
    SetUpPages();
    if (!items_.empty()) {
        const std::string source = archive::ArchiveStem(items_[0], SystemLeadByte);
        baseFolder_ = archive::BaseFolderOf(source, SystemLeadByte);
        name_ = NameAfterLastBackslash(source, SystemLeadByte);
    }
    tempFolder_ = TempFolder();
    UpdateData(false);
    return TRUE;
}

bool CCompressMailDlg::ClearEarlierArchive(const archive::PackRequest& request) {
    // The archivers add to an archive that is there: a file left by an
    // earlier mail would travel again with this one.
    const archive::PackPlan plan = archive::PlanPack(request, std::string(), SystemLeadByte);
    for (const std::string& path : {plan.archive, plan.selfExtractor}) {
        if (path.empty() || DeleteFileA(path.c_str()) || !archive::FileThere(path)) continue;
        MessageBox(path + "\nThis file of an earlier mail can't be replaced.", kCaption, MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

void CCompressMailDlg::OnOK() {
    if (!UpdateData(true)) return;
    // Only a name: the archive always goes into the temporary folder.
    const std::string typed = NameAfterLastBackslash(TrimBlanks(name_), SystemLeadByte);
    if (typed.empty() || tempFolder_.empty()) return;
    CPackPage& page = CurrentPage();
    if (!page.UpdateData(true)) return;

    archive::PackRequest request;
    request.items = archive::PackItemsOf(items_);
    page.Fill(request);
    // The originals stay whatever "Move files" says: the archive is deleted
    // once it is mailed, and the message would hold the only copy.
    request.lzh.move = false;
    // LZH and TAR name every item in full, TAR keeps base names only; ZIP
    // keeps the paths below the drive.
    request.tar.useDirectory = false;
    request.zipJunkPaths = false;
    request.baseFolder = request.format == archive::PackFormat::Zip ? baseFolder_ : std::string();
    request.archiveStem = archive::MailArchiveStem(request.format, tempFolder_ + typed);
    if (!ClearEarlierArchive(request)) return;
    // A failure has been told; nothing goes to the mail sender then.
    if (!archive::RunPack(Handle(), request, kCaption, made_)) return;

    SaveCurrentTab();
    page.Save();
    StartMailSender();
    EndDialog(IDOK);
}

void CCompressMailDlg::StartMailSender() {
    RegKey key;
    std::string root;
    // Without the launch bar's folder there is no mail sender to start; the
    // archive stays in the temporary folder.
    if (!key.Open(HKEY_LOCAL_MACHINE, kMivoraKey, KEY_QUERY_VALUE) || !key.ReadString("RootDir", root)) return;
    key.Close();
    const std::string command = archive::MailSenderCommand(root, made_);
    if (WinExec(command.c_str(), SW_SHOWNORMAL) > 31) return;
    MessageBox(made_ + "\nThe mail sender can't be started: " + command, kCaption, MB_OK | MB_ICONERROR);
}
