#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/components/core/ExeFromCmdLine.h"

using namespace components;

namespace {

TEST(GetExeFromCmdLine, CutsTheProgramOutOfCommandLines) {
    struct Case {
        std::string cmdLine;
        std::string exe;
    };
    const std::vector<Case> cases = {
        {R"(c:\tools\app.exe -x)", R"(c:\tools\app.EXE)"},
        {R"("C:\Program Files\Internet Explorer\iexplore.exe" -nohome)",
         R"(C:\Program Files\Internet Explorer\iexplore.EXE)"},
        {R"("C:\Program Files\Outlook Express\msimn.exe" /mailurl:%1)",
         R"(C:\Program Files\Outlook Express\msimn.EXE)"},
        {R"(rundll32.dll url.dll,FileProtocolHandler %1)", ""},
        {R"(c:\my.exe.dir\x.exe)", R"(c:\my.EXE)"},
        {R"(%SystemRoot%\system32\NOTEPAD.EXE %1)", R"(%SystemRoot%\system32\NOTEPAD.EXE)"},
        {R"(C:\APP.Exe)", R"(C:\APP.EXE)"},
        {"", ""},
        {"\"", ""},
        {".exe", ".EXE"},
        {"\".exe\"", ".EXE"},
        {"\"a.exe", "a.EXE"},
        {"c:\\x.ex", ""},
        // Bytes outside ASCII keep their place and their value.
        {"c:\\\xE9t\xE9.exe", "c:\\\xE9t\xE9.EXE"},
        // A quote anywhere but first is part of the path.
        {"x\"y.exe", "x\"y.EXE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cmdLine);
        EXPECT_EQ(GetExeFromCmdLine(c.cmdLine), c.exe);
    }
}

}  // namespace
