// Response files from arbitrary bytes: every name is one whole line,
// never empty, with no line break or NUL in it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "standins/archive/core/CommandTokens.h"

using namespace archivers;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::size_t total = 0;
    for (const std::string& name : ParseResponseList(bytes)) {
        if (name.empty() || name.find('\n') != std::string::npos || name.find('\0') != std::string::npos) std::abort();
        total += name.size();
    }
    if (total > size) std::abort();
    return 0;
}
