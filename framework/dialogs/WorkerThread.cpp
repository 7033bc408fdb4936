#include "framework/dialogs/WorkerThread.h"

#include <memory>

#include "framework/win32/CallGuarded.h"
#include "framework/dialogs/Services.h"

namespace {

unsigned __stdcall ThreadMain(void* parameter) {
    std::unique_ptr<std::function<int()>> body(static_cast<std::function<int()>*>(parameter));
    int result = -1;
    CallGuarded([&] { result = (*body)(); });
    return static_cast<unsigned>(result);
}

}  // namespace

bool CWorkerThread::Start(std::function<int()> body) {
    Wait();
    auto* copy = new std::function<int()>(std::move(body));
    // _beginthreadex, not CreateThread: the worker uses the C runtime.
    const uintptr_t handle = Services().beginThread(ThreadMain, copy);
    if (handle == 0) {
        const DWORD error = GetLastError();
        delete copy;
        SetLastError(error);  // for the caller's message
        return false;
    }
    thread_.Reset(reinterpret_cast<HANDLE>(handle));
    return true;
}

int CWorkerThread::Wait() {
    if (!thread_) return result_;
    WaitForSingleObject(thread_.Get(), INFINITE);
    DWORD code = 0;
    GetExitCodeThread(thread_.Get(), &code);
    result_ = static_cast<int>(code);
    thread_.Reset();
    return result_;
}
