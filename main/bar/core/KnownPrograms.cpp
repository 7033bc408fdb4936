#include "main/bar/core/KnownPrograms.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "main/bar/core/AppGroups.h"
#include "framework/core/ByteOrder.h"
#include "framework/core/IniText.h"
#include "framework/core/MbcsPath.h"
#include "framework/core/StrUtils.h"

namespace bar {

namespace {
char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

void PutLittleEndian32(std::string& bytes, size_t at, std::uint32_t v) {
    for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

int LetterNumber(char first) {
    const char c = UpperAscii(first);
    return c >= 'A' && c <= 'Z' ? c - 'A' + 1 : 0;
}
}  // namespace

const char* SectionForDigit(char digit) {
    return digit >= '1' && digit <= '9' ? kFixedGroups[digit - '1'].section : nullptr;
}

// The table's names are ASCII: every byte is a character of its own.
bool IsKnownProgramName(const std::string& name) {
    return CheckIniName(name, SingleByteCodePage) == IniNameFault::None;
}

std::size_t KnownRecordWindow::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) {
    if (count > span_) return records_.ReadAt(offset, buffer, count);
    // A span read short ends where the records end: nothing lies past it.
    const bool held = offset >= start_ && (offset - start_ + count <= bytes_.size() ||
                                           (bytes_.size() < span_ && offset - start_ <= bytes_.size()));
    if (!held) {
        start_ = offset;
        bytes_.assign(span_, '\0');
        bytes_.resize(records_.ReadAt(offset, &bytes_[0], span_));
    }
    const std::size_t at = static_cast<std::size_t>(offset - start_);
    const std::size_t n = std::min(count, bytes_.size() - at);
    if (n > 0) std::memcpy(buffer, bytes_.data() + at, n);
    return n;
}

std::vector<KnownProgram> LookupKnownProgram(const std::string& index, RandomAccessBytes& records,
                                             const std::string& fileName) {
    std::vector<KnownProgram> found;
    if (index.size() < kKnownIndexSize || fileName.empty()) return found;
    const int k = LetterNumber(fileName[0]);
    if (k == 0) return found;
    std::uint64_t offset = Le32(index.data() + static_cast<size_t>(k) * 4);
    if (offset == 0) return found;
    const char letter = UpperAscii(fileName[0]);
    const size_t n = fileName.size();
    const std::uint64_t size = records.Size();
    std::string chunk;
    while (offset < size) {
        chunk.assign(kMaxKnownRecord, '\0');
        chunk.resize(records.ReadAt(offset, &chunk[0], kMaxKnownRecord));
        if (chunk.empty() || UpperAscii(chunk[0]) != letter) break;
        const std::string record = chunk.substr(0, chunk.find('\0'));
        // The digit and the name must lie inside the record: a short or cut
        // record would otherwise hand over bytes of the next one, or none.
        if (record.size() > n + 3 && SameTextAscii(record.substr(0, n), fileName)) {
            const char digit = record[n + 1];
            std::string name = record.substr(n + 3);
            if (SectionForDigit(digit) && IsKnownProgramName(name)) found.push_back({digit, std::move(name)});
        }
        offset += record.size() + 1;
    }
    return found;
}

bool ParseKnownProgramSource(const std::string& text, std::vector<KnownProgramLine>& lines, std::string& error) {
    size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (Trim(line).empty() || line[0] == '#') continue;
        const size_t bar1 = line.find('|');
        const size_t bar2 = bar1 == std::string::npos ? bar1 : line.find('|', bar1 + 1);
        const auto fail = [&](const char* why) {
            error = "line " + std::to_string(number) + ": " + why;
            return false;
        };
        if (bar2 == std::string::npos) return fail("needs FILE | digit | name");
        KnownProgramLine entry;
        entry.file = Trim(line.substr(0, bar1));
        const std::string digit = Trim(line.substr(bar1 + 1, bar2 - bar1 - 1));
        entry.name = Trim(line.substr(bar2 + 1));
        if (entry.file.empty() || LetterNumber(entry.file[0]) == 0) return fail("the file name must start with a letter");
        if (digit.size() != 1 || !SectionForDigit(digit[0])) return fail("the category is one digit from 1 to 9");
        entry.digit = digit[0];
        if (!IsKnownProgramName(entry.name)) return fail("the display name can't stand as an INI key");
        if (entry.file.size() + 3 + entry.name.size() + 1 > kMaxKnownRecord) return fail("the record is over 255 bytes");
        lines.push_back(std::move(entry));
    }
    return true;
}

KnownProgramFiles BuildKnownProgramFiles(const std::vector<KnownProgramLine>& lines) {
    KnownProgramFiles files;
    files.index.assign(kKnownIndexSize, '\0');
    files.records.assign(1, '\0');
    for (int k = 1; k <= 26; ++k) {
        bool first = true;
        for (const KnownProgramLine& line : lines) {
            if (LetterNumber(line.file[0]) != k) continue;
            if (first) PutLittleEndian32(files.index, static_cast<size_t>(k) * 4, static_cast<std::uint32_t>(files.records.size()));
            first = false;
            files.records += line.file + ' ' + line.digit + ' ' + line.name;
            files.records += '\0';
        }
    }
    return files;
}

std::vector<FoundAppRename> PlanFoundAppRenames(const std::vector<std::pair<std::string, std::string>>& entries,
                                                const std::vector<std::string>& linkNames,
                                                const std::vector<std::string>& linkTargets,
                                                LeadBytePredicate isLead) {
    std::vector<FoundAppRename> renames;
    const size_t links = std::min(linkNames.size(), linkTargets.size());
    for (const auto& [key, path] : entries) {
        const std::string name = NameAfterLastBackslash(path, isLead);
        for (size_t i = 0; i < links; ++i) {
            if (!SameTextAscii(NameAfterLastBackslash(linkTargets[i], isLead), name)) continue;
            renames.push_back({key, linkNames[i], linkTargets[i]});
            break;
        }
    }
    return renames;
}

}  // namespace bar
