#include "backup/CopyJob.h"

#include <shellapi.h>

#include <atomic>

#include "backup/core/BackupPaths.h"
#include "backup/CopyProgressDlg.h"
#include "backup/core/CopySummary.h"
#include "framework/dialogs/Text.h"
#include "framework/win32/WideText.h"

namespace backup {

namespace {

std::atomic<bool> runActive{false};

std::string ErrorText(int code) {
    if (code == 0) return std::string();
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string out = length ? std::string(text, length) : "error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' ')) out.pop_back();
    return out;
}

}  // namespace

bool CopyRunActive() { return runActive; }

bool RunCopyJob(const CopyRequest& request, HWND owner, CopyOutcome& outcome) {
    if (runActive.exchange(true)) return false;
    CWnd ownerWindow;
    ownerWindow.Attach(owner);
    CCopyProgressDlg dialog(request, owner ? &ownerWindow : nullptr);
    dialog.DoModal();
    outcome = dialog.Outcome();
    runActive = false;
    const std::string summary = CopySummaryText(outcome, ErrorText);
    if (!summary.empty()) MessageBoxW(owner, WideFromAnsi(summary).c_str(), L"Mivora Backup", MB_OK | MB_ICONWARNING);
    return true;
}

bool RunShellCopyJob(const std::string& source, const std::string& destination, HWND owner, bool includeSubfolders) {
    if (runActive.exchange(true)) return false;
    ShellCopyFolder(source, destination, owner, includeSubfolders);
    runActive = false;
    return true;
}

bool AskCreateFolder(const std::string& folder) {
    // Wide, so that the Japanese question reads right under any ANSI code page.
    const std::wstring text = L"フォルダ '" + WideFromAnsi(folder) + L"' は存在しません。作成しますか？";
    return MessageBoxW(nullptr, text.c_str(), L"フォルダの作成", MB_YESNO | MB_ICONQUESTION | MB_SYSTEMMODAL) == IDYES;
}

void ShellCopyFolder(const std::string& source, const std::string& destination, HWND owner, bool includeSubfolders) {
    // Both lists end in two zero bytes.
    const std::string from = WithBackslash(source, SystemLeadByte) + "*.*" + std::string(2, '\0');
    const std::string to =
        WithoutBackslash(WithBackslash(destination, SystemLeadByte) + LastFolderName(source, SystemLeadByte),
                         SystemLeadByte) +
        std::string(2, '\0');
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = owner;
    operation.wFunc = FO_COPY;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_SIMPLEPROGRESS | (includeSubfolders ? 0 : FOF_FILESONLY);
    SHFileOperationA(&operation);
}

}  // namespace backup
