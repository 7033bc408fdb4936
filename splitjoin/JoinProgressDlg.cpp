#include "splitjoin/JoinProgressDlg.h"

#include "dialogkit/BrowseFolder.h"
#include "framework/dialogs/DataExchange.h"
#include "dialogkit/FileRoutines.h"
#include "splitjoin/JapaneseTexts.h"
#include "splitjoin/core/JoinEngine.h"
#include "framework/core/MbcsPath.h"
#include "splitjoin/PelmitApp.h"
#include "splitjoin/ShellFiles.h"
#include "framework/dialogs/Text.h"
#include "framework/win32/WideText.h"
#include "dialogkit/Win32EngineFiles.h"
#include "splitjoin/resource.h"

namespace splitjoin {

namespace {

const char kJoinCaption[] = "Files join";

// A join on the worker thread, on its own copy of the request: the listed
// files, or later one further file appended to the output.
RunResult JoinWorker(const JoinRequest& request, EngineEvents& events) {
    Win32EngineFiles files;
    return RunJoin(files, request, events, SystemLeadByte);
}

}  // namespace

CJoinProgressDlg::CJoinProgressDlg(JoinJob job)
    : CJobDialog(IDD_JOIN_PROGRESS, JobControls{IDC_PROGRESS_ANIMATION, IDR_PROGRESS_AVI, IDC_PROGRESS_BAR},
                 theApp.LoadIcon(IDI_PELMIT)),
      job_(std::move(job)) {}

BOOL CJoinProgressDlg::OnInitDialog() {
    CJobDialog::OnInitDialog();
    if (!StartRun(job_.rows, job_.how, job_.dropEndMark, true)) {
        failed_ = true;
        EndDialog(IDCANCEL);
    }
    return TRUE;
}

bool CJoinProgressDlg::StartRun(std::vector<std::string> inputs, OutputOpen how, bool dropEndMark,
                                bool reportItems) {
    JoinRequest request;
    request.inputs = std::move(inputs);
    request.output = job_.output;
    request.how = how;
    request.dropEndMark = dropEndMark;
    request.reportItems = reportItems;
    return StartJob([request](EngineEvents& events) { return JoinWorker(request, events); });
}

void CJoinProgressDlg::ReportFailure(const RunResult& result) {
    std::string text;
    const std::string cause = result.error ? ": " + SystemErrorText(static_cast<DWORD>(result.error)) : ".";
    switch (result.status) {
    case RunStatus::SameFile:
        MessageBox(result.path + "\nTwo folder's name are same.", "Files jion", MB_OK | MB_ICONERROR);
        return;
    case RunStatus::NoMemory:
        text = "Memory allocation failed!";
        break;
    case RunStatus::OpenInputFailed:
        text = result.path + "\nThis file can't be opened" + cause;
        break;
    case RunStatus::ReadFailed:
        text = result.path + "\nThis file can't be read" + cause;
        break;
    case RunStatus::OpenOutputFailed:
        text = result.path + "\nThe joined file can't be created" + cause;
        break;
    default:
        text = result.path + "\nThe joined file can't be written" + cause;
        break;
    }
    MessageBox(text + "\n\nThe joined file is left as it was before.", kJoinCaption, MB_OK | MB_ICONERROR);
}

void CJoinProgressDlg::OnJobEnded(const RunResult& result) {
    if (result.Failed()) {
        failed_ = true;
        ReportFailure(result);
        EndDialog(IDCANCEL);
        return;
    }
    if (!job_.joinNext) {
        CDialog::OnOK();
        return;
    }
    CJoinNameDlg name(this);
    if (name.DoModal() != IDOK || SameNoCase(name.name_, job_.output)) {
        CDialog::OnOK();
        return;
    }
    further_ = name.name_;
    if (!StartRun({further_}, OutputOpen::Append, false, false)) {
        failed_ = true;
        EndDialog(IDCANCEL);
        return;
    }
    SetDlgItemText(IDC_PROGRESS_TEXT, further_);
}

void CJoinProgressDlg::OnJobItem(std::uint64_t row) {
    if (row < job_.rows.size()) SetDlgItemText(IDC_PROGRESS_TEXT, job_.rows[static_cast<std::size_t>(row)]);
}

CJoinNameDlg::CJoinNameDlg(CWnd* parent) : CDialog(IDD_JOIN_NAME, parent) {
    MapClicked(IDC_NAME_BROWSE, [this] { OnBrowse(); });
}

CJoinNameDlg::~CJoinNameDlg() = default;

void CJoinNameDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_NAME_BROWSE, browse_);
    DDX_Text(pDX, IDC_NAME_FIELD, name_);
    DDV_MaxChars(pDX, name_, 255);
}

BOOL CJoinNameDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    browse_.SetIcon(IDI_BROWSE, 16, 16);
    return TRUE;
}

void CJoinNameDlg::OnBrowse() {
    const auto chosen = ChooseInputFile(Handle(), WideFromCodePage(932, kJoinNextOpenTitle),
                                        WideFromCodePage(932, kJoinNextOpenFilter));
    if (chosen) SetDlgItemText(IDC_NAME_FIELD, *chosen);
}

void CJoinNameDlg::OnOK() {
    if (!UpdateData(true)) return;
    const std::string name = TrimBlanks(name_);
    if (name.empty()) return;
    if (dialogkit::FileExists(name)) {
        name_ = name;
        EndDialog(IDOK);
        return;
    }
    MessageBox(name + ".\nCan't find file", kJoinCaption, MB_OK | MB_ICONERROR);
}

}  // namespace splitjoin
