#include "ArchiveUnpack.h"

#include <string>

#include "Checksums.h"
#include "LzhCodec.h"
#include "LzhHeader.h"
#include "PeImage.h"
#include "ZipFormat.h"
#include "ZlibStreams.h"

namespace {

bool EndsWithSeparator(const std::string& name) {
    return !name.empty() && (name.back() == '/' || name.back() == '\\');
}

// A ZIP name marked as UTF-8 in the system's code page; false when the code
// page cannot spell it (or the system reads no UTF-8, as Windows 95).
bool Utf8ToAnsi(const std::string& utf8, std::string& ansi) {
    bool plain = true;
    for (unsigned char c : utf8) plain = plain && c < 0x80;
    if (plain) {
        ansi = utf8;
        return true;
    }
    const int wide = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (wide <= 0) return false;
    std::wstring text(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &text[0], wide);
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), wide, nullptr, 0, nullptr, &lossy);
    if (n <= 0 || lossy) return false;
    ansi.assign(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), wide, &ansi[0], n, nullptr, &lossy);
    return !lossy;
}

void DataFailed(ArchiverReport& report, const OutputFile& out, const std::string& name, const std::string& why) {
    if (out.Failed()) {
        report.Fail(kArchiverCannotWrite, "cannot write " + name);
    } else {
        report.Fail(kArchiverDamaged, name + ": " + why);
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
            report.Fail(kArchiverDamaged, error);
            return;
        }
        const std::uint64_t dataAt = file.Position();
        if (h.packedSize > file.Size() - dataAt) {
            report.Fail(kArchiverDamaged, h.name + ": the data runs past the end of the archive");
            return;
        }
        const FILETIME time = h.hasUnixTime ? FileTimeOfUnix(h.unixTime) : FileTimeOfDos(h.dosTime);
        const int bits = LzhDictionaryBits(h.method);
        if (h.method == "-lhd-" || EndsWithSeparator(h.name)) {
            target.Folder(h.name);
        } else if (bits < 0) {
            report.Fail(kArchiverUnsupported, h.name + ": method " + h.method + " is not supported");
        } else {
            std::string path;
            if (OutputFile* out = target.BeginFile(h.name, time, path)) {
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
                target.EndFile(path, time, ok);
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
        report.Fail(kArchiverDamaged, error);
        return;
    }
    for (const ZipEntry& e : directory.entries) {
        std::string name = e.name;
        if ((e.flags & kZipUtf8) && !Utf8ToAnsi(e.name, name)) {
            report.Fail(kArchiverUnsafeName, "refused a name this system cannot spell: " + e.name);
            continue;
        }
        const FILETIME time = FileTimeOfDos(e.dosTime);
        if (EndsWithSeparator(name)) {
            target.Folder(name);
            continue;
        }
        if (e.flags & kZipEncrypted) {
            report.Fail(kArchiverUnsupported, name + ": encrypted members are not supported");
            continue;
        }
        if (e.method != kZipStored && e.method != kZipDeflated) {
            report.Fail(kArchiverUnsupported, name + ": method " + std::to_string(e.method) + " is not supported");
            continue;
        }
        std::uint64_t dataAt = 0;
        if (!ZipDataOffset(file, e, dataAt, error)) {
            report.Fail(kArchiverDamaged, name + ": " + error);
            continue;
        }
        std::string path;
        OutputFile* out = target.BeginFile(name, time, path);
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
        target.EndFile(path, time, ok);
    }
}
