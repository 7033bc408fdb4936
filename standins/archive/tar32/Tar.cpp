// "tar32.dll": the tar archiver the archive library calls as
//   int WINAPI Tar(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize)
// with -c to write a POSIX ustar archive (gzip-compressed with z) and -x to
// unpack one, gzip or not: the first two bytes tell. The result is 0 when all
// went well, or the ArchiverResult of the worst failure; `output` names every
// failure, or the names unpacked. No window is shown, whatever the owner.
#include <windows.h>

#include <memory>

#include "standins/archive/core/ArchiverCommands.h"
#include "standins/archive/win/ArchiverFiles.h"
#include "standins/archive/win/ArchiverReport.h"
#include "framework/core/FileReplace.h"
#include "standins/archive/core/MemberNames.h"
#include "standins/archive/win/PackSources.h"
#include "standins/archive/core/TarFormat.h"
#include "standins/archive/win/UnpackTarget.h"
#include "standins/archive/core/ZlibStreams.h"

namespace archivers {

namespace {

// GNU tar fills its last record of twenty blocks; readers expect no less.
constexpr std::uint64_t kRecord = 20 * kTarBlock;

bool WriteMember(ByteSink& out, std::uint64_t& written, const SourceItem& item, ArchiverReport& report) {
    TarEntry entry;
    entry.name = item.stored + (item.folder ? "/" : "");
    entry.type = item.folder ? '5' : '0';
    entry.mode = item.folder ? 0755 : 0644;
    entry.size = item.folder ? 0 : EntrySize(item.info);
    entry.mtime = UnixTimeOf(item.info.ftLastWriteTime);
    unsigned char header[kTarBlock];
    std::string error;
    if (!BuildTarHeader(entry, header, error)) {
        report.Fail(kArchiverUnsupported, error);
        return true;
    }
    InputFile source;
    if (!item.folder && !source.Open(item.path)) {
        report.Fail(kArchiverCannotRead, "cannot read " + item.path);
        return true;
    }
    if (!out.Write(header, kTarBlock)) return false;
    written += kTarBlock;
    if (item.folder) return true;
    // The header promised this many bytes: a file that shrank meanwhile
    // cannot be made whole, and the archive is given up.
    if (!CopyBytes(source, entry.size, out, [](const void*, std::size_t) {})) {
        report.Fail(kArchiverCannotRead, "cannot read all of " + item.path);
        return false;
    }
    const std::size_t padding = static_cast<std::size_t>((kTarBlock - entry.size % kTarBlock) % kTarBlock);
    static const unsigned char zeros[kTarBlock] = {};
    written += entry.size + padding;
    return out.Write(zeros, padding);
}

void Create(const TarCommand& c, ArchiverReport& report) {
    SourceRequest request;
    request.base = c.folder;
    request.recurse = true;
    request.keepPaths = c.useDirectory;
    request.exclude = {c.archive};
    if (!ExpandNames(c.names, request.names, report)) return;
    const std::vector<SourceItem> items = CollectSources(request, report);
    if (items.empty()) {
        report.Fail(kArchiverNothingFound, "nothing to pack");
        return;
    }
    const std::string temp = TempFileIn(FolderOf(c.archive));
    OutputFile file;
    if (temp.empty() || !file.Create(temp)) {
        report.Fail(kArchiverCannotWrite, "cannot write in the folder of " + c.archive);
        return;
    }
    std::unique_ptr<GzipWriter> gzip;
    if (c.gzipLevel >= 0) gzip.reset(new GzipWriter(file, c.gzipLevel));
    ByteSink& out = gzip ? static_cast<ByteSink&>(*gzip) : file;
    std::uint64_t written = 0;
    bool ok = true;
    for (const SourceItem& item : items) {
        if (gzip) gzip->NextFile();
        ok = WriteMember(out, written, item, report);
        if (!ok) break;
    }
    if (ok) {
        const std::string end(static_cast<std::size_t>(2 * kTarBlock + (kRecord - (written + 2 * kTarBlock) % kRecord) % kRecord), '\0');
        ok = out.Write(end.data(), end.size()) && (!gzip || gzip->Finish());
    }
    ok = file.Close() && ok;
    // An archive without a file that was asked for is no archive of the
    // selection: the earlier one, if any, stays as it was.
    if (ok && !report.Failed() && ReplaceFileWith(c.archive, temp)) return;
    DeleteFileA(temp.c_str());
    if (!ok || !report.Failed()) report.Fail(kArchiverCannotWrite, "cannot write " + c.archive);
}

// What an entry holds goes to `target`; false when its data could not all
// be read or written, which ends the unpacking.
bool ExtractEntry(TarReader& reader, TarEntry& entry, const GzipReader& gzip, UnpackTarget& target,
                  ArchiverReport& report) {
    std::string ansi;
    if (entry.utf8Name && !Utf8ToAnsi(entry.name, ansi)) {
        report.Fail(kArchiverUnsafeName, "refused name: " + entry.name + " (this system cannot spell it)");
        return true;
    }
    if (entry.utf8Name) entry.name = ansi;
    const FILETIME time = FileTimeOfUnix(entry.mtime);
    if (entry.type == '5') {
        target.Folder(entry.name);
        return true;
    }
    if (entry.type == '1' || entry.type == '2') {
        report.Fail(kArchiverUnsupported, "link: " + entry.name + " (links are not unpacked)");
        return true;
    }
    if (entry.type != '0' && entry.type != '\0' && entry.type != '7') {
        report.Fail(kArchiverUnsupported, "special file: " + entry.name + " (devices and pipes are not unpacked)");
        return true;
    }
    OutputFile* out = target.BeginFile(entry.name, time);
    if (!out) return true;
    struct Data : ByteSource {
        explicit Data(TarReader& r) : reader(r) {}
        bool Read(void* data, std::size_t size, std::size_t& got) override { return reader.ReadData(data, size, got); }
        TarReader& reader;
    } data(reader);
    const bool ok = CopyBytes(data, entry.size, *out, [](const void*, std::size_t) {});
    if (!ok && out->Failed()) {
        report.Fail(kArchiverCannotWrite, "cannot write " + entry.name);
    } else if (!ok) {
        report.Damaged(entry.name, gzip.Error().empty() ? "the archive ends inside it" : gzip.Error());
    }
    target.EndFile(ok);
    return ok;
}

void Extract(const TarCommand& c, ArchiverReport& report) {
    TargetOptions options;
    options.folder = c.folder;
    options.keepPaths = c.useDirectory;
    options.list = c.verbose;
    InputFile file;
    if (!StartUnpack(c.archive, c.names, options, file, report)) return;
    unsigned char magic[2] = {};
    const bool gzipped = file.ReadAt(0, magic, 2) && magic[0] == 0x1F && magic[1] == 0x8B;
    GzipReader gzip(file);
    ByteSource& in = gzipped ? static_cast<ByteSource&>(gzip) : file;
    UnpackTarget target(options, report);
    if (!target.Open()) return;
    // The gzip trailer's CRC comes after the tar's end: until it has been
    // read, any member may hold wrong bytes, so none takes its place.
    if (gzipped) target.Hold();
    TarReader reader(in);
    for (;;) {
        TarEntry entry;
        std::string error;
        const TarReader::Result next = reader.Next(entry, error);
        if (next == TarReader::Result::End) break;
        if (next == TarReader::Result::Bad) {
            report.Damaged("", gzip.Error().empty() ? error : gzip.Error());
            break;
        }
        if (!ExtractEntry(reader, entry, gzip, target, report)) break;
    }
    if (gzipped && gzip.Error().empty() && !gzip.Drain()) report.Damaged("", gzip.Error());
    if (gzipped && gzip.Error().empty()) {
        target.Commit();
    } else {
        target.Discard();
    }
}

void Run(const std::string& line, ArchiverReport& report) {
    std::string error;
    const auto c = ParseTarCommand(line, error);
    if (!c) {
        report.Fail(kArchiverBadCommand, "bad command line: " + error);
        return;
    }
    if (c->create) {
        Create(*c, report);
    } else {
        Extract(*c, report);
    }
}

}  // namespace

}  // namespace archivers

extern "C" int WINAPI Tar(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize) {
    (void)owner;
    return archivers::RunArchiverExport("Tar", commandLine, output, outputSize, archivers::Run);
}
