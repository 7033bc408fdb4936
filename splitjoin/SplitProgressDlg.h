// The split's progress dialog: it runs the split worker and shows the piece
// being written. Cancel closes it at once; the worker stops at its next block
// and removes the pieces of the run, and the dialog's caller does not go on
// before the worker has ended.
#pragma once
#include <memory>
#include <string>

#include "Controls.h"
#include "Dialog.h"
#include "EngineFiles.h"
#include "WorkerThread.h"

class CSplitProgressDlg : public CDialog {
public:
    CSplitProgressDlg();
    ~CSplitProgressDlg() override;

    // Set by the caller before the dialog runs.
    std::string m_source;
    std::string m_destination;
    int m_pieceKB = 0;

    // Runs the dialog, then waits for the worker.
    INT_PTR DoModal() override;
    // How the run ended; valid after DoModal.
    RunResult Result() const;

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    struct Run;
    LRESULT OnJobProgress(WPARAM kind, LPARAM value);

    CAnimateCtrl m_animation;
    HICON m_icon = nullptr;
    std::string m_captionBase;
    std::shared_ptr<Run> run_;
    CWorkerThread worker_;
};
