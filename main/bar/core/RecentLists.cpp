#include "main/bar/core/RecentLists.h"

#include "framework/core/StrUtils.h"

namespace bar {

int IndexOfPath(const TStringList& list, const std::string& path, const PathEquals& equals) {
    for (int i = 0; i < list.Count(); ++i)
        if (equals(list[i], path)) return i;
    return -1;
}

RecordResult RecordRecentPath(TStringList& list, const TStringList& locked, const std::string& path,
                              const PathEquals& equals) {
    // The move is tested before the lock: a path in both lists still moves.
    const int at = IndexOfPath(list, path, equals);
    if (at >= 0) {
        const std::string stored = list[at];
        list.Delete(at);
        list.Insert(0, stored);
        return RecordResult::MovedToFront;
    }
    if (IndexOfPath(locked, path, equals) >= 0) return RecordResult::Locked;
    list.Insert(0, path);
    return RecordResult::Inserted;
}

bool IsRecordableProgram(const std::string& path, const std::string& ownExe) {
    if (path == ownExe) return false;
    const size_t slash = path.find_last_of('\\');
    const std::string name = UpperCaseAscii(slash == std::string::npos ? path : path.substr(slash + 1));
    const size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || name.substr(dot) != ".EXE") return false;
    static const char* const kHelpers[] = {"RUNDLL32.EXE", "RUNDLL.EXE",  "HH.EXE",
                                           "TAPISRV.EXE",  "SPOOL32.EXE", "RNAAPP.EXE"};
    for (const char* helper : kHelpers)
        if (name == helper) return false;
    return true;
}

HookNotice ClassifyHookNotice(long long lParam) {
    if (lParam == -1) return HookNotice::Path;
    if (lParam == 2) return HookNotice::Window;
    return HookNotice::Ignored;
}

std::string AtomNameFromBuffer(const std::string& buffer, size_t written) {
    const size_t limit = written < buffer.size() ? written : buffer.size();
    const size_t nul = buffer.find('\0');
    return buffer.substr(0, nul < limit ? nul : limit);
}

bool NeedsModuleLookup(const std::string& processEntryName) {
    return !processEntryName.empty() && processEntryName.find('\\') == std::string::npos;
}

}  // namespace bar
