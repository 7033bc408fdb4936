// A worker thread that its starter can wait for. A library called from
// another process's thread (Explorer) must not return, and so be unloaded,
// while its worker still runs its code: the destructor waits.
#pragma once
#include <windows.h>

#include <functional>

#include "framework/win32/ScopedHandle.h"

class CWorkerThread {
public:
    CWorkerThread() = default;
    ~CWorkerThread() { Wait(); }
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Starts `body` on a new thread of normal priority; false when no thread
    // could be made. A thread still running from an earlier start is waited for first.
    bool Start(std::function<int()> body);
    // Waits for the thread's end and returns its result (-1 when none ran).
    int Wait();
    bool Running() const { return thread_ && WaitForSingleObject(thread_.Get(), 0) == WAIT_TIMEOUT; }

private:
    ScopedKernelObject thread_;
    int result_ = -1;
};
