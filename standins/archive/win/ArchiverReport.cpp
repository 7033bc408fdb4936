#include "standins/archive/win/ArchiverReport.h"

#include "standins/archive/win/ArchiverFiles.h"
#include "framework/win32/ScopedHandle.h"

namespace archivers {

namespace {

// The message of a failed run is read by a person: past this many lines, the rest is only counted.
constexpr std::size_t kMostLines = 20;
constexpr std::size_t kMostKept = 200;

// Lower is worse: a name that would climb out of the folder first, then
// damaged data, then what could not be written, then members left out on
// purpose, then the rest.
int Rank(ArchiverResult result) {
    switch (result) {
        case kArchiverUnsafeName: return 0;
        case kArchiverDamaged: return 1;
        case kArchiverCannotWrite: return 2;
        case kArchiverUnsupported: return 3;
        case kArchiverCannotRead: return 4;
        case kArchiverNothingFound: return 5;
        case kArchiverBadCommand: return 6;
        default: return 7;
    }
}

bool Says(const std::string& text, const char* words) { return text.find(words) != std::string::npos; }

}  // namespace

void ArchiverReport::Fail(ArchiverResult result, const std::string& text) {
    for (const Failure& f : failures_)
        if (f.text == text) return;
    auto at = failures_.begin();
    while (at != failures_.end() && Rank(at->result) <= Rank(result)) ++at;
    failures_.insert(at, Failure{result, text});
    // A hostile archive may fail in every one of its members: the least bad are only counted.
    if (failures_.size() > kMostKept) {
        failures_.pop_back();
        ++dropped_;
    }
}

void ArchiverReport::Damaged(const std::string& member, const std::string& why) {
    const std::string who = member.empty() ? std::string() : ": " + member;
    if (why == "CRC error") {
        Fail(kArchiverDamaged, "CRC error" + who);
    } else if (Says(why, " ends") || Says(why, "end of")) {
        Fail(kArchiverDamaged, "truncated archive" + who + " (" + why + ")");
    } else {
        Fail(kArchiverDamaged, (member.empty() ? "damaged archive" : "damaged member" + who) + " (" + why + ")");
    }
}

std::string ArchiverReport::Text() const {
    if (failures_.empty()) return lines_;
    std::string text;
    for (std::size_t i = 0; i < failures_.size() && i < kMostLines; ++i)
        text += (i ? "\r\n" : "") + failures_[i].text;
    const std::size_t more =
        failures_.size() - (failures_.size() < kMostLines ? failures_.size() : kMostLines) + dropped_;
    if (more) text += "\r\nand " + std::to_string(more) + " more";
    return text;
}

bool OpenArchive(InputFile& file, const std::string& path, ArchiverReport& report) {
    if (file.Open(path)) return true;
    report.Fail(kArchiverCannotRead, "cannot read " + path);
    return false;
}

void CopyOut(const std::string& text, LPSTR out, DWORD size) {
    if (!out || size == 0) return;
    const std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
    text.copy(out, n);
    out[n] = '\0';
}

void LogCommand(const char* who, const std::string& command) {
    const char* name = "MIVORA_ARCHIVER_LOG";
    std::string path(GetEnvironmentVariableA(name, nullptr, 0), '\0');
    if (path.empty() || GetEnvironmentVariableA(name, &path[0], static_cast<DWORD>(path.size())) + 1 != path.size())
        return;
    path.pop_back();
    ScopedFile log(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!log) return;
    SetFilePointer(log.Get(), 0, nullptr, FILE_END);
    const std::string line = std::string(who) + " " + command + "\r\n";
    DWORD written = 0;
    WriteFile(log.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace archivers
