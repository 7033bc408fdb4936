// The three recent-item menus of the bar (programs, folders, files) and what
// the item context menu needs to know about their entries.
#pragma once
#include <string>

#include "framework/forms/Menus.h"

namespace bar {

struct RecentMenuEntry {
    std::string path;  // the list's own text, never a path derived again from the item
    bool locked = false;
};
// The list entry behind a top-level item of the recent-item menu last built;
// null for any other item.
const RecentMenuEntry* RecentMenuEntryOf(const TMenuItem* item);

}  // namespace bar
