// The stop signal of a split or join worker: an automatic-reset event that
// the progress dialog sets on Cancel and the worker polls without waiting.
#pragma once
#include <windows.h>

namespace dialogkit {

class StopEvent {
public:
    StopEvent() : event_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}
    ~StopEvent() {
        if (event_) CloseHandle(event_);
    }
    StopEvent(const StopEvent&) = delete;
    StopEvent& operator=(const StopEvent&) = delete;

    void Set() const { SetEvent(event_); }
    // Before each run: a Cancel that came after the last run's final poll
    // must not stop the next run at once.
    void Reset() const { ResetEvent(event_); }
    // Finding it set also clears it.
    bool Poll() const { return WaitForSingleObject(event_, 0) == WAIT_OBJECT_0; }
    HANDLE Handle() const { return event_; }

private:
    HANDLE event_;
};

}  // namespace dialogkit
