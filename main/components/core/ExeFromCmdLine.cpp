#include "main/components/core/ExeFromCmdLine.h"

#include "framework/core/StrUtils.h"

namespace components {

std::string GetExeFromCmdLine(const std::string& CmdLine) {
    // ASCII-only folding keeps every position of the copy equal to the original's.
    const std::size_t ext = UpperCaseAscii(CmdLine).find(".EXE");
    if (ext == std::string::npos) return "";
    const std::size_t start = CmdLine[0] == '"' ? 1 : 0;
    return CmdLine.substr(start, ext - start) + ".EXE";
}

}  // namespace components
