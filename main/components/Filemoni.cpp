#include "main/components/Filemoni.h"

#include "framework/forms/Application.h"
#include "framework/forms/SysUtils.h"

namespace components {

namespace {
ChangeNotifyApi api = RealChangeNotifyApi();
}

ChangeNotifyApi RealChangeNotifyApi() {
    return {FindFirstChangeNotificationA, FindNextChangeNotification, WaitForSingleObject,
            FindCloseChangeNotification};
}

ChangeNotifyApi SetChangeNotifyApi(const ChangeNotifyApi& replacement) {
    ChangeNotifyApi old = api;
    api = replacement;
    return old;
}

DWORD NotifyFilterMask(TNotifyFilter filter) {
    static const DWORD bits[] = {FILE_NOTIFY_CHANGE_FILE_NAME,  FILE_NOTIFY_CHANGE_DIR_NAME,
                                 FILE_NOTIFY_CHANGE_ATTRIBUTES, FILE_NOTIFY_CHANGE_SIZE,
                                 FILE_NOTIFY_CHANGE_LAST_WRITE, FILE_NOTIFY_CHANGE_SECURITY};
    DWORD mask = 0;
    for (unsigned i = 0; i < 6; ++i)
        if (filter & (1u << i)) mask |= bits[i];
    return mask;
}

TFileWaitThread::TFileWaitThread(std::shared_ptr<TFileWaitState> state, const std::string& directory, bool subtree,
                                 DWORD mask, TFileSysChange handler)
    : state_(std::move(state)), directory_(directory), subtree_(subtree), mask_(mask), handler_(std::move(handler)) {
    FreeOnTerminate = true;
}

TFileWaitThread::~TFileWaitThread() {
    if (handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr) api.Close(handle_);
}

void TFileWaitThread::ReportError(DWORD code) {
    // Raised on the GUI thread, where the application's error report shows it;
    // a worker that was told to stop has nobody left to report to.
    Synchronize([this, code] {
        if (!state_->stop) throw EFileSysMonitor("TFileWaitThread Error, code " + std::to_string(code));
    });
}

void TFileWaitThread::Execute() {
    if (!state_->stop) handle_ = api.First(directory_.c_str(), subtree_ ? TRUE : FALSE, mask_);
    if (state_->stop) return;  // the destructor closes a handle made just before
    if (handle_ == INVALID_HANDLE_VALUE || handle_ == nullptr) {
        ReportError(GetLastError());
        return;
    }
    while (!state_->stop) {
        const DWORD rc = api.Wait(handle_, timeout_);
        if (rc == WAIT_TIMEOUT) continue;
        if (rc != WAIT_OBJECT_0) {
            ReportError(GetLastError());
            break;
        }
        Synchronize([this] {
            // The monitor may have switched off while this change waited for the
            // GUI thread; the handler's objects may be gone by now.
            if (!state_->stop && handler_) handler_(this, directory_);
        });
        // Re-arm only after a signalled wait: re-arming a pending request queues
        // another one in the system and can lose changes. A failure ends the watch
        // with one report instead of one per pass.
        if (!api.Next(handle_)) {
            ReportError(GetLastError());
            break;
        }
    }
}

TFileSysMonitor::TFileSysMonitor(TComponent* AOwner) : TComponent(AOwner) {}

TFileSysMonitor::~TFileSysMonitor() {
    // A worker left running must not call a handler of an object that is gone.
    if (state_) state_->stop = true;
}

void TFileSysMonitor::SetActive(bool value) {
    if (value == active_) return;
    if (!value) {
        if (state_) state_->stop = true;
        state_.reset();  // never wait for the worker: it ends within one wait
    } else {
        auto state = std::make_shared<TFileWaitState>();
        auto* worker = new TFileWaitThread(state, directory_, watchSubtree_, NotifyFilterMask(filter_),
                                           OnFileSysChange);
        try {
            worker->Start();
        } catch (...) {
            delete worker;
            throw;
        }
        state_ = state;
    }
    active_ = value;
}

void TFileSysMonitor::Restart() {
    if (!active_) return;
    SetActive(false);
    SetActive(true);
}

void TFileSysMonitor::SetMonitoredDirectory(const std::string& value) {
    if (value == directory_) return;
    if (!DirectoryExists(value)) throw EFileSysMonitor("Directory does not exist!");
    directory_ = value;
    Restart();
}

void TFileSysMonitor::SetWatchSubtree(bool value) {
    if (value == watchSubtree_) return;
    watchSubtree_ = value;
    Restart();
}

void TFileSysMonitor::SetNotifyFilter(TNotifyFilter value) {
    if (value == filter_) return;
    filter_ = value;
    Restart();
}

}  // namespace components
