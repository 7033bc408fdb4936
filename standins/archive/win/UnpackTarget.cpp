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

OutputFile* UnpackTarget::BeginFile(const std::string& name, const FILETIME& time, std::string& path) {
    std::string relative;
    if (!Place(name, false, relative)) return nullptr;
    path = JoinPath(options_.folder, relative);
    // Members come folder by folder: a folder made or found once is not asked for again.
    const std::string folder = FolderOf(path);
    if (folder != lastFolder_) {
        if (!CreateFolderTree(folder)) {
            report_.Fail(kArchiverCannotWrite, "cannot create the folder for " + path);
            return nullptr;
        }
        lastFolder_ = folder;
    }
    // Every look-up of a name that is not there searches its folder under
    // Wine, so the file is looked at first only when its time matters.
    WIN32_FIND_DATAA existing;
    if (options_.onlyNewer && FindEntry(path, existing) && !(existing.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
        Ticks(existing.ftLastWriteTime) + kSameTime >= Ticks(time)) {
        return nullptr;
    }
    if (!file_.Create(path, true)) {
        report_.Fail(kArchiverCannotWrite, IsFolder(path) ? "a folder is in the way of " + path : "cannot write " + path);
        return nullptr;
    }
    if (options_.list) report_.Line(relative);
    return &file_;
}

void UnpackTarget::EndFile(const std::string& path, const FILETIME& time, bool dataOk) {
    OutputFile& file = file_;
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
