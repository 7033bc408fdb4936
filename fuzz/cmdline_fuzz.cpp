// Command lines come from registry values that any program may have written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "main/components/core/ExeFromCmdLine.h"

using namespace components;

namespace {

bool IsExeAt(const std::string& s, std::size_t at) {
    if (at + 4 > s.size()) return false;
    static const char lower[] = ".exe";
    for (std::size_t k = 0; k < 4; ++k) {
        const char c = s[at + k];
        const char folded = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (folded != lower[k]) return false;
    }
    return true;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const std::string exe = GetExeFromCmdLine(line);

    bool hasExe = false;
    for (std::size_t at = 0; at < line.size() && !hasExe; ++at) hasExe = IsExeAt(line, at);
    if (!hasExe) {
        Check(exe.empty());
        return 0;
    }
    // The path part is the text of the line, taken from its start (past an
    // opening quote) up to the first ".exe", which it must not contain itself.
    Check(exe.size() >= 4 && exe.compare(exe.size() - 4, 4, ".EXE") == 0);
    const std::string path = exe.substr(0, exe.size() - 4);
    const std::size_t start = line[0] == '"' ? 1 : 0;
    Check(line.compare(start, path.size(), path) == 0);
    Check(IsExeAt(line, start + path.size()));
    for (std::size_t at = 0; at < start + path.size(); ++at) Check(!IsExeAt(line, at));
    return 0;
}
