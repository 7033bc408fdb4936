// The join's progress dialog and its next-file dialog. The worker appends
// the listed files to the output; with the join-next setting the dialog then
// asks for one further file at a time and appends each, until the user stops.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "framework/dialogs/Dialog.h"
#include "dialogkit/core/EngineFiles.h"
#include "dialogkit/IconButton.h"
#include "dialogkit/JobDialog.h"

namespace splitjoin {

// What a join runs on: a copy of the join dialog's list and settings, taken
// before the worker starts, so that the worker never reads the dialog.
struct JoinJob {
    std::vector<std::string> rows;
    std::string output;
    OutputOpen how = OutputOpen::Append;
    bool dropEndMark = false;
    bool joinNext = false;
};

class CJoinProgressDlg : public CJobDialog {
public:
    explicit CJoinProgressDlg(JoinJob job);

    // A run failed (and the user was told); the output is as it was before it.
    bool Failed() const { return failed_; }

    // The further file being appended.
    std::string further_;

protected:
    BOOL OnInitDialog() override;
    void OnJobEnded(const RunResult& result) override;
    void OnJobItem(std::uint64_t row) override;

private:
    bool StartRun(std::vector<std::string> inputs, OutputOpen how, bool dropEndMark, bool reportItems);
    void ReportFailure(const RunResult& result);

    JoinJob job_;
    bool failed_ = false;
};

class CJoinNameDlg : public CDialog {
public:
    explicit CJoinNameDlg(CWnd* parent);
    ~CJoinNameDlg() override;
    std::string name_;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void OnBrowse();
    CIconButton browse_;
};

}  // namespace splitjoin
