#include "backup/core/CopyEngine.h"

#include <algorithm>
#include <map>
#include <set>

#include "backup/core/BackupPaths.h"
#include "framework/core/MbcsPath.h"

namespace backup {

namespace {

// One folder's entries by name, letter case ignored: the file systems the
// backups live on ignore it, and one listing per folder keeps the lookup
// from scanning the folder again for every file.
class FolderIndex {
public:
    FolderIndex(std::vector<FolderEntry> entries, LeadBytePredicate isLead)
        : entries_(std::move(entries)), isLead_(isLead) {
        keys_.reserve(entries_.size());
        for (std::size_t i = 0; i < entries_.size(); ++i)
            keys_.push_back({LowerAsciiMbcs(entries_[i].name, isLead), i});
        std::sort(keys_.begin(), keys_.end());
    }
    const FolderEntry* Find(const std::string& name) const {
        const Key key{LowerAsciiMbcs(name, isLead_), 0};
        const auto it = std::lower_bound(keys_.begin(), keys_.end(), key);
        return it != keys_.end() && it->first == key.first ? &entries_[it->second] : nullptr;
    }

private:
    using Key = std::pair<std::string, std::size_t>;
    std::vector<FolderEntry> entries_;
    std::vector<Key> keys_;
    LeadBytePredicate isLead_;
};

class CopyRun {
public:
    CopyRun(EngineFiles& files, const CopyRequest& request, CopyEvents& events, LeadBytePredicate isLead)
        : files_(files),
          request_(request),
          events_(events),
          isLead_(isLead),
          settings_(SettingsForOperation(request.fileOperation)) {}

    CopyOutcome Run() {
        const std::string source = WithBackslash(request_.source, isLead_);
        const std::string destination = WithBackslash(request_.destination, isLead_);
        if (TargetInsideSource(source, destination, isLead_)) return Ended(CopyStatus::TargetInsideSource);
        FileStat stat;
        // Checked before the run, but gone by now: that is no backup either.
        if (!files_.Stat(source, stat) || !stat.folder) return Failed(CopyStatus::NoSource, source, 0);
        if (files_.Stat(destination, stat)) {
            if (!stat.folder) return Failed(CopyStatus::NoDestination, destination, 0);
        } else if (!events_.CreateDestination(destination)) {
            return Ended(CopyStatus::NoDestination);
        } else if (!files_.MakeFolder(destination)) {
            return Failed(CopyStatus::NoDestination, destination, 0);
        }
        const std::string target = destination + LastFolderName(source, isLead_);
        for (const bool copying : {false, true}) {
            if (stopped_ || (copying && outcome_.toCopy == 0)) break;
            if (copying) buffer_.resize(kCopyBlockSize);
            // A link to the destination must not carry the backup into itself.
            visited_.clear();
            FirstVisit(destination);
            FirstVisit(source);
            Folder(source, target, copying);
        }
        return Ended(stopped_ ? CopyStatus::Stopped : CopyStatus::Done);
    }

private:
    CopyOutcome Ended(CopyStatus status) {
        outcome_.status = status;
        return outcome_;
    }
    CopyOutcome Failed(CopyStatus status, const std::string& path, int error) {
        outcome_.failures.push_back({path, error});
        return Ended(status);
    }
    bool Stop() {
        if (!stopped_ && events_.StopRequested()) stopped_ = true;
        return stopped_;
    }

    // True the first time a pass meets the folder, and whenever the system
    // cannot tell which folder it is.
    bool FirstVisit(const std::string& folder) {
        const FileIdentity id = files_.FolderIdentity(folder);
        return !id.known || visited_.insert({id.volume, id.index}).second;
    }

    // A link may point anywhere, also back up the tree; and where links are
    // not marked as such (some under Wine, a folder mounted into itself) the
    // folder's identity still tells one the run has been in. Named by the
    // counting pass, which every run makes.
    bool Enter(const std::string& folder, const FileStat& stat, bool copying) {
        const bool link = (stat.attributes & kAttrReparsePoint) != 0;
        if (!link && FirstVisit(folder)) return true;
        if (!copying)
            outcome_.passedOver.push_back({folder, link ? PassedOverKind::FolderLink : PassedOverKind::FolderSeen});
        return false;
    }

    // Of names that differ only in letter case, which land on one name in a
    // backup, one is copied: the one whose copy is there under its exact
    // name, else the first listed. True for the others the run would copy.
    std::vector<bool> LetterCaseTwins(const std::vector<FolderEntry>& entries, const FolderIndex& index) const {
        std::map<std::string, std::size_t> chosen;
        std::vector<bool> twins(entries.size(), false);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const FolderEntry& e = entries[i];
            if (e.stat.folder ? !request_.includeSubfolders
                              : !MatchExtensionFilter(e.name, request_.extMode, request_.extList))
                continue;
            const auto [it, first] = chosen.emplace(LowerAsciiMbcs(e.name, isLead_), i);
            if (first) continue;
            const FolderEntry* old = index.Find(e.name);
            const bool exact = old && old->name == e.name;
            twins[exact ? it->second : i] = true;
            if (exact) it->second = i;
        }
        return twins;
    }

    // One folder of either pass; both paths end in "\".
    void Folder(const std::string& source, const std::string& target, bool copying) {
        if (Stop()) return;
        if (copying && !files_.MakeFolder(target)) {
            outcome_.failures.push_back({target, 0});
            return;
        }
        FirstVisit(target);
        std::vector<FolderEntry> entries;
        int error = 0;
        if (!files_.ListFolder(source, entries, error)) {
            if (copying) outcome_.failures.push_back({source, error});
            return;
        }
        std::vector<FolderEntry> existing;
        files_.ListFolder(target, existing, error);
        const FolderIndex index(std::move(existing), isLead_);
        const std::vector<bool> twins = LetterCaseTwins(entries, index);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const FolderEntry& entry = entries[i];
            if (Stop()) return;
            const std::string path = source + entry.name + (entry.stat.folder ? "\\" : "");
            if (twins[i]) {
                if (!copying) outcome_.passedOver.push_back({path, PassedOverKind::LetterCaseTwin});
                continue;
            }
            if (entry.stat.folder) {
                if (request_.includeSubfolders && Enter(path, entry.stat, copying))
                    Folder(path, target + entry.name + "\\", copying);
                continue;
            }
            if (!MatchExtensionFilter(entry.name, request_.extMode, request_.extList)) continue;
            const FolderEntry* old = index.Find(entry.name);
            const FileDecision decision =
                CompareFileState(entry.stat, old ? &old->stat : nullptr, settings_.skipIdentical, settings_.compareMode,
                                 request_.direction);
            if (decision == FileDecision::Skip) continue;
            if (!copying) {
                ++outcome_.toCopy;
                continue;
            }
            if (old && settings_.confirmReplacements && !replaceAll_) {
                const ReplaceAnswer answer = events_.ConfirmReplace(source + entry.name, target);
                if (answer == ReplaceAnswer::No) continue;
                replaceAll_ = answer == ReplaceAnswer::All;
            }
            // A run that found more than it counted still ends at 100.
            ++started_;
            const int percent = static_cast<int>(std::min<std::uint64_t>(100, started_ * 100 / outcome_.toCopy));
            if (percent != lastPercent_) events_.Percent(lastPercent_ = percent);
            // An existing copy is replaced under its own name's letter case.
            const std::string to = target + (old ? old->name : entry.name);
            events_.CurrentFile(source + entry.name, to);
            CopyFile(source + entry.name, to, entry.stat, old != nullptr);
        }
    }

    void CopyFile(const std::string& from, const std::string& to, const FileStat& stat, bool replacing) {
        int error = 0;
        auto input = files_.OpenInput(from, false, error);
        if (!input) {
            outcome_.failures.push_back({from, error});
            return;
        }
        std::string written = to;
        std::unique_ptr<EngineOutput> output =
            replacing ? CreateTemporaryBeside(files_, to, "~dv", temporaryNumber_, written, error, isLead_)
                      : Create(to, error);
        if (!output) {
            outcome_.failures.push_back({to, error});
            return;
        }
        bool ok = true;
        std::uint64_t sinceCheck = 0;
        for (;;) {
            std::size_t got = 0;
            if (!input->Read(buffer_.data(), buffer_.size(), got)) {
                outcome_.failures.push_back({from, input->LastError()});
                ok = false;
                break;
            }
            if (got == 0) break;
            if (!output->Write(buffer_.data(), got)) {
                outcome_.failures.push_back({to, output->LastError()});
                ok = false;
                break;
            }
            sinceCheck += got;
            if (sinceCheck >= kStopCheckBytes) {
                sinceCheck = 0;
                if (Stop()) {
                    ok = false;
                    break;
                }
            }
        }
        input.reset();
        if (ok) output->SetWriteTime(stat.writeTime);
        if (ok && !output->Close()) {
            outcome_.failures.push_back({to, output->LastError()});
            ok = false;
        }
        output.reset();
        const std::uint32_t kept = stat.attributes & (kAttrReadOnly | kAttrHidden | kAttrSystem);
        if (ok && kept && !files_.SetAttributes(written, kept | (stat.attributes & kAttrArchive))) {
            outcome_.failures.push_back({to, 0});
            ok = false;
        }
        if (ok && replacing && !files_.Replace(to, written, error)) {
            // Windows 9x replaces by deleting the old copy first: when the
            // rename then fails, the new data is all there is.
            FileStat old;
            const bool oldGone = !files_.Stat(to, old);
            outcome_.failures.push_back({to, error, oldGone ? written : std::string()});
            if (oldGone) return;
            ok = false;
        }
        if (!ok) {
            if (kept) files_.SetAttributes(written, 0);
            files_.Remove(written);
            return;
        }
        ++outcome_.copied;
    }

    std::unique_ptr<EngineOutput> Create(const std::string& path, int& error) {
        bool created = false;
        std::uint64_t previous = 0;
        return files_.OpenOutput(path, OutputOpen::CreateNew, created, previous, error);
    }

    EngineFiles& files_;
    const CopyRequest& request_;
    CopyEvents& events_;
    LeadBytePredicate isLead_;
    CompareSettings settings_;
    CopyOutcome outcome_;
    std::vector<char> buffer_;
    std::uint64_t started_ = 0;
    int lastPercent_ = -1;
    unsigned temporaryNumber_ = 1;
    bool replaceAll_ = false;
    bool stopped_ = false;
    std::set<std::pair<std::uint64_t, std::uint64_t>> visited_;  // folder identities of this pass
};

}  // namespace

CopyOutcome RunCopy(EngineFiles& files, const CopyRequest& request, CopyEvents& events, LeadBytePredicate isLead) {
    return CopyRun(files, request, events, isLead).Run();
}

}  // namespace backup
