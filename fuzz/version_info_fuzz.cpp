// The version-block reader over arbitrary bytes, with the queries an info tip
// makes and a few paths taken from the input itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "main/bar/core/VersionInfo.h"

using namespace bar;

namespace {

std::string Narrow(const std::u16string& text) {
    std::string out;
    for (char16_t u : text) out += static_cast<char>(u < 0x80 ? u : '?');
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy, so that reading one byte too far is caught.
    const std::vector<std::uint8_t> block(data, data + size);
    const std::string description = VersionStringFromBlock(block.data(), block.size(), "FileDescription", Narrow);
    if (description.size() > size) std::abort();

    VersionTranslation translation;
    if (FirstVersionTranslation(block.data(), block.size(), translation)) {
        VersionValue value;
        if (QueryVersionValue(block.data(), block.size(), StringTablePath(translation, "CompanyName"), value) &&
            (value.offset > size || value.length > size - value.offset))
            std::abort();
    }
    // Paths the input spells out: its last bytes, split at backslashes.
    const std::string path(reinterpret_cast<const char*>(data) + (size > 24 ? size - 24 : 0),
                           size > 24 ? 24 : size);
    VersionValue value;
    if (QueryVersionValue(block.data(), block.size(), path, value) &&
        (value.offset > size || value.length > size - value.offset))
        std::abort();
    return 0;
}
