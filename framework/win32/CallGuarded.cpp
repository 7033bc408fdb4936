#include "framework/win32/CallGuarded.h"

#include <windows.h>

#include "framework/win32/WideText.h"

namespace {

void ShowError(const std::string& message) {
    MessageBoxW(nullptr, WideFromAnsi(message).c_str(), L"Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

// Made on first use: the component layer installs its sink while the
// program's statics are still being made.
ReportSink& CurrentSink() {
    static ReportSink sink = ShowError;
    return sink;
}

}  // namespace

ReportSink SetReportSink(ReportSink sink) {
    if (!sink) sink = ShowError;
    ReportSink previous = std::move(CurrentSink());
    CurrentSink() = std::move(sink);
    return previous;
}

void ReportError(const char* message) noexcept {
    try {
        CurrentSink()(message);
    } catch (...) {
        // The report itself failed; there is nowhere left to send it.
    }
}
