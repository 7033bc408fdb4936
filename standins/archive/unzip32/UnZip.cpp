// "UNZIP32.dll": the ZIP unpacker the archive library calls as
//   int WINAPI UnZip(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize)
// with -x (overwrite) or -u (only newer), -j to drop folders, the archive,
// the target folder and the members wanted. Stored and deflated members,
// each checked against its CRC; an archive behind a self-extractor's
// program is read as well. The result is 0 when all went well, or the
// ArchiverResult of the worst failure; `output` names every failure, or the
// names unpacked. No window is shown, whatever the owner.
#include <windows.h>

#include "standins/archive/win/ArchiveUnpack.h"
#include "standins/archive/core/ArchiverCommands.h"

namespace archivers {

namespace {

void Run(const std::string& line, ArchiverReport& report) {
    std::string error;
    const auto c = ParseUnzipCommand(line, error);
    if (!c) {
        report.Fail(kArchiverBadCommand, "bad command line: " + error);
        return;
    }
    TargetOptions options;
    options.folder = c->folder;
    options.keepPaths = c->keepPaths;
    options.onlyNewer = c->onlyNewer;
    InputFile file;
    if (!StartUnpack(c->archive, c->names, options, file, report)) return;
    UnpackTarget target(options, report);
    if (target.Open()) UnpackZip(file, target, report);
}

}  // namespace

}  // namespace archivers

extern "C" int WINAPI UnZip(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize) {
    (void)owner;
    return archivers::RunArchiverExport("UnZip", commandLine, output, outputSize, archivers::Run);
}
