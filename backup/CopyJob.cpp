#include "CopyJob.h"

#include <shellapi.h>

#include <atomic>

#include "BackupPaths.h"
#include "CopyProgressDlg.h"
#include "Text.h"
#include "WideText.h"

namespace {

std::atomic<bool> runActive{false};

// The failures a summary names one by one; the rest are counted.
constexpr std::size_t kListedFailures = 20;

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
    const std::string summary = CopySummaryText(outcome);
    if (!summary.empty()) MessageBoxW(owner, WideFromAnsi(summary).c_str(), L"Mivora Backup", MB_OK | MB_ICONWARNING);
    return true;
}

bool RunShellCopyJob(const std::string& source, const std::string& destination, HWND owner, bool includeSubfolders) {
    if (runActive.exchange(true)) return false;
    ShellCopyFolder(source, destination, owner, includeSubfolders);
    runActive = false;
    return true;
}

std::string CopySummaryText(const CopyOutcome& outcome) {
    if (outcome.status == CopyStatus::TargetInsideSource) return "Source path can't include destination path. ";
    if (outcome.failures.empty()) return std::string();
    std::string text = std::to_string(outcome.failures.size()) +
                       (outcome.failures.size() == 1 ? " file or folder" : " files or folders") +
                       " could not be copied. Backup copies already there were kept.\r\n";
    for (std::size_t i = 0; i < outcome.failures.size() && i < kListedFailures; ++i) {
        const CopyFailure& f = outcome.failures[i];
        const std::string reason = ErrorText(f.error);
        text += "\r\n" + f.path + (reason.empty() ? std::string() : ": " + reason);
    }
    if (outcome.failures.size() > kListedFailures)
        text += "\r\n... and " + std::to_string(outcome.failures.size() - kListedFailures) + " more.";
    return text;
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
