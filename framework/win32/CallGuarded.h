// What the system or another module calls (window procedures, hooks, timers,
// thread bodies, library exports) runs through CallGuarded: a C++ exception
// cannot unwind through their frames, so what it throws goes to the report
// sink as its message instead.
#pragma once
#include <exception>
#include <functional>
#include <string>

// Where caught errors go. A framework layer installs its own, a test a
// collector; without one, a message box shows the text.
using ReportSink = std::function<void(const std::string& message)>;
// Installs `sink` (an empty one brings the message box back) and returns the sink it replaces.
ReportSink SetReportSink(ReportSink sink);
// Hands the message to the sink; an error inside the sink itself goes no further.
void ReportError(const char* message) noexcept;

template <class F>
void CallGuarded(F&& f) noexcept {
    try {
        f();
    } catch (const std::exception& e) {
        ReportError(e.what());
    } catch (...) {
        ReportError("Unknown error");
    }
}
