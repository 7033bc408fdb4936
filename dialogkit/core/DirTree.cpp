#include "dialogkit/core/DirTree.h"

namespace dialogkit {

std::string DirTreeParent(const std::string& path, LeadBytePredicate isLead) {
    if (path.empty()) return std::string();
    // Dropping the last byte must not leave half a double-byte character:
    // drop the whole last character instead.
    std::size_t lastChar = 0;
    for (std::size_t i = 0; i < path.size();) {
        lastChar = i;
        i += (isLead(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) ? 2 : 1;
    }
    const std::string rest = path.substr(0, lastChar);
    const std::size_t slash = LastCharPos(rest, '\\', isLead);
    return slash == std::string::npos ? std::string() : rest.substr(0, slash);
}

}  // namespace dialogkit
