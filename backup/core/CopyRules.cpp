#include "backup/core/CopyRules.h"

#include "framework/core/MbcsPath.h"

namespace backup {

bool MatchExtensionFilter(const std::string& name, int mode, const std::string& list) {
    if (mode == 0) return true;
    // A "." never is a trail byte of a double-byte character.
    const std::size_t dot = name.find('.');
    const std::string extension = dot == std::string::npos ? std::string(".*") : name.substr(dot);
    const bool found = list.find(extension) != std::string::npos;
    if (mode == 1) return found;
    if (mode == 2) return !found;
    return false;
}

namespace {
std::int64_t Seconds(std::uint64_t ticks) { return static_cast<std::int64_t>(ticks / 10000000u); }
}  // namespace

FileDecision CompareFileState(const FileStat& source, const FileStat* existing, bool skipIdentical, int compareMode,
                              CopyDirection direction) {
    if (!existing) return FileDecision::Absent;
    const std::int64_t span = Seconds(source.writeTime) - Seconds(existing->writeTime);
    if (span == 0 && source.size == existing->size) return skipIdentical ? FileDecision::Skip : FileDecision::Copy;
    if (compareMode != 1) return FileDecision::Copy;
    const bool liveOlder = direction == CopyDirection::Backup ? span < 0 : span > 0;
    return liveOlder ? FileDecision::Skip : FileDecision::Copy;
}

CompareSettings SettingsForOperation(int fileOperation) {
    if (fileOperation == 1) return {1, true, false};
    return {0, false, fileOperation == 2};
}

std::uint64_t SizeInKB(std::uint64_t bytes) { return bytes < 2048 ? 1 : bytes / 1024; }

namespace {
// Replaces each `mark` of `format` in turn by the next of `values`.
std::string Fill(const std::string& format, const char* mark, const std::string* values, std::size_t count) {
    std::string out;
    std::size_t used = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == mark[1] && used < count) {
            out += values[used++];
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}
}  // namespace

std::string FormatReplaceHeader(const std::string& format, const std::string& sourcePath, LeadBytePredicate isLead) {
    const std::string name = NameAfterLastBackslash(sourcePath, isLead);
    return Fill(format, "%s", &name, 1);
}

std::string FormatReplaceDetail(const std::string& format, const FileFacts& existing, const FileFacts& replacement) {
    std::string values[14];
    std::size_t n = 0;
    for (const FileFacts* f : {&existing, &replacement}) {
        values[n++] = std::to_string(SizeInKB(f->size));
        for (int v : {f->month, f->day, f->year, f->hour, f->minute, f->second}) values[n++] = std::to_string(v);
    }
    return Fill(format, "%d", values, n);
}

}  // namespace backup
