#include "SplitProgressDlg.h"

#include "DataExchange.h"
#include "JobProgress.h"
#include "PelmitApp.h"
#include "PieceNames.h"
#include "SplitEngine.h"
#include "StopEvent.h"
#include "Text.h"
#include "Win32EngineFiles.h"
#include "resource.h"

// What the worker owns: its own copy of the request, the window it reports
// to, and the result. The dialog object may be gone before the worker looks
// at the stop signal again.
struct CSplitProgressDlg::Run {
    SplitRequest request;
    HWND dialog = nullptr;
    // Each run has its own: a Cancel stops this split only, not another one
    // running in the same process.
    dialogkit::StopEvent stop;
    RunResult result;
};

namespace {

class SplitEvents : public EngineEvents {
public:
    SplitEvents(HWND dialog, const dialogkit::StopEvent& stop) : dialog_(dialog), stop_(stop) {}
    bool StopRequested() override { return stop_.Poll(); }
    void Percent(int percent) override { PostMessageA(dialog_, WM_JOBPROGRESS, kJobPercent, percent); }
    void Item(std::uint64_t number) override {
        PostMessageA(dialog_, WM_JOBPROGRESS, kJobItem, static_cast<LPARAM>(number));
    }

private:
    HWND dialog_;
    const dialogkit::StopEvent& stop_;
};

}  // namespace

CSplitProgressDlg::CSplitProgressDlg() : CDialog(IDD_SPLIT_PROGRESS) {
    m_icon = theApp.LoadIcon(IDI_PELMIT);
    MapMessage(WM_JOBPROGRESS, [this](WPARAM kind, LPARAM value) { return OnJobProgress(kind, value); });
}

CSplitProgressDlg::~CSplitProgressDlg() { worker_.Wait(); }

void CSplitProgressDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_PROGRESS_ANIMATION, m_animation);
}

INT_PTR CSplitProgressDlg::DoModal() {
    const INT_PTR result = CDialog::DoModal();
    worker_.Wait();
    return result;
}

RunResult CSplitProgressDlg::Result() const {
    return run_ ? run_->result : RunResult{RunStatus::Stopped, std::string(), 0, 0};
}

BOOL CSplitProgressDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcons(m_icon);
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    m_animation.Open(IDR_PROGRESS_AVI);
    m_captionBase = CaptionBase(m_source, SystemLeadByte);

    run_ = std::make_shared<Run>();
    run_->request = SplitRequest{m_source, m_destination, static_cast<std::uint64_t>(m_pieceKB) * 1024};
    run_->dialog = Handle();
    std::shared_ptr<Run> run = run_;
    const bool started = worker_.Start([run] {
        Win32EngineFiles files;
        SplitEvents events(run->dialog, run->stop);
        run->result = RunSplit(files, run->request, events, SystemLeadByte);
        PostMessageA(run->dialog, WM_JOBPROGRESS, kJobEnded, 0);
        return run->result.status == RunStatus::Done ? 0 : 1;
    });
    if (!started) {
        run_->result = RunResult{RunStatus::NoMemory, std::string(), 0, 0};
        EndDialog(IDABORT);
    }
    return TRUE;
}

LRESULT CSplitProgressDlg::OnJobProgress(WPARAM kind, LPARAM value) {
    switch (kind) {
    case kJobEnded:
        CDialog::OnOK();
        break;
    case kJobPercent:
        SendDlgItemMessage(IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(value));
        break;
    case kJobItem:
        SetDlgItemText(IDC_PROGRESS_TEXT, m_captionBase + PieceNumberText(static_cast<std::uint64_t>(value)));
        break;
    default:
        break;
    }
    return 0;
}

void CSplitProgressDlg::OnCancel() {
    if (run_) run_->stop.Set();
    EndDialog(IDCANCEL);
}
