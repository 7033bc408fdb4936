// The progress of a backup or restore run: the job dialog running the copy
// engine, with the file being copied and the time elapsed.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "backup/core/CopyEngine.h"
#include "dialogkit/JobDialog.h"

namespace backup {

class CCopyProgressDlg : public CJobDialog {
public:
    CCopyProgressDlg(const CopyRequest& request, CWnd* owner);
    ~CCopyProgressDlg() override;

    // Complete once DoModal has returned.
    const CopyOutcome& Outcome() const;

protected:
    BOOL OnInitDialog() override;
    void OnJobPercent(int percent) override;
    void OnJobEnded(const RunResult& result) override;

private:
    struct Shared;
    void OnTimer();

    CopyRequest request_;
    std::shared_ptr<Shared> shared_;
    DWORD started_ = 0;
    bool ended_ = false;
};

}  // namespace backup
