#include "backup/core/CopySummary.h"

namespace backup {

namespace {

// The lines a summary names one by one, per list; the rest are counted.
constexpr std::size_t kListedLines = 20;

std::string Reason(int error, const ErrorTextFn& errorText) {
    const std::string text = error ? errorText(error) : std::string();
    return text.empty() ? std::string() : ": " + text;
}

std::string Counted(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

const char* Why(PassedOverKind kind) {
    switch (kind) {
        case PassedOverKind::FolderLink: return "a link to a folder, not followed";
        case PassedOverKind::FolderSeen: return "a folder the run had been in already";
        case PassedOverKind::LetterCaseTwin: return "another name in its folder differs from it only in letter case";
    }
    return "";
}

template <class List, class Line>
void AddLines(std::string& text, const List& list, Line line) {
    for (std::size_t i = 0; i < list.size() && i < kListedLines; ++i) text += "\r\n" + line(list[i]);
    if (list.size() > kListedLines) text += "\r\n... and " + std::to_string(list.size() - kListedLines) + " more.";
}

}  // namespace

std::string CopySummaryText(const CopyOutcome& outcome, const ErrorTextFn& errorText) {
    const auto firstError = outcome.failures.empty() ? 0 : outcome.failures.front().error;
    switch (outcome.status) {
        case CopyStatus::TargetInsideSource: return "Source path can't include destination path. ";
        case CopyStatus::NotStarted:
            return "The copy could not be started" + Reason(firstError, errorText) + ". Nothing was copied.";
        case CopyStatus::NoSource:
            return "The source folder was not found, so nothing was copied:\r\n" +
                   (outcome.failures.empty() ? std::string() : outcome.failures.front().path);
        default: break;
    }
    std::string text;
    if (!outcome.failures.empty()) {
        bool lost = false;
        for (const CopyFailure& f : outcome.failures) lost = lost || !f.keptAs.empty();
        text = Counted(outcome.failures.size(), "file or folder", "files or folders") + " could not be copied." +
               (lost ? " Backup copies already there were kept, except where said below."
                     : " Backup copies already there were kept.") +
               "\r\n";
        AddLines(text, outcome.failures, [&](const CopyFailure& f) {
            return f.path + Reason(f.error, errorText) +
                   (f.keptAs.empty() ? std::string() : " (the earlier copy is gone; the new one is " + f.keptAs + ")");
        });
    }
    if (!outcome.passedOver.empty()) {
        text += (text.empty() ? "" : "\r\n\r\n") + Counted(outcome.passedOver.size(), "item was", "items were") +
                " passed over:\r\n";
        AddLines(text, outcome.passedOver, [](const PassedOver& p) { return p.path + ": " + Why(p.kind); });
    }
    return text;
}

}  // namespace backup
