#include "backup/ReplaceConfirmDlg.h"

#include "backup/core/CopyRules.h"
#include "framework/dialogs/DataExchange.h"
#include "backup/DorvaneApp.h"
#include "framework/dialogs/File.h"
#include "framework/core/MbcsPath.h"
#include "framework/dialogs/Text.h"
#include "backup/resource.h"

namespace backup {

namespace {

// A file whose status cannot be read shows zeros, never stale values.
FileFacts FactsOf(const std::string& path) {
    FileFacts facts;
    CFileStatus status;
    FILETIME local;
    SYSTEMTIME time;
    if (!CFile::GetStatus(path, status)) return facts;
    facts.size = status.size;
    if (FileTimeToLocalFileTime(&status.lastWrite, &local) && FileTimeToSystemTime(&local, &time)) {
        facts.year = time.wYear;
        facts.month = time.wMonth;
        facts.day = time.wDay;
        facts.hour = time.wHour;
        facts.minute = time.wMinute;
        facts.second = time.wSecond;
    }
    return facts;
}

}  // namespace

CReplaceConfirmDlg::CReplaceConfirmDlg(const std::string& sourceFile, const std::string& destinationFolder,
                                       CWnd* parent)
    : CDialog(IDD_REPLACE_CONFIRM, parent),
      m_sourceFilePath(sourceFile),
      m_targetFilePath(destinationFolder + NameAfterLastBackslash(sourceFile, SystemLeadByte)) {
    MapClicked(IDC_REPLACE_ALL, [this] { OnAllFiles(); });
}

void CReplaceConfirmDlg::OnAllFiles() {
    m_allFiles = true;
    OnOK();
}

void CReplaceConfirmDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_REPLACE_HEADER, m_headerText);
    DDX_Text(pDX, IDC_REPLACE_DETAIL, m_detailText);
}

BOOL CReplaceConfirmDlg::OnInitDialog() {
    m_headerText = FormatReplaceHeader(theApp.LoadString(IDS_REPLACE_HEADER), m_sourceFilePath, SystemLeadByte);
    m_detailText = FormatReplaceDetail(theApp.LoadString(IDS_REPLACE_DETAIL), FactsOf(m_targetFilePath),
                                       FactsOf(m_sourceFilePath));
    CDialog::OnInitDialog();
    return TRUE;
}

}  // namespace backup
