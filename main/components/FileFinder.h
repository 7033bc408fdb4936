// A folder walker that reports every entry whose name matches a pattern.
#pragma once
#include <functional>
#include <string>

#include "framework/forms/Component.h"
#include "framework/forms/ExtCtrls.h"
#include "framework/forms/SysUtils.h"

namespace components {

using TFileFoundEvent =
    std::function<void(TObject* Sender, const std::string& Directory, TSearchRec& SearchRec, bool& Stop)>;

class TFileFinder : public TComponent {
public:
    explicit TFileFinder(TComponent* AOwner);
    ~TFileFinder() override;

    int FileAttr = faAnyFile;
    std::string Root = "C:\\";  // must end with a backslash
    bool SubFolders = true;
    bool ProcessMessages = true;
    std::string Filename;
    TLabel* StatusLabel = nullptr;  // not owned
    bool FuzzySearch = true;
    bool IgnoreCase = true;
    bool Stopped() const { return stopped_; }
    TFileFoundEvent OnFileFound;
    TNotifyEvent OnStop;

    // Walks Root synchronously; returns when the walk has ended or a handler stopped it.
    void Execute();

private:
    void SearchDir(const std::string& Dir);
    bool Matches(const std::string& name) const;
    // Handles the pending messages when the last look at the queue is a few
    // milliseconds old.
    void PumpMessages();
    bool stopped_ = false;
    unsigned long lastPump_ = 0;
    // The pattern upper-cased once a walk, for the case-blind match.
    std::string upperFilename_;
};

}  // namespace components
