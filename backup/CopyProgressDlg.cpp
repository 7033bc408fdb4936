#include "backup/CopyProgressDlg.h"

#include "backup/CopyJob.h"
#include "backup/ReplaceConfirmDlg.h"
#include "framework/dialogs/Text.h"
#include "dialogkit/Win32EngineFiles.h"
#include "backup/resource.h"

namespace backup {

// What the worker hands to the dialog: the file it copies now, read by the
// dialog whenever a percentage arrives, and the outcome at the end.
struct CCopyProgressDlg::Shared {
    Shared() { InitializeCriticalSection(&lock); }
    ~Shared() { DeleteCriticalSection(&lock); }
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;

    CRITICAL_SECTION lock;
    std::string source;
    std::string destination;
    CopyOutcome outcome;
};

namespace {

constexpr UINT_PTR kElapsedTimer = 1;

class Guard {
public:
    explicit Guard(CRITICAL_SECTION& lock) : lock_(lock) { EnterCriticalSection(&lock_); }
    ~Guard() { LeaveCriticalSection(&lock_); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    CRITICAL_SECTION& lock_;
};

template <class Shared>
class JobCopyEvents : public CopyEvents {
public:
    JobCopyEvents(EngineEvents& job, Shared& shared) : job_(job), shared_(shared) {}
    bool StopRequested() override { return job_.StopRequested(); }
    void Percent(int percent) override { job_.Percent(percent); }
    void CurrentFile(const std::string& source, const std::string& destination) override {
        Guard guard(shared_.lock);
        shared_.source = source;
        shared_.destination = destination;
    }
    bool CreateDestination(const std::string& folder) override { return AskCreateFolder(folder); }
    ReplaceAnswer ConfirmReplace(const std::string& file, const std::string& folder) override {
        CReplaceConfirmDlg question(file, folder);
        if (question.DoModal() != IDOK) return ReplaceAnswer::No;
        return question.AllFiles() ? ReplaceAnswer::All : ReplaceAnswer::Yes;
    }

private:
    EngineEvents& job_;
    Shared& shared_;
};

// The run on the worker thread, on its own copy of the request: a backup,
// or with the request's direction reversed a restore.
template <class Shared>
RunResult BackupWorker(Shared& shared, const CopyRequest& request, EngineEvents& events) {
    Win32EngineFiles files;
    JobCopyEvents<Shared> copyEvents(events, shared);
    shared.outcome = RunCopy(files, request, copyEvents, SystemLeadByte);
    return RunResult{shared.outcome.status == CopyStatus::Stopped ? RunStatus::Stopped : RunStatus::Done, std::string(),
                     0, shared.outcome.copied};
}

std::string TwoDigits(DWORD n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// "%H:%M:%S" of the time since the start.
std::string Elapsed(DWORD ms) {
    const DWORD s = ms / 1000;
    return TwoDigits(s / 3600 % 24) + ":" + TwoDigits(s / 60 % 60) + ":" + TwoDigits(s % 60);
}

}  // namespace

CCopyProgressDlg::CCopyProgressDlg(const CopyRequest& request, CWnd* owner)
    : CJobDialog(IDD_COPY_PROGRESS, JobControls{IDC_COPY_ANIMATION, IDR_COPY_AVI, IDC_COPY_BAR}, nullptr, owner),
      request_(request),
      shared_(std::make_shared<Shared>()) {
    // Until a worker has run it, the copy has not happened, whatever ends the dialog.
    shared_->outcome.status = CopyStatus::NotStarted;
    MapClicked(IDC_COPY_CANCEL, [this] { OnCancel(); });
    MapMessage(WM_TIMER, [this](WPARAM, LPARAM) {
        OnTimer();
        return 0;
    });
}

CCopyProgressDlg::~CCopyProgressDlg() = default;

const CopyOutcome& CCopyProgressDlg::Outcome() const { return shared_->outcome; }

BOOL CCopyProgressDlg::OnInitDialog() {
    CJobDialog::OnInitDialog();
    started_ = GetTickCount();
    ended_ = false;
    SetDlgItemText(IDC_COPY_ELAPSED, Elapsed(0));
    // Bottom right of the work area, out of the way of what the user does meanwhile.
    RECT r{};
    GetWindowRect(Handle(), &r);
    SetWindowPos(Handle(), nullptr, GetSystemMetrics(SM_CXFULLSCREEN) - (r.right - r.left) - 2,
                 GetSystemMetrics(SM_CYFULLSCREEN) - (r.bottom - r.top) - 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const std::shared_ptr<Shared> shared = shared_;
    const CopyRequest request = request_;
    if (!StartJob([shared, request](EngineEvents& events) { return BackupWorker(*shared, request, events); })) {
        shared->outcome.failures.push_back({request.source, static_cast<int>(GetLastError())});
        EndDialog(IDABORT);
        return TRUE;
    }
    SetTimer(Handle(), kElapsedTimer, 1000, nullptr);
    return TRUE;
}

void CCopyProgressDlg::OnJobPercent(int percent) {
    CJobDialog::OnJobPercent(percent);
    Guard guard(shared_->lock);
    SetDlgItemText(IDC_COPY_SOURCE, shared_->source);
    SetDlgItemText(IDC_COPY_DEST, shared_->destination);
}

void CCopyProgressDlg::OnJobEnded(const RunResult& result) {
    if (ended_) return;
    ended_ = true;
    KillTimer(Handle(), kElapsedTimer);
    CJobDialog::OnJobEnded(result);
}

void CCopyProgressDlg::OnTimer() {
    SetDlgItemText(IDC_COPY_ELAPSED, Elapsed(GetTickCount() - started_));
    // A worker gone without its end notice (a post the system refused)
    // must not leave the dialog open for good.
    if (!JobRunning()) OnJobEnded(Result());
}

}  // namespace backup
