#include "standins/archive/win/ArchiveUnpack.h"

#include <string>

#include "standins/archive/core/Checksums.h"
#include "standins/archive/core/LzhCodec.h"
#include "standins/archive/core/LzhHeader.h"
#include "standins/archive/core/PeImage.h"
#include "standins/archive/core/ZipFormat.h"
#include "standins/archive/core/ZlibStreams.h"

namespace archivers {

namespace {

bool EndsWithSeparator(const std::string& name) {
    return !name.empty() && (name.back() == '/' || name.back() == '\\');
}

void DataFailed(ArchiverReport& report, const OutputFile& out, const std::string& name, const std::string& why) {
    if (out.Failed()) {
        report.Fail(kArchiverCannotWrite, "cannot write " + name);
    } else {
        report.Damaged(name, why);
    }
}

}  // namespace

std::optional<std::uint64_t> LzhArchiveStart(InputFile& file) {
    const std::optional<std::uint64_t> image = PeImageEnd(file);
    if (!image) return 0;
    return FindLzhStart(file, *image);
}

void UnpackLzh(InputFile& file, std::uint64_t start, UnpackTarget& target, ArchiverReport& report) {
    LzhDecoder decoder;
    file.Seek(start);
    for (;;) {
        LzhHeader h;
        std::string error;
        const LzhRead read = ReadLzhHeader(file, h, error);
        if (read == LzhRead::End) return;
        if (read == LzhRead::Bad) {
            report.Damaged("", error);
            return;
        }
        const std::uint64_t dataAt = file.Position();
        if (h.packedSize > file.Size() - dataAt) {
            report.Damaged(h.name, "the data runs past the end of the archive");
            return;
        }
        const FILETIME time = h.hasUnixTime ? FileTimeOfUnix(h.unixTime) : FileTimeOfDos(h.dosTime);
        const int bits = LzhDictionaryBits(h.method);
        if (h.method == "-lhd-" || EndsWithSeparator(h.name)) {
            target.Folder(h.name);
        } else if (bits < 0) {
            report.Fail(kArchiverUnsupported, "unsupported method: " + h.name + " (" + h.method + ")");
        } else {
            if (OutputFile* out = target.BeginFile(h.name, time)) {
                std::uint16_t crc = 0;
                bool ok = true;
                if (bits == 0) {
                    ok = h.packedSize == h.originalSize &&
                         CopyBytes(file, h.packedSize, *out, [&](const void* d, std::size_t n) { crc = Crc16(crc, d, n); });
                    error = "the stored data is damaged";
                } else {
                    ok = decoder.Decode(bits, file, h.packedSize, h.originalSize, *out, crc, error);
                }
                if (ok && crc != h.crc) {
                    ok = false;
                    error = "CRC error";
                }
                if (!ok) DataFailed(report, *out, h.name, error);
                target.EndFile(ok);
            }
        }
        file.Seek(dataAt + h.packedSize);
    }
}

void UnpackZip(InputFile& file, UnpackTarget& target, ArchiverReport& report) {
    ZipDirectory directory;
    RawInflater inflater;
    std::string error;
    if (!ReadZipDirectory(file, directory, error)) {
        // Cut short, a ZIP archive loses the directory at its end.
        unsigned char magic[4];
        if (error == "not a ZIP archive (no end record)" && file.ReadAt(0, magic, 4) &&
            Le32(magic) == kZipLocalSignature)
            error = "the archive ends before its directory";
        report.Damaged("", error);
        return;
    }
    for (const ZipEntry& e : directory.entries) {
        std::string name = e.name;
        if ((e.flags & kZipUtf8) && !Utf8ToAnsi(e.name, name)) {
            report.Fail(kArchiverUnsafeName, "refused name: " + e.name + " (this system cannot spell it)");
            continue;
        }
        const FILETIME time = FileTimeOfDos(e.dosTime);
        if (EndsWithSeparator(name)) {
            target.Folder(name);
            continue;
        }
        if (e.flags & kZipEncrypted) {
            report.Fail(kArchiverUnsupported, "encrypted member: " + name);
            continue;
        }
        if (e.method != kZipStored && e.method != kZipDeflated) {
            report.Fail(kArchiverUnsupported, "unsupported method: " + name + " (" + std::to_string(e.method) + ")");
            continue;
        }
        std::uint64_t dataAt = 0;
        if (!ZipDataOffset(file, e, dataAt, error)) {
            report.Damaged(name, error);
            continue;
        }
        OutputFile* out = target.BeginFile(name, time);
        if (!out) continue;
        file.Seek(dataAt);
        std::uint32_t crc = 0;
        bool ok = true;
        if (e.method == kZipStored) {
            ok = e.packedSize == e.size &&
                 CopyBytes(file, e.size, *out, [&](const void* d, std::size_t n) { crc = Crc32(crc, d, n); });
            error = "the stored data is damaged";
        } else {
            ok = inflater.Inflate(file, e.packedSize, e.size, *out, crc, error);
        }
        if (ok && crc != e.crc) {
            ok = false;
            error = "CRC error";
        }
        if (!ok) DataFailed(report, *out, name, error);
        target.EndFile(ok);
    }
}

}  // namespace archivers
