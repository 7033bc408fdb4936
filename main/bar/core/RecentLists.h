// Platform-free rules of the recent-item lists and of the notices that feed
// them: the recording rule, which programs count as recent applications, and
// what a notice's lParam means.
#pragma once
#include <functional>
#include <string>

#include "framework/core/StringList.h"

namespace bar {

// Whether two list entries name the same path. The bar passes the user
// locale's case-insensitive comparison; native tests pass ASCII folding.
using PathEquals = std::function<bool(const std::string&, const std::string&)>;

int IndexOfPath(const TStringList& list, const std::string& path, const PathEquals& equals);

enum class RecordResult { MovedToFront, Inserted, Locked };
// A path already in `list` moves to the front (keeping its stored spelling);
// otherwise, unless `locked` holds it, it is inserted at the front. The caller saves.
RecordResult RecordRecentPath(TStringList& list, const TStringList& locked, const std::string& path,
                              const PathEquals& equals);

// A shown program's path is recorded when it is not the bar itself (exact
// comparison), has the extension ".EXE" (any case) and is not one of the
// system's helper hosts (rundll, help viewer, telephony, spooler, dial-up).
bool IsRecordableProgram(const std::string& path, const std::string& ownExe);

enum class HookNotice { Path, Window, Ignored };
// lParam -1: a global atom naming a path; 2: a window being shown; anything else is ignored.
HookNotice ClassifyHookNotice(long long lParam);

// The name a global-atom lookup wrote into `buffer`: the text up to the first
// NUL, never beyond the `written` characters the call reported.
std::string AtomNameFromBuffer(const std::string& buffer, size_t written);

// How a bare process name becomes a path: a name without any backslash (what
// NT-family systems put in the process entry) is looked up among the
// process's modules; a name with one is already the path (Windows 9x).
bool NeedsModuleLookup(const std::string& processEntryName);

}  // namespace bar
