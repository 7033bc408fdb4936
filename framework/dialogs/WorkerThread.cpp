#include "WorkerThread.h"

#include <process.h>

#include <memory>

#include "CallGuarded.h"

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
    const uintptr_t handle = _beginthreadex(nullptr, 0, ThreadMain, copy, 0, nullptr);
    if (handle == 0) {
        delete copy;
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
