// Program path out of a command line such as the registry's shell\open\command values.
#pragma once
#include <string>

namespace components {

// The text up to the first ".exe" (any case) with ".EXE" appended, an opening
// double quote left off; "" when the line names no ".exe". Arguments and a
// closing quote fall away because they come after the extension.
std::string GetExeFromCmdLine(const std::string& CmdLine);

}  // namespace components
