// "zip.exe": the console ZIP archiver the archive library starts as
//   zip [-r] [-j] [-0..-9] <archive> <file | folder\*.*> ...
// Adds the files to the archive (made when missing, ".zip" added to a name
// without an extension), replacing members of the same name; -r walks into
// folders, -j stores file names without their folders. Members are deflated
// at the level given (6 by default); empty ones, and small ones deflate
// would make larger, are stored. The archive is rewritten into a temporary
// file and replaced only when complete, with every file asked for. Exit code 0, or the ArchiverResult
// of the worst failure; every failure is named on the error output.
#include <windows.h>

#include <cstdio>
#include <map>

#include "standins/archive/core/ArchiverCommands.h"
#include "standins/archive/win/ArchiverFiles.h"
#include "standins/archive/win/ArchiverReport.h"
#include "framework/core/FileReplace.h"
#include "standins/archive/core/Checksums.h"
#include "framework/core/MbcsPath.h"
#include "standins/archive/core/MemberNames.h"
#include "standins/archive/win/PackSources.h"
#include "standins/archive/core/ZipFormat.h"
#include "standins/archive/core/ZlibStreams.h"

namespace archivers {

namespace {

constexpr std::uint16_t kMadeByDos20 = 20;
constexpr std::uint16_t kNeedsDeflate = 20;
constexpr std::uint16_t kNeedsStored = 10;

std::string Key(const std::string& stored) {
    std::string key = stored;
    while (!key.empty() && key.back() == '/') key.pop_back();
    return LowerAsciiMbcs(key, SystemLeadByte);
}

class Writer : MemberWriter {
public:
    Writer(OutputFile& out, int level, ArchiverReport& report)
        : MemberWriter(out, report), level_(level), deflater_(level ? level : 1) {}
    std::vector<ZipEntry> written;

    // False only when the archive cannot be written; a file that cannot be
    // read is reported and left out.
    bool Add(const SourceItem& item) {
        ZipEntry e;
        e.name = item.stored + (item.folder ? "/" : "");
        e.versionMadeBy = kMadeByDos20;
        e.dosTime = DosTimeOf(item.info.ftLastWriteTime);
        e.externalAttributes = item.info.dwFileAttributes &
                               (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE);
        e.method = item.folder || level_ == 0 || EntrySize(item.info) == 0 ? kZipStored : kZipDeflated;
        e.versionNeeded = e.method == kZipStored ? kNeedsStored : kNeedsDeflate;
        if (EntrySize(item.info) > kZipMaxOffset) {
            report_.Fail(kArchiverUnsupported, item.path + " is too large for a ZIP archive without Zip64");
            return true;
        }
        InputFile source;
        if (!item.folder && !source.Open(item.path)) {
            report_.Fail(kArchiverCannotRead, "cannot read " + item.path);
            return true;
        }
        e.localOffset = out_.Position();
        const std::string placeholder = ZipLocalHeader(e);
        if (!out_.Write(placeholder.data(), placeholder.size())) return WriteFailed();
        const std::uint64_t dataAt = out_.Position();
        std::string error;
        if (e.method == kZipDeflated) {
            DeflateResult r;
            // Incompressible data costs deflate only its block framing, a few
            // bytes in 64 KiB, and packing it again stored would read and
            // write it twice: only a member grown by more than 1/256 (a
            // small one, mostly) is stored instead.
            const std::uint64_t limit = source.Size() + source.Size() / 256;
            if (!deflater_.Deflate(source, out_, limit, r, error)) return Abandon(item, e.localOffset);
            if (r.exceeded) {
                e.method = kZipStored;
                e.versionNeeded = kNeedsStored;
                if (!out_.Seek(dataAt) || !out_.Truncate()) return WriteFailed();
                source.Seek(0);
            } else {
                e.crc = r.crc;
                e.size = static_cast<std::uint32_t>(r.size);
                e.packedSize = static_cast<std::uint32_t>(r.packedSize);
            }
        }
        if (e.method == kZipStored && !item.folder) {
            e.crc = 0;
            if (!CopyBytes(source, source.Size(), out_, [&](const void* d, std::size_t n) { e.crc = Crc32(e.crc, d, n); }))
                return Abandon(item, e.localOffset);
            e.size = e.packedSize = static_cast<std::uint32_t>(source.Size());
        }
        const std::string header = ZipLocalHeader(e);
        if (out_.Position() > kZipMaxOffset || !out_.WriteAt(e.localOffset, header.data(), header.size()))
            return WriteFailed();
        written.push_back(e);
        return true;
    }

    // A member of the old archive, its local record copied as it is.
    bool Copy(InputFile& archive, ZipEntry e) {
        std::uint64_t end = 0;
        std::string error;
        if (!ZipRecordEnd(archive, e, end, error)) {
            report_.Fail(kArchiverDamaged, e.name + ": " + error);
            return false;
        }
        archive.Seek(e.localOffset);
        const std::uint64_t length = end - e.localOffset;
        e.localOffset = out_.Position();
        if (!CopyBytes(archive, length, out_, [](const void*, std::size_t) {})) return WriteFailed();
        written.push_back(e);
        return true;
    }

    bool Finish() {
        if (written.size() > kZipMaxEntries) {
            report_.Fail(kArchiverUnsupported, "more members than a ZIP archive without Zip64 holds");
            return false;
        }
        const std::uint64_t directoryAt = out_.Position();
        for (const ZipEntry& e : written) {
            const std::string h = ZipCentralHeader(e, e.localOffset);
            if (!out_.Write(h.data(), h.size())) return WriteFailed();
        }
        const std::uint64_t directoryEnd = out_.Position();
        const std::string end = ZipEndRecord(written.size(), directoryEnd - directoryAt, directoryAt);
        if (directoryEnd > kZipMaxOffset) {
            report_.Fail(kArchiverUnsupported, "the archive is too large without Zip64");
            return false;
        }
        return out_.Write(end.data(), end.size()) || WriteFailed();
    }

private:
    const int level_;
    RawDeflater deflater_;
};

void Run(const ZipCommand& c, ArchiverReport& report) {
    const std::string archive = WithDefaultExtension(c.archive, ".zip", SystemLeadByte);
    SourceRequest request;
    request.names = c.files;
    request.recurse = c.recurse;
    request.keepPaths = !c.junkPaths;
    request.exclude = {archive};
    const std::vector<SourceItem> items = CollectSources(request, report);
    if (items.empty()) {
        report.Fail(kArchiverNothingFound, "nothing to pack");
        return;
    }
    InputFile old;
    ZipDirectory directory;
    if (PathExists(archive)) {
        std::string error;
        if (!OpenArchive(old, archive, report)) return;
        if (!ReadZipDirectory(old, directory, error)) {
            report.Fail(kArchiverDamaged, archive + ": " + error);
            return;
        }
    }
    const std::string temp = TempFileIn(FolderOf(archive));
    OutputFile out;
    if (temp.empty() || !out.Create(temp)) {
        report.Fail(kArchiverCannotWrite, "cannot write in the folder of " + archive);
        return;
    }
    std::map<std::string, const SourceItem*> byName;
    for (const SourceItem& item : items) byName[Key(item.stored)] = &item;
    Writer writer(out, c.level, report);
    bool ok = true;
    // Members keep their places; a file replaces the member of its name.
    for (const ZipEntry& e : directory.entries) {
        const auto it = byName.find(Key(e.name));
        if (it != byName.end() && it->second) {
            const SourceItem* item = it->second;
            it->second = nullptr;
            const std::size_t before = writer.written.size();
            ok = ok && writer.Add(*item);
            if (ok && writer.written.size() > before) continue;
        }
        ok = ok && writer.Copy(old, e);
    }
    for (const SourceItem& item : items) {
        if (byName[Key(item.stored)] == &item) ok = ok && writer.Add(item);
    }
    ok = ok && writer.Finish();
    ok = out.Close() && ok;
    old.Close();
    // An archive without a file that was asked for is no archive of the
    // selection: the earlier one, if any, stays as it was.
    if (ok && !report.Failed() && ReplaceFileWith(archive, temp)) return;
    DeleteFileA(temp.c_str());
    if (!ok || !report.Failed()) report.Fail(kArchiverCannotWrite, "cannot write " + archive);
}

}  // namespace

}  // namespace archivers

int main(int argc, char** argv) {
    archivers::ArchiverReport report;
    try {
        archivers::LogCommand("zip.exe", GetCommandLineA());
        std::string error;
        const auto command = archivers::ParseZipCommand(std::vector<std::string>(argv + 1, argv + argc), error);
        if (command) {
            archivers::Run(*command, report);
        } else {
            report.Fail(archivers::kArchiverBadCommand, "bad command line: " + error);
        }
    } catch (...) {
        report.Fail(archivers::kArchiverFailed, "unexpected error");
    }
    if (report.Failed()) std::fprintf(stderr, "zip: %s\n", report.Text().c_str());
    return report.Result();
}
