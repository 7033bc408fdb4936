#include "dialogkit/JobDialog.h"

#include <commctrl.h>

#include "framework/dialogs/DataExchange.h"
#include "dialogkit/JobProgress.h"
#include "dialogkit/StopEvent.h"

// What one run owns: the window it reports to, its stop signal and its
// result. Shared with the worker, since the dialog may be gone before the
// worker looks at the stop signal again.
struct CJobDialog::Run {
    HWND dialog = nullptr;
    dialogkit::StopEvent stop;
    RunResult result{RunStatus::Stopped, std::string(), 0, 0};
};

namespace {

class PostedEvents : public EngineEvents {
public:
    PostedEvents(HWND dialog, const dialogkit::StopEvent& stop) : dialog_(dialog), stop_(stop) {}
    bool StopRequested() override { return stop_.Poll(); }
    void Percent(int percent) override { PostMessageA(dialog_, WM_JOBPROGRESS, kJobPercent, percent); }
    void Item(std::uint64_t item) override {
        PostMessageA(dialog_, WM_JOBPROGRESS, kJobItem, static_cast<LPARAM>(item));
    }

private:
    HWND dialog_;
    const dialogkit::StopEvent& stop_;
};

}  // namespace

CJobDialog::CJobDialog(UINT templateId, const JobControls& controls, HICON icon, CWnd* owner)
    : CDialog(templateId, owner), controls_(controls), icon_(icon) {
    MapMessage(WM_JOBPROGRESS, [this](WPARAM kind, LPARAM value) { return OnJobProgress(kind, value); });
}

CJobDialog::~CJobDialog() { worker_.Wait(); }

void CJobDialog::DoDataExchange(CDataExchange* pDX) {
    if (controls_.animation) DDX_Control(pDX, controls_.animation, animationCtrl_);
}

INT_PTR CJobDialog::DoModal() {
    const INT_PTR result = CDialog::DoModal();
    worker_.Wait();
    return result;
}

RunResult CJobDialog::Result() const {
    return run_ ? run_->result : RunResult{RunStatus::Stopped, std::string(), 0, 0};
}

BOOL CJobDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    if (icon_) SetIcons(icon_);
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (controls_.animation && controls_.animationClip) animationCtrl_.Open(controls_.animationClip);
    return TRUE;
}

bool CJobDialog::StartJob(Job job) {
    // The previous run has posted its end and is about to return.
    worker_.Wait();
    run_ = std::make_shared<Run>();
    run_->dialog = Handle();
    std::shared_ptr<Run> run = run_;
    const bool started = worker_.Start([run, job = std::move(job)] {
        PostedEvents events(run->dialog, run->stop);
        run->result = job(events);
        PostMessageA(run->dialog, WM_JOBPROGRESS, kJobEnded, 0);
        return run->result.status == RunStatus::Done ? 0 : 1;
    });
    if (!started) run_->result = RunResult{RunStatus::NoMemory, std::string(), 0, 0};
    return started;
}

void CJobDialog::OnJobEnded(const RunResult&) { CDialog::OnOK(); }

void CJobDialog::OnJobItem(std::uint64_t) {}

void CJobDialog::OnJobPercent(int percent) {
    if (controls_.progressBar) SendDlgItemMessage(controls_.progressBar, PBM_SETPOS, static_cast<WPARAM>(percent));
}

LRESULT CJobDialog::OnJobProgress(WPARAM kind, LPARAM value) {
    switch (kind) {
    case kJobEnded:
        // Posting the notice is the worker's last act.
        worker_.Wait();
        OnJobEnded(run_->result);
        break;
    case kJobPercent:
        OnJobPercent(static_cast<int>(value));
        break;
    case kJobItem:
        OnJobItem(static_cast<std::uint64_t>(value));
        break;
    default:
        break;
    }
    return 0;
}

void CJobDialog::OnCancel() {
    if (run_) run_->stop.Set();
    EndDialog(IDCANCEL);
}
