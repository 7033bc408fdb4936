#include "standins/archive/unlha32/LzhPack.h"

#include <map>

#include "standins/archive/win/ArchiverFiles.h"
#include "standins/archive/core/Checksums.h"
#include "framework/core/FileReplace.h"
#include "standins/archive/core/LzhCodec.h"
#include "standins/archive/core/LzhHeader.h"
#include "framework/core/MbcsPath.h"
#include "standins/archive/core/MemberNames.h"

namespace archivers {

namespace {

constexpr ULONGLONG kSameTime = 2 * 10000000ULL;

struct OldMember {
    LzhHeader header;
    std::uint64_t dataAt = 0;
};

ULONGLONG Ticks(const FILETIME& t) { return static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime; }

// Stored names compare without case and without a folder's closing "/".
std::string Key(std::string name) {
    for (char& c : name)
        if (c == '\\') c = '/';
    while (!name.empty() && name.back() == '/') name.pop_back();
    return LowerAsciiMbcs(name, SystemLeadByte);
}

const char* MethodName(LzhMethod method) {
    switch (method) {
    case LzhMethod::Stored: return "-lh0-";
    case LzhMethod::Lh6: return "-lh6-";
    case LzhMethod::Lh7: return "-lh7-";
    default: return "-lh5-";
    }
}

bool ReadMembers(InputFile& file, std::vector<OldMember>& members, ArchiverReport& report) {
    for (;;) {
        OldMember m;
        std::string error;
        const LzhRead read = ReadLzhHeader(file, m.header, error);
        if (read == LzhRead::End) return true;
        if (read == LzhRead::Bad) {
            report.Fail(kArchiverDamaged, "the archive is damaged: " + error);
            return false;
        }
        m.dataAt = file.Position();
        if (m.header.packedSize > file.Size() - m.dataAt) {
            report.Fail(kArchiverDamaged, "the archive is damaged: " + m.header.name + " runs past its end");
            return false;
        }
        file.Seek(m.dataAt + m.header.packedSize);
        members.push_back(std::move(m));
    }
}

class Packer : MemberWriter {
public:
    Packer(OutputFile& out, const LzhUpdateOptions& options, ArchiverReport& report)
        : MemberWriter(out, report), options_(options) {}

    // Packs one file or folder. False only when the archive cannot be
    // written; a file that cannot be read is reported and left out.
    bool Add(const SourceItem& item, bool& added) {
        added = false;
        LzhHeader h;
        h.name = item.stored + (item.folder ? "/" : "");
        h.attribute = item.folder ? 0x10 : 0x20;
        h.dosTime = DosTimeOf(item.info.ftLastWriteTime);
        h.unixTime = UnixTimeOf(item.info.ftLastWriteTime);
        h.method = item.folder ? "-lhd-" : EntrySize(item.info) == 0 ? "-lh0-" : MethodName(options_.method);
        std::string bytes, error;
        if (EntrySize(item.info) > 0xFFFFFFFFu) {
            report_.Fail(kArchiverUnsupported, item.path + " is too large for an LZH archive");
            return true;
        }
        if (!BuildLzhHeader(h, options_.headerLevel, bytes, error)) {
            report_.Fail(kArchiverUnsupported, item.path + ": " + error);
            return true;
        }
        InputFile source;
        if (!item.folder && !source.Open(item.path)) {
            report_.Fail(kArchiverCannotRead, "cannot read " + item.path);
            return true;
        }
        const std::uint64_t headerAt = out_.Position();
        if (!out_.Write(bytes.data(), bytes.size())) return WriteFailed();
        if (item.folder) return added = true;
        const std::uint64_t dataAt = out_.Position();
        const int bits = LzhDictionaryBits(h.method);
        bool stored = bits == 0;
        if (!stored) {
            LzhEncodeResult r;
            // Packed data no smaller than the file is stored as it is.
            if (!encoder_.Encode(bits, source, out_, source.Size() - 1, r, error)) return Abandon(item, headerAt);
            stored = r.exceeded;
            h.originalSize = static_cast<std::uint32_t>(r.originalSize);
            h.packedSize = static_cast<std::uint32_t>(r.packedSize);
            h.crc = r.crc;
        }
        if (stored) {
            if (!out_.Seek(dataAt) || !out_.Truncate()) return WriteFailed();
            source.Seek(0);
            h.method = "-lh0-";
            h.crc = 0;
            if (!CopyBytes(source, source.Size(), out_, [&](const void* d, std::size_t n) { h.crc = Crc16(h.crc, d, n); }))
                return Abandon(item, headerAt);
            h.originalSize = h.packedSize = static_cast<std::uint32_t>(source.Size());
        }
        // The header's length depends on the name alone, so it is rewritten in place.
        if (!BuildLzhHeader(h, options_.headerLevel, bytes, error) || !out_.WriteAt(headerAt, bytes.data(), bytes.size()))
            return WriteFailed();
        return added = true;
    }

    bool Copy(InputFile& archive, const OldMember& m) {
        if (!out_.Write(m.header.raw.data(), m.header.raw.size())) return WriteFailed();
        archive.Seek(m.dataAt);
        if (!CopyBytes(archive, m.header.packedSize, out_, [](const void*, std::size_t) {})) {
            report_.Fail(out_.Failed() ? kArchiverCannotWrite : kArchiverCannotRead, "cannot copy " + m.header.name);
            return false;
        }
        return true;
    }

private:
    const LzhUpdateOptions& options_;
    LzhEncoder encoder_;
};

}  // namespace

bool UpdateLzh(const std::string& archive, const std::vector<SourceItem>& items, const LzhUpdateOptions& options,
               ArchiverReport& report, std::vector<const SourceItem*>& packed) {
    InputFile old;
    std::vector<OldMember> members;
    if (PathExists(archive)) {
        if (!OpenArchive(old, archive, report)) return false;
        if (!ReadMembers(old, members, report)) return false;
        // Only a file of no bytes or of the closing zero alone is an empty
        // archive: anything else without a member is some other file, which
        // an archive must not replace.
        if (members.empty() && old.Size() > 1) {
            report.Fail(kArchiverDamaged, archive + " is not an LZH archive");
            return false;
        }
    }
    const std::string temp = TempFileIn(FolderOf(archive));
    OutputFile out;
    if (temp.empty() || !out.Create(temp)) {
        report.Fail(kArchiverCannotWrite, "cannot write in the folder of " + archive);
        return false;
    }
    std::map<std::string, const SourceItem*> byName;
    for (const SourceItem& item : items) byName[Key(item.stored)] = &item;
    Packer packer(out, options, report);
    bool ok = true, added = false;
    // Members keep their places; a file replaces the member of its name.
    for (const OldMember& m : members) {
        const auto it = byName.find(Key(m.header.name));
        const SourceItem* item = it == byName.end() ? nullptr : it->second;
        if (item) it->second = nullptr;
        bool replace = false;
        if (item && !item->folder) {
            const FILETIME memberTime =
                m.header.hasUnixTime ? FileTimeOfUnix(m.header.unixTime) : FileTimeOfDos(m.header.dosTime);
            replace = !options.timeCheck || Ticks(item->info.ftLastWriteTime) > Ticks(memberTime) + kSameTime;
        }
        if (replace) {
            ok = ok && packer.Add(*item, added);
            if (added) packed.push_back(item);
        }
        if (!replace || !added) ok = ok && packer.Copy(old, m);
    }
    for (const SourceItem& item : items) {
        const auto it = byName.find(Key(item.stored));
        if (it->second != &item) continue;
        ok = ok && packer.Add(item, added);
        if (ok && added) packed.push_back(&item);
    }
    const char end = 0;
    ok = ok && out.Write(&end, 1);
    ok = out.Close() && ok;
    old.Close();
    // An archive without a file that was asked for is no archive of the
    // selection: the earlier one, if any, stays as it was.
    if (ok && !report.Failed() && ReplaceFileWith(archive, temp)) return true;
    DeleteFileA(temp.c_str());
    if (!ok || !report.Failed()) report.Fail(kArchiverCannotWrite, "cannot write " + archive);
    return false;
}

}  // namespace archivers
