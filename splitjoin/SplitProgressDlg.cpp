#include "splitjoin/SplitProgressDlg.h"

#include "splitjoin/PelmitApp.h"
#include "splitjoin/core/PieceNames.h"
#include "splitjoin/core/SplitEngine.h"
#include "framework/dialogs/Text.h"
#include "dialogkit/Win32EngineFiles.h"
#include "splitjoin/resource.h"

namespace splitjoin {

namespace {

// The split on the worker thread, on its own copy of the request.
RunResult SplitWorker(const SplitRequest& request, EngineEvents& events) {
    Win32EngineFiles files;
    return RunSplit(files, request, events, SystemLeadByte);
}

}  // namespace

CSplitProgressDlg::CSplitProgressDlg()
    : CJobDialog(IDD_SPLIT_PROGRESS, JobControls{IDC_PROGRESS_ANIMATION, IDR_PROGRESS_AVI, IDC_PROGRESS_BAR},
                 theApp.LoadIcon(IDI_PELMIT)) {}

BOOL CSplitProgressDlg::OnInitDialog() {
    CJobDialog::OnInitDialog();
    captionBase_ = CaptionBase(source_, SystemLeadByte);
    // The worker takes its own copy of the request.
    const SplitRequest request{source_, destination_, static_cast<std::uint64_t>(pieceKB_) * 1024};
    if (!StartJob([request](EngineEvents& events) { return SplitWorker(request, events); })) EndDialog(IDABORT);
    return TRUE;
}

void CSplitProgressDlg::OnJobItem(std::uint64_t number) {
    SetDlgItemText(IDC_PROGRESS_TEXT, captionBase_ + PieceNumberText(number));
}

}  // namespace splitjoin
