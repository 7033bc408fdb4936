// The shortcut dialog: one shell shortcut (.lnk) for one file or folder.
#pragma once
#include <string>

#include "framework/dialogs/Dialog.h"
#include "framework/win32/ScopedHandle.h"

namespace splitjoin {

class CShortcutDlg : public CDialog {
public:
    CShortcutDlg();
    ~CShortcutDlg() override;

    // Set by the caller before each run.
    std::string filePath_;
    // Proposed when the dialog opens; the user may edit them.
    std::string title_;
    std::string location_;
    std::string workDir_;
    std::string displayName_;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnHelp() override;
    void OnDestroy() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void OnBrowse(int specialFolder);
    // Writes the link; false after telling the user why not (the dialog stays).
    // `unavailable` is set when the shell's link object cannot be had at all.
    bool SaveLink(bool& unavailable);

    HICON icon_ = nullptr;
    // The icon static 1117 shows; released when the dialog closes.
    ScopedIcon shownIcon_;
};

// The item's icon with the shell's shared-item overlay laid over it; the
// caller owns the result. `icon` stays the caller's.
HICON MakeSharedIcon(HICON icon);

}  // namespace splitjoin
