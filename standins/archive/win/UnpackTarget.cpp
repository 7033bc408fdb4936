#include "UnpackTarget.h"

#include "ArchiverCommands.h"
#include "MemberNames.h"

namespace {

// DOS times keep even seconds only: closer than this counts as the same time.
constexpr ULONGLONG kSameTime = 2 * 10000000ULL;

ULONGLONG Ticks(const FILETIME& t) { return static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime; }

}  // namespace

bool UnpackTarget::Open() {
    if (CreateFolderTree(options_.folder)) return true;
    report_.Fail(kArchiverCannotWrite, "cannot create the folder " + options_.folder);
    return false;
}

bool UnpackTarget::Place(const std::string& name, bool folder, std::string& relative) {
    std::string why;
    const auto place = SafeMemberPath(folder ? name + "/" : name, SystemLeadByte, why);
    if (!place) {
        report_.Fail(kArchiverUnsafeName, "refused " + name + ": " + why);
        return false;
    }
    if (!WantedMember(options_.patterns, place->path, SystemLeadByte)) return false;
    relative = options_.keepPaths ? place->path : LastComponent(place->path, SystemLeadByte);
    return !relative.empty();
}

bool UnpackTarget::BeginFile(const std::string& name, const FILETIME& time, OutputFile& file, std::string& path) {
    std::string relative;
    if (!Place(name, false, relative)) return false;
    path = JoinPath(options_.folder, relative);
    if (!CreateFolderTree(FolderOf(path))) {
        report_.Fail(kArchiverCannotWrite, "cannot create the folder for " + path);
        return false;
    }
    WIN32_FIND_DATAA existing;
    if (FindEntry(path, existing)) {
        if (existing.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            report_.Fail(kArchiverCannotWrite, "a folder is in the way of " + path);
            return false;
        }
        if (options_.onlyNewer && Ticks(existing.ftLastWriteTime) + kSameTime >= Ticks(time)) return false;
    }
    if (!file.Create(path, true)) {
        report_.Fail(kArchiverCannotWrite, "cannot write " + path);
        return false;
    }
    report_.Line(relative);
    return true;
}

void UnpackTarget::EndFile(OutputFile& file, const std::string& path, const FILETIME& time, bool dataOk) {
    if (dataOk) file.SetTime(time);
    const bool closed = file.Close();
    if (dataOk && closed) {
        written_.push_back(path);
        return;
    }
    if (dataOk) report_.Fail(kArchiverCannotWrite, "cannot write " + path);
    DeleteFileA(path.c_str());
}

void UnpackTarget::Folder(const std::string& name) {
    std::string relative;
    if (!options_.keepPaths || !Place(name, true, relative)) return;
    if (!CreateFolderTree(JoinPath(options_.folder, relative)))
        report_.Fail(kArchiverCannotWrite, "cannot create the folder " + relative);
}

void UnpackTarget::DiscardWritten() {
    for (const std::string& path : written_) DeleteFileA(path.c_str());
    written_.clear();
}

bool ExpandNames(const std::vector<NameArgument>& arguments, std::vector<std::string>& names, ArchiverReport& report) {
    for (const NameArgument& a : arguments) {
        if (!a.list) {
            names.push_back(a.text);
            continue;
        }
        InputFile list;
        std::string bytes;
        if (!list.Open(a.text) || list.Size() > kMaxResponseFile) {
            report.Fail(kArchiverCannotRead, "cannot read the list " + a.text);
            return false;
        }
        bytes.resize(static_cast<std::size_t>(list.Size()));
        std::size_t got = 0;
        if (!bytes.empty() && (!list.Read(&bytes[0], bytes.size(), got) || got != bytes.size())) {
            report.Fail(kArchiverCannotRead, "cannot read the list " + a.text);
            return false;
        }
        for (std::string& name : ParseResponseList(bytes)) names.push_back(std::move(name));
    }
    return true;
}
