// Watches one folder for changes on a worker thread and reports each change on
// the GUI thread.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "framework/forms/Component.h"
#include "framework/core/Exceptions.h"
#include "framework/forms/Thread.h"

namespace components {

enum class TFileSysNotify { FILE_NAME, DIR_NAME, ATTRIBUTES, SIZE, LAST_WRITE, SECURITY };
using TNotifyFilter = unsigned;  // set of TFileSysNotify, one bit each
constexpr TNotifyFilter NotifySet(TFileSysNotify n) { return 1u << static_cast<unsigned>(n); }
// The system's change-notification filter for a set.
DWORD NotifyFilterMask(TNotifyFilter filter);

using TFileSysChange = std::function<void(TObject* Sender, const std::string& Directory)>;

class EFileSysMonitor : public Exception { using Exception::Exception; };

// The system calls the worker makes, replaceable so tests can force failures.
struct ChangeNotifyApi {
    HANDLE(WINAPI* First)(LPCSTR, BOOL, DWORD);
    BOOL(WINAPI* Next)(HANDLE);
    DWORD(WINAPI* Wait)(HANDLE, DWORD);
    BOOL(WINAPI* Close)(HANDLE);
};
ChangeNotifyApi SetChangeNotifyApi(const ChangeNotifyApi& api);
ChangeNotifyApi RealChangeNotifyApi();

// Shared by a monitor and its worker, so a worker that outlives its monitor's
// interest (or the monitor itself) can still read the stop request.
struct TFileWaitState {
    std::atomic<bool> stop{false};
};

class TFileWaitThread : public TThread {
public:
    TFileWaitThread(std::shared_ptr<TFileWaitState> state, const std::string& directory, bool subtree, DWORD mask,
                    TFileSysChange handler);
    ~TFileWaitThread() override;

protected:
    void Execute() override;

private:
    void ReportError(DWORD code);
    std::shared_ptr<TFileWaitState> state_;
    const std::string directory_;
    const bool subtree_;
    const DWORD mask_;
    const DWORD timeout_ = 100;
    const TFileSysChange handler_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

class TFileSysMonitor : public TComponent {
public:
    explicit TFileSysMonitor(TComponent* AOwner);
    ~TFileSysMonitor() override;

    const std::string& MonitoredDirectory() const { return directory_; }
    void SetMonitoredDirectory(const std::string& value);
    bool WatchSubtree() const { return watchSubtree_; }
    void SetWatchSubtree(bool value);
    TNotifyFilter NotifyFilter() const { return filter_; }
    void SetNotifyFilter(TNotifyFilter value);
    TFileSysChange OnFileSysChange;
    bool Active() const { return state_ != nullptr; }
    void SetActive(bool value);

private:
    void Restart();
    std::string directory_ = "c:\\";
    bool watchSubtree_ = false;
    TNotifyFilter filter_ = NotifySet(TFileSysNotify::FILE_NAME);
    bool active_ = false;
    std::shared_ptr<TFileWaitState> state_;  // the held worker's stop state
};

}  // namespace components
