#include "framework/forms/Thread.h"

#include "framework/forms/Application.h"

TThread::TThread() = default;

TThread::~TThread() = default;

void TThread::Start() {
    if (handle_) return;
    // The hidden window must exist before the worker asks for synchronised
    // calls, and it must belong to this (the GUI) thread.
    Application->Handle();
    // Suspended until the handle is stored: a thread that frees itself may
    // end before CreateThread returns, and then nothing may touch the object.
    handle_.Reset(CreateThread(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, &id_));
    if (!handle_) throw Exception("Thread creation error: " + std::to_string(GetLastError()));
    if (ResumeThread(handle_.Get()) == static_cast<DWORD>(-1)) {
        const DWORD error = GetLastError();
        // It never ran: end it, so the object stays the caller's.
        TerminateThread(handle_.Get(), 0);
        handle_.Reset();
        id_ = 0;
        throw Exception("Thread creation error: " + std::to_string(error));
    }
}

DWORD TThread::WaitFor() {
    if (!handle_) return 0;
    WaitForSingleObject(handle_.Get(), INFINITE);
    DWORD code = 0;
    GetExitCodeThread(handle_.Get(), &code);
    return code;
}

void TThread::Synchronize(const std::function<void()>& call) { Application->Synchronize(call); }

DWORD WINAPI TThread::ThreadProc(LPVOID param) {
    auto* self = static_cast<TThread*>(param);
    try {
        self->Execute();
    } catch (const std::exception& e) {
        const Exception copy(e.what());
        Application->Synchronize([copy] { throw copy; });
    } catch (...) {
        Application->Synchronize([] { throw Exception("Unknown error in worker thread"); });
    }
    if (self->FreeOnTerminate) delete self;
    return 0;
}
