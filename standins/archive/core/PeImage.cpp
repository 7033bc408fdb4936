#include "standins/archive/core/PeImage.h"

namespace archivers {

std::optional<std::uint64_t> PeImageEnd(RandomSource& file) {
    unsigned char dos[64];
    if (!file.ReadAt(0, dos, sizeof dos) || dos[0] != 'M' || dos[1] != 'Z') return std::nullopt;
    const std::uint64_t pe = Le32(dos + 0x3C);
    unsigned char coff[24];
    if (!file.ReadAt(pe, coff, sizeof coff) || Le32(coff) != 0x00004550) return std::nullopt;
    const unsigned sections = Le16(coff + 6);
    const std::uint64_t table = pe + sizeof coff + Le16(coff + 20);
    if (sections == 0 || sections > 96) return std::nullopt;
    std::uint64_t end = table + 40ull * sections;
    for (unsigned i = 0; i < sections; ++i) {
        unsigned char s[40];
        if (!file.ReadAt(table + 40ull * i, s, sizeof s)) return std::nullopt;
        const std::uint64_t sectionEnd = static_cast<std::uint64_t>(Le32(s + 20)) + Le32(s + 16);
        if (Le32(s + 16) && sectionEnd > end) end = sectionEnd;
    }
    // An unstripped program keeps its symbols, then their names, behind the sections.
    const std::uint64_t symbols = Le32(coff + 8);
    if (symbols) {
        const std::uint64_t names = symbols + 18ull * Le32(coff + 12);
        unsigned char length[4];
        if (file.ReadAt(names, length, sizeof length) && names + Le32(length) > end) end = names + Le32(length);
    }
    return end;
}

}  // namespace archivers
