#include "main/components/FileFinder.h"

#include <vector>

#include "framework/forms/Application.h"
#include "main/components/core/Wilds.h"

namespace components {

namespace {
// Every look at the queue is a round trip to Wine's server, dearer than
// listing the entry itself: after every entry it made a walk several times
// slower than a plain one. Fifty looks a second keep the dialog painted and
// the status line following the walk.
constexpr DWORD kPumpIntervalMs = 20;
}  // namespace

TFileFinder::TFileFinder(TComponent* AOwner) : TComponent(AOwner) {}

TFileFinder::~TFileFinder() { StatusLabel = nullptr; }

void TFileFinder::Execute() {
    stopped_ = false;
    lastPump_ = GetTickCount() - kPumpIntervalMs;
    // The pattern stays the same for the whole walk: only the names are
    // upper-cased entry by entry, each a conversion through wide characters.
    upperFilename_ = AnsiUpperCase(Filename);
    SearchDir(Root);
}

bool TFileFinder::Matches(const std::string& name) const {
    if (FuzzySearch)
        return IgnoreCase ? WildcardMatch(AnsiUpperCase(name), upperFilename_, false)
                          : WildcardMatch(name, Filename, false);
    return IgnoreCase ? SameTextAscii(name, Filename) : name == Filename;
}

void TFileFinder::SearchDir(const std::string& Dir) {
    // Everything about this folder is local: a handler may pump messages and
    // start another walk on this same finder in the middle of this one.
    bool stop = stopped_;
    std::vector<std::string> subFolders;
    {
        TSearchRec rec;
        int rc = FindFirst(Dir + "*.*", FileAttr, rec);
        while (rc == 0 && !stopped_ && !stop) {
            const bool isDir = (rec.Attr & faDirectory) != 0;
            // Folder links (junctions, symbolic links) can lead back into the
            // tree and make the walk endless: match them, never enter them.
            const bool isLink = (rec.Attr & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            if (isDir && !isLink && !rec.Name.empty() && rec.Name[0] != '.') subFolders.push_back(Dir + rec.Name);
            if (!Filename.empty() && Matches(rec.Name) && OnFileFound) OnFileFound(this, Dir, rec, stop);
            stopped_ = stop;
            rc = FindNext(rec);
            // The status line repaints only when the folder changes.
            if (StatusLabel && StatusLabel->Caption() != Dir) StatusLabel->SetCaption(Dir);
            if (ProcessMessages) PumpMessages();
        }
    }
    if (SubFolders)
        for (const std::string& sub : subFolders) {
            if (stopped_ || stop) break;
            SearchDir(sub + "\\");
        }
    if (Dir == Root && OnStop) OnStop(this);
}

void TFileFinder::PumpMessages() {
    const DWORD now = GetTickCount();
    if (now - lastPump_ < kPumpIntervalMs) return;
    lastPump_ = now;
    Application->ProcessMessages();
}

}  // namespace components
