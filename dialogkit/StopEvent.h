// The stop signal of one worker run: an automatic-reset event that its
// progress dialog sets on Cancel and the worker polls without waiting.
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
    // Finding it set also clears it.
    bool Poll() const { return WaitForSingleObject(event_, 0) == WAIT_OBJECT_0; }
    HANDLE Handle() const { return event_; }

private:
    HANDLE event_;
};

}  // namespace dialogkit
