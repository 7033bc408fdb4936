#include "splitjoin/core/ShortcutNames.h"

namespace splitjoin {

std::string TitleFromDisplayName(const std::string& displayName, LeadBytePredicate isLead) {
    const std::size_t dot = LastCharPos(displayName, '.', isLead);
    if (dot == std::string::npos || dot == 0) return displayName;
    return displayName.substr(0, dot);
}

std::string LinkFileName(const std::string& location, const std::string& title, LeadBytePredicate isLead) {
    std::string name = location;
    const std::size_t slash = LastCharPos(name, '\\', isLead);
    if (slash == std::string::npos || slash + 1 != name.size()) name += '\\';
    name += title;
    bool hasExtension = false;
    if (name.size() >= 4) {
        std::string tail = name.substr(name.size() - 4);
        for (char& c : tail)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        hasExtension = tail == ".LNK";
    }
    if (!hasExtension) name += ".lnk";
    return name;
}

}  // namespace splitjoin
