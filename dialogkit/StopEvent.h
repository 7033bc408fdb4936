// The stop signal of one worker run: an automatic-reset event that its
// progress dialog sets on Cancel and the worker polls without waiting.
#pragma once
#include <windows.h>

#include "framework/win32/ScopedHandle.h"

namespace dialogkit {

class StopEvent {
public:
    StopEvent() : event_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

    void Set() const { SetEvent(event_.Get()); }
    // Finding it set also clears it.
    bool Poll() const { return WaitForSingleObject(event_.Get(), 0) == WAIT_OBJECT_0; }
    HANDLE Handle() const { return event_.Get(); }

private:
    ScopedKernelObject event_;
};

}  // namespace dialogkit
