// The cabinet stand-in's command line from arbitrary bytes: no crash, and
// whatever is accepted is a complete request.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "standins/cab32/core/CabCommandLine.h"

using namespace cabinet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto command = ParseCabCommand(text, error);
    if (!command) {
        if (error.empty()) std::abort();
        return 0;
    }
    if (!command->add || command->setName.empty() || command->files.empty()) std::abort();
    if (command->volumeKB > kMaxVolumeKB) std::abort();
    if (command->method == CabMethod::Lzx && (command->lzxWindow < 15 || command->lzxWindow > 21)) std::abort();
    for (const std::string& file : command->files)
        if (file.empty()) std::abort();
    return 0;
}
