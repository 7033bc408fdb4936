// "UNLHA32.dll": the LZH archiver the archive library calls as
//   int WINAPI Unlha(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize)
// with u (add or replace), m (add, then delete the packed files), e (unpack)
// and s (make a self-extractor). The result is 0 when all went well, or the
// ArchiverResult of the worst failure; `output` names every failure, or the
// names unpacked. No window is shown, whatever the owner.
#include <windows.h>

#include <algorithm>

#include "standins/archive/win/ArchiveUnpack.h"
#include "standins/archive/core/ArchiverCommands.h"
#include "framework/core/FileReplace.h"
#include "standins/archive/core/LzhHeader.h"
#include "standins/archive/unlha32/LzhPack.h"
#include "framework/core/MbcsPath.h"
#include "standins/archive/core/MemberNames.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace archivers {

namespace {

constexpr WORD kSelfExtractorResource = 1;

void Pack(const UnlhaCommand& c, const std::string& archive, ArchiverReport& report) {
    SourceRequest request;
    request.base = c.folder;
    request.recurse = c.recurse;
    request.keepPaths = c.keepPaths;
    request.shortNames = c.shortNames;
    request.exclude = {archive};
    if (!ExpandNames(c.names, request.names, report)) return;
    const std::vector<SourceItem> items = CollectSources(request, report);
    if (items.empty()) {
        report.Fail(kArchiverNothingFound, "nothing to pack");
        return;
    }
    LzhUpdateOptions options;
    options.method = c.method;
    options.headerLevel = c.headerLevel;
    options.timeCheck = c.timeCheck;
    std::vector<const SourceItem*> packed;
    if (!UpdateLzh(archive, items, options, report, packed) || c.command != 'm' || report.Failed()) return;
    // Moved: the packed files go, then their folders where nothing is left in them.
    for (const SourceItem* item : packed)
        if (!item->folder && !DeleteFileA(item->path.c_str()))
            report.Fail(kArchiverCannotWrite, "cannot delete " + item->path);
    for (auto it = packed.rbegin(); it != packed.rend(); ++it)
        if ((*it)->folder) RemoveDirectoryA((*it)->path.c_str());
}

void Unpack(const UnlhaCommand& c, const std::string& archive, ArchiverReport& report) {
    TargetOptions options;
    options.folder = c.folder;
    options.keepPaths = c.keepPaths;
    options.onlyNewer = c.timeCheck;
    InputFile file;
    if (!StartUnpack(archive, c.names, options, file, report)) return;
    const std::optional<std::uint64_t> start = LzhArchiveStart(file);
    if (!start) {
        report.Fail(kArchiverDamaged, archive + " holds no LZH archive");
        return;
    }
    UnpackTarget target(options, report);
    if (target.Open()) UnpackLzh(file, *start, target, report);
}

// <folder><archive's name>.exe: the self-extractor stub with the archive behind it.
void MakeSelfExtractor(const UnlhaCommand& c, const std::string& archive, ArchiverReport& report) {
    InputFile file;
    if (!OpenArchive(file, archive, report)) return;
    // Only a sound archive is worth a self-extractor.
    for (;;) {
        LzhHeader h;
        std::string error;
        const LzhRead read = ReadLzhHeader(file, h, error);
        if (read == LzhRead::End) break;
        if (read == LzhRead::Bad || h.packedSize > file.Size() - file.Position()) {
            report.Fail(kArchiverDamaged, archive + " is damaged: " + error);
            return;
        }
        file.Seek(file.Position() + h.packedSize);
    }
    const HMODULE self = reinterpret_cast<HMODULE>(&__ImageBase);
    const HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(kSelfExtractorResource), MAKEINTRESOURCEA(10));
    const HGLOBAL loaded = found ? LoadResource(self, found) : nullptr;
    const void* stub = loaded ? LockResource(loaded) : nullptr;
    if (!stub) {
        report.Fail(kArchiverFailed, "the self-extractor program is missing");
        return;
    }
    const std::string folder = c.folder.empty() ? FolderOf(archive) : c.folder;
    const std::string exe = JoinPath(folder, SplitPathBaseName(archive, SystemLeadByte) + ".exe");
    const std::string temp = CreateFolderTree(folder) ? TempFileIn(folder) : std::string();
    OutputFile out;
    if (temp.empty() || !out.Create(temp)) {
        report.Fail(kArchiverCannotWrite, "cannot write in " + folder);
        return;
    }
    file.Seek(0);
    const bool written = out.Write(stub, SizeofResource(self, found)) &&
                         CopyBytes(file, file.Size(), out, [](const void*, std::size_t) {});
    const bool closed = out.Close();
    file.Close();
    if (!written || !closed || !ReplaceFileWith(exe, temp)) {
        DeleteFileA(temp.c_str());
        report.Fail(kArchiverCannotWrite, "cannot write " + exe);
    }
}

void Run(const std::string& line, ArchiverReport& report) {
    std::string error;
    const auto c = ParseUnlhaCommand(line, error);
    if (!c) {
        report.Fail(kArchiverBadCommand, "bad command line: " + error);
        return;
    }
    const std::string archive = WithDefaultExtension(c->archive, ".lzh", SystemLeadByte);
    if (c->command == 'e') {
        Unpack(*c, archive, report);
    } else if (c->command == 's') {
        MakeSelfExtractor(*c, archive, report);
    } else {
        Pack(*c, archive, report);
    }
}

}  // namespace

}  // namespace archivers

extern "C" int WINAPI Unlha(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize) {
    (void)owner;
    return archivers::RunArchiverExport("Unlha", commandLine, output, outputSize, archivers::Run);
}
