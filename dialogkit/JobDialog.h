// The progress dialog of every long job (a split, a join, a copy, an archive
// run): it runs one job at a time on a worker thread, shows the animation,
// the percentage and the item the worker posts, and on Cancel sets that run's
// own stop signal and closes at once. Its caller does not go on before the
// worker has ended, so a library is never unloaded under a running worker.
#pragma once
#include <functional>
#include <memory>

#include "framework/dialogs/Controls.h"
#include "framework/dialogs/Dialog.h"
#include "dialogkit/core/EngineFiles.h"
#include "framework/dialogs/WorkerThread.h"

// The template's controls a job dialog drives (0: it has none).
struct JobControls {
    int animation = 0;       // plays `animationClip` from the module's resources
    UINT animationClip = 0;
    int progressBar = 0;     // takes the percentages
};

class CJobDialog : public CDialog {
public:
    // An owner is disabled while the dialog runs, so that nothing in it can
    // start a second run or pull the first one's data away.
    CJobDialog(UINT templateId, const JobControls& controls, HICON icon, CWnd* owner = nullptr);
    ~CJobDialog() override;

    // Runs the dialog, then waits for the worker.
    INT_PTR DoModal() override;
    // How the latest run ended; a run that never started counts as stopped.
    RunResult Result() const;

protected:
    using Job = std::function<RunResult(EngineEvents& events)>;
    // Starts `job` on the worker, after the previous run has ended, with a
    // stop signal of its own; false when no thread could be made.
    bool StartJob(Job job);
    // The worker is still running (it may have posted its end already).
    bool JobRunning() const { return worker_.Running(); }

    // The worker's notices. By default a finished job ends the dialog with
    // IDOK, a percentage moves the progress bar and an item is ignored.
    virtual void OnJobEnded(const RunResult& result);
    virtual void OnJobItem(std::uint64_t item);
    virtual void OnJobPercent(int percent);

    BOOL OnInitDialog() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    struct Run;
    LRESULT OnJobProgress(WPARAM kind, LPARAM value);

    JobControls controls_;
    HICON icon_;
    CAnimateCtrl animationCtrl_;
    std::shared_ptr<Run> run_;
    CWorkerThread worker_;
};
