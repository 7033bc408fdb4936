// The split's progress dialog: the job dialog running the split worker and
// showing the piece being written. Cancel removes the pieces of the run.
#pragma once
#include <string>

#include "dialogkit/JobDialog.h"

namespace splitjoin {

class CSplitProgressDlg : public CJobDialog {
public:
    CSplitProgressDlg();

    // Set by the caller before the dialog runs.
    std::string source_;
    std::string destination_;
    int pieceKB_ = 0;

protected:
    BOOL OnInitDialog() override;
    void OnJobItem(std::uint64_t number) override;

private:
    std::string captionBase_;
};

}  // namespace splitjoin
