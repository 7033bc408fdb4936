// The outside archivers the dialogs hand their command lines to: the three
// archiver libraries, loaded by full path when needed, and zip.exe, run and
// waited for. Every call says whether it worked and, when not, why in words
// a user can act on; what to do with that is the dialog's.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace archive {

enum class Archiver { Unlha, Tar, UnZip };

struct ArchiverOutcome {
    bool ok = false;
    std::string failure;  // empty when ok
};

// Hands `command` to the archiver: `Unlha` and `UnZip` by ordinal 1, `Tar` by
// name, each as int WINAPI F(HWND, LPCSTR, LPSTR, DWORD), with a buffer
// whose text (every member or file that failed, worst first) explains a failure.
ArchiverOutcome CallArchiver(Archiver archiver, HWND owner, const std::string& command);

// Starts `command` hidden in a new console and waits for it to end. With a
// `program` path the system takes the program from there instead of
// searching for the command's first word; with an inheritable `output`
// handle, the program's output and error output go there. The exit code;
// nothing when it could not start.
std::optional<DWORD> RunProgramAndWait(const std::string& command, const std::string& program = std::string(),
                                       HANDLE output = nullptr);

// zip.exe beside the library, in the system folder, or on PATH (never the
// current folder); "" when there is none.
std::string FindZipProgram();
// Runs zip.exe's `command` (which begins with "zip"); a failure carries what it wrote.
ArchiverOutcome RunZip(const std::string& command);

// Writes the ZIP self-extractor `exe`: the stub "sfx.bin" followed by the
// archive `zip`, through a temporary file beside `exe` that takes its place
// only when complete. `zip` itself is left alone.
ArchiverOutcome MakeZipSelfExtractor(const std::string& zip, const std::string& exe);

bool FileThere(const std::string& path);

}  // namespace archive
