// The archivers' tokeniser and command parsers from arbitrary bytes: tokens
// never hold an unquoted blank, and every command accepted names an archive.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "standins/archive/core/ArchiverCommands.h"

using namespace archivers;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    std::size_t chars = 0;
    for (const CommandToken& t : TokenizeCommand(line)) {
        if (!t.quoted && (t.text.empty() || t.text.find_first_of(" \t") != std::string::npos)) std::abort();
        if (t.text.find('"') != std::string::npos) std::abort();
        chars += t.text.size();
    }
    if (chars > size) std::abort();
    std::string error;
    if (const auto u = ParseUnlhaCommand(line, error)) {
        if (u->archive.empty() || std::string("umes").find(u->command) == std::string::npos) std::abort();
        if ((u->command == 'u' || u->command == 'm') && u->names.empty()) std::abort();
    }
    if (const auto t = ParseTarCommand(line, error)) {
        if (t->archive.empty() || (t->create && t->names.empty()) || t->gzipLevel > 9) std::abort();
        if (!t->folder.empty() && t->folder[0] == '@') std::abort();
    }
    if (const auto z = ParseUnzipCommand(line, error))
        if (z->archive.empty()) std::abort();
    return 0;
}
