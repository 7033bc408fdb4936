// ListZipEntries over arbitrary bytes. The first byte picks the limit; the
// rest is the archive. The list never has more line breaks than the limit
// plus those that the names themselves carry (names are copied as bytes).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "main/bar/core/ZipEntries.h"

using namespace bar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int maxCount = data[0] % 24;
    // An exact-size copy, so that reading one byte too far is caught.
    const std::vector<std::uint8_t> archive(data + 1, data + size);
    MemoryByteSource source(archive.data(), archive.size());
    const std::string list = ListZipEntries(source, maxCount);

    const auto lineBreaks = [](const std::string& text) {
        int n = 0;
        for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++n;
        return n;
    };
    const std::string bytes(archive.begin(), archive.end());
    // The listed names never overlap in the archive, so they cannot bring
    // more line breaks than the archive holds.
    if (lineBreaks(list) > maxCount + lineBreaks(bytes)) std::abort();
    const bool full = list.size() >= 3 && list.compare(list.size() - 3, 3, "...") == 0;
    // Without the limit mark the trailing line break is gone.
    if (!full && list.size() >= 2 && list.compare(list.size() - 2, 2, "\r\n") == 0) std::abort();
    return 0;
}
