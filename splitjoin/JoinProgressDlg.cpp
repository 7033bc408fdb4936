#include "JoinProgressDlg.h"

#include <commdlg.h>

#include "DataExchange.h"
#include "FileRoutines.h"
#include "JapaneseTexts.h"
#include "JobProgress.h"
#include "JoinEngine.h"
#include "MbcsPath.h"
#include "PelmitApp.h"
#include "Services.h"
#include "ShellFiles.h"
#include "StopEvent.h"
#include "Text.h"
#include "Win32EngineFiles.h"
#include "resource.h"

// What one worker run owns: its request, the window it reports to, and its result.
struct CJoinProgressDlg::Run {
    JoinRequest request;
    HWND dialog = nullptr;
    // Each run has its own: a Cancel stops this join only.
    dialogkit::StopEvent stop;
    RunResult result;
};

namespace {

const char kJoinCaption[] = "Files join";

class JoinEvents : public EngineEvents {
public:
    JoinEvents(HWND dialog, const dialogkit::StopEvent& stop) : dialog_(dialog), stop_(stop) {}
    bool StopRequested() override { return stop_.Poll(); }
    void Percent(int percent) override { PostMessageA(dialog_, WM_JOBPROGRESS, kJobPercent, percent); }
    void Item(std::uint64_t row) override { PostMessageA(dialog_, WM_JOBPROGRESS, kJobItem, static_cast<LPARAM>(row)); }

private:
    HWND dialog_;
    const dialogkit::StopEvent& stop_;
};

}  // namespace

CJoinProgressDlg::CJoinProgressDlg(JoinJob job) : CDialog(IDD_JOIN_PROGRESS), job_(std::move(job)) {
    m_icon = theApp.LoadIcon(IDI_PELMIT);
    MapMessage(WM_JOBPROGRESS, [this](WPARAM kind, LPARAM value) { return OnJobProgress(kind, value); });
}

CJoinProgressDlg::~CJoinProgressDlg() { worker_.Wait(); }

void CJoinProgressDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_PROGRESS_ANIMATION, m_animation);
}

INT_PTR CJoinProgressDlg::DoModal() {
    const INT_PTR result = CDialog::DoModal();
    worker_.Wait();
    return result;
}

BOOL CJoinProgressDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcons(m_icon);
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (!StartRun(job_.rows, job_.how, job_.dropEndMark, true)) {
        failed_ = true;
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_animation.Open(IDR_PROGRESS_AVI);
    return TRUE;
}

bool CJoinProgressDlg::StartRun(std::vector<std::string> inputs, OutputOpen how, bool dropEndMark,
                                bool reportItems) {
    // The previous run has posted its end and is about to return.
    worker_.Wait();
    run_ = std::make_shared<Run>();
    run_->request.inputs = std::move(inputs);
    run_->request.output = job_.output;
    run_->request.how = how;
    run_->request.dropEndMark = dropEndMark;
    run_->request.reportItems = reportItems;
    run_->dialog = Handle();
    std::shared_ptr<Run> run = run_;
    return worker_.Start([run] {
        Win32EngineFiles files;
        JoinEvents events(run->dialog, run->stop);
        run->result = RunJoin(files, run->request, events);
        PostMessageA(run->dialog, WM_JOBPROGRESS, kJobEnded, 0);
        return run->result.status == RunStatus::Done ? 0 : -1;
    });
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

LRESULT CJoinProgressDlg::OnJobProgress(WPARAM kind, LPARAM value) {
    switch (kind) {
    case kJobEnded: {
        // Posting the notice is the worker's last act.
        worker_.Wait();
        const RunResult result = run_->result;
        if (result.Failed()) {
            failed_ = true;
            ReportFailure(result);
            EndDialog(IDCANCEL);
            break;
        }
        if (!job_.joinNext) {
            CDialog::OnOK();
            break;
        }
        CJoinNameDlg name(this);
        if (name.DoModal() != IDOK || SameNoCase(name.m_name, job_.output)) {
            CDialog::OnOK();
            break;
        }
        m_further = name.m_name;
        if (!StartRun({m_further}, OutputOpen::Append, false, false)) {
            failed_ = true;
            EndDialog(IDCANCEL);
            break;
        }
        SetDlgItemText(IDC_PROGRESS_TEXT, m_further);
        break;
    }
    case kJobPercent:
        SendDlgItemMessage(IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(value));
        break;
    case kJobItem:
        if (value >= 0 && static_cast<std::size_t>(value) < job_.rows.size())
            SetDlgItemText(IDC_PROGRESS_TEXT, job_.rows[static_cast<std::size_t>(value)]);
        break;
    default:
        break;
    }
    return 0;
}

void CJoinProgressDlg::OnCancel() {
    if (run_) run_->stop.Set();
    EndDialog(IDCANCEL);
}

CJoinNameDlg::CJoinNameDlg(CWnd* parent) : CDialog(IDD_JOIN_NAME, parent) {
    MapClicked(IDC_NAME_BROWSE, [this] { OnBrowse(); });
}

CJoinNameDlg::~CJoinNameDlg() = default;

void CJoinNameDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_NAME_BROWSE, m_browse);
    DDX_Text(pDX, IDC_NAME_FIELD, m_name);
    DDV_MaxChars(pDX, m_name, 255);
}

BOOL CJoinNameDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    m_browse.SetIcon(IDI_BROWSE, 16, 16);
    return TRUE;
}

void CJoinNameDlg::OnBrowse() {
    FileDialogRequest request;
    request.owner = Handle();
    request.flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST;
    request.filter = WideFromCodePage(932, kJoinNextOpenFilter);
    request.title = WideFromCodePage(932, kJoinNextOpenTitle);
    const auto chosen = Services().chooseFile(request);
    if (chosen) SetDlgItemText(IDC_NAME_FIELD, *chosen);
}

void CJoinNameDlg::OnOK() {
    if (!UpdateData(true)) return;
    const std::string name = TrimBlanks(m_name);
    if (name.empty()) return;
    if (dialogkit::FileExists(name)) {
        m_name = name;
        EndDialog(IDOK);
        return;
    }
    MessageBox(name + ".\nCan't find file", kJoinCaption, MB_OK | MB_ICONERROR);
}
