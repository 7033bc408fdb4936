// Platform-free rules of the recent-item menus: how long paths are shown,
// how a list is cut to its limit, and the item context menu's own commands
// (their texts, their place beside the shell's commands, and the list moves
// they make).
#pragma once
#include <string>

#include "main/bar/core/RecentLists.h"
#include "framework/core/StringList.h"

namespace bar {

// A path of at most 40 characters as it is; a longer one keeps its file name
// and as much of its start as fits in 40 characters, joined by "...".
std::string ShortenPath(const std::string& path);

// Drops the entries after the first `limit`; true when any was dropped.
bool CutToLimit(TStringList& list, int limit);

// The own commands of an item context menu in the recent-item menus.
enum ItemCommand : unsigned { kNoCommand = 0, kLockCommand = 1, kDeleteCommand = 2 };
constexpr unsigned kOwnCommandCount = 2;

// The first id given to the shell's commands. With own commands the shell's
// range starts after them, so the shell's first two commands are never
// taken for "Lock item" or "Delete item".
unsigned FirstShellCommand(bool withOwnCommands);
// The shell's command offset of a chosen id; -1 for none or an own command.
int ShellCommandOffset(unsigned chosen, bool withOwnCommands);

// "Lock item" / "Unlock item" / "Delete item", followed by the item's caption
// in double quotes when `withCaption` (the file and program menus).
std::string ItemCommandText(unsigned command, bool locked, bool withCaption, const std::string& caption);

enum class ListMove { None, Locked, Unlocked, Deleted };
// What an own command does to a recent list and its locked twin for the
// entry `entry` of the list the item came from (the locked one when
// `locked`). The entry must be in that list: otherwise neither list changes.
ListMove ApplyItemCommand(unsigned command, bool locked, TStringList& recent, TStringList& lockedList,
                          const std::string& entry, const PathEquals& equals);

}  // namespace bar
