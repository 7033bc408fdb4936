// The name sanitiser from arbitrary bytes, under the Japanese code page's
// lead bytes: whatever it lets through stays inside the target folder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "standins/archive/core/MemberNames.h"

using namespace archivers;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string raw(reinterpret_cast<const char*>(data), size);
    std::string why;
    const auto place = SafeMemberPath(raw, Cp932LeadByte, why);
    if (!place) {
        if (why.empty()) std::abort();
    } else {
        const std::string& p = place->path;
        if (!p.empty() && p[0] == '\\') std::abort();
        for (const std::string& c : SplitComponents(p, Cp932LeadByte)) {
            // No trail byte is below 0x40: a ":" anywhere is a real one.
            if (c == ".." || c == "." || c.find(':') != std::string::npos) std::abort();
            if (c.back() == '.' || c.back() == ' ') std::abort();
        }
        // Folders are joined with "\"; a "/" is at most the trail byte of a double-byte character.
        for (std::size_t i = 0; i < p.size(); ++i) {
            if (Cp932LeadByte(static_cast<unsigned char>(p[i])) && i + 1 < p.size() &&
                static_cast<unsigned char>(p[i + 1]) >= 0x40) {
                ++i;
            } else if (p[i] == '/') {
                std::abort();
            }
        }
    }
    const std::string stored = StoredName(raw, Cp932LeadByte);
    for (const std::string& c : SplitComponents(stored, Cp932LeadByte))
        if (c == ".." || c == ".") std::abort();
    MatchWildcard(raw.substr(0, size / 2), raw.substr(size / 2), Cp932LeadByte);
    return 0;
}
