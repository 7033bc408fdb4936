#include "main/bar/core/RecentMenuRules.h"

namespace bar {

std::string ShortenPath(const std::string& path) {
    const size_t kShown = 40;
    if (path.size() <= kShown) return path;
    const size_t slash = path.find_last_of('\\');
    const std::string tail = "\\" + (slash == std::string::npos ? path : path.substr(slash + 1));
    if (tail.size() > kShown - 3) return "..." + tail;
    return path.substr(0, kShown - 3 - tail.size()) + "..." + tail;
}

bool CutToLimit(TStringList& list, int limit) {
    if (limit < 0) limit = 0;
    if (list.Count() <= limit) return false;
    while (list.Count() > limit) list.Delete(list.Count() - 1);
    return true;
}

unsigned FirstShellCommand(bool withOwnCommands) { return withOwnCommands ? kOwnCommandCount + 1 : 1; }

int ShellCommandOffset(unsigned chosen, bool withOwnCommands) {
    const unsigned first = FirstShellCommand(withOwnCommands);
    return chosen < first ? -1 : static_cast<int>(chosen - first);
}

std::string ItemCommandText(unsigned command, bool locked, bool withCaption, const std::string& caption) {
    std::string text = command == kDeleteCommand ? "Delete item" : (locked ? "Unlock item" : "Lock item");
    if (withCaption) text += " \"" + caption + "\"";
    return text;
}

ListMove ApplyItemCommand(unsigned command, bool locked, TStringList& recent, TStringList& lockedList,
                          const std::string& entry, const PathEquals& equals) {
    if (command != kLockCommand && command != kDeleteCommand) return ListMove::None;
    TStringList& source = locked ? lockedList : recent;
    TStringList& target = locked ? recent : lockedList;
    // The source is checked first: a lock that could not take the entry out
    // would leave it in both lists.
    const int at = IndexOfPath(source, entry, equals);
    if (at < 0) return ListMove::None;
    const std::string stored = source[at];
    source.Delete(at);
    if (command == kDeleteCommand) return ListMove::Deleted;
    target.Insert(0, stored);
    return locked ? ListMove::Unlocked : ListMove::Locked;
}

}  // namespace bar
