// A worker thread with a stop request and calls into the GUI thread.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>

#include "framework/forms/Component.h"
#include "framework/win32/ScopedHandle.h"

class TThread : public TObject {
public:
    // Nothing runs until Start: a derived object is complete by then.
    TThread();
    ~TThread() override;
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    void Start();
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    // The object deletes itself when Execute has returned; nobody may touch it after Start.
    bool FreeOnTerminate = false;
    DWORD WaitFor();
    HANDLE Handle() const { return handle_.Get(); }
    DWORD ThreadID() const { return id_; }

protected:
    virtual void Execute() = 0;
    // Blocks this worker until the GUI thread has run `call`.
    void Synchronize(const std::function<void()>& call);

private:
    static DWORD WINAPI ThreadProc(LPVOID param);
    ScopedKernelObject handle_;
    DWORD id_ = 0;
    std::atomic<bool> terminated_{false};
};
