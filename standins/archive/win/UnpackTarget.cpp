#include "standins/archive/win/UnpackTarget.h"

#include "standins/archive/core/ArchiverCommands.h"
#include "framework/core/FileReplace.h"
#include "standins/archive/core/MemberNames.h"

namespace archivers {

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
        report_.Fail(kArchiverUnsafeName, "refused name: " + name + " (" + why + ")");
        return false;
    }
    if (!WantedMember(options_.patterns, place->path, SystemLeadByte)) return false;
    relative = options_.keepPaths ? place->path : LastComponent(place->path, SystemLeadByte);
    return !relative.empty();
}

OutputFile* UnpackTarget::BeginFile(const std::string& name, const FILETIME& time) {
    std::string relative;
    if (!Place(name, false, relative)) return nullptr;
    const std::string path = JoinPath(options_.folder, relative);
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
    // A new name is written in place: there is nothing to lose, and under
    // Wine a rename costs about as much again as the file. A file that is
    // there is replaced only through a temporary file.
    std::string temp;
    if (!file_.CreateNew(path, true) && (!PathExists(path) || !CreateTemp(path, temp))) {
        report_.Fail(kArchiverCannotWrite, "cannot write " + path);
        return nullptr;
    }
    current_ = Member{temp, path, relative, time};
    return &file_;
}

bool UnpackTarget::CreateTemp(const std::string& path, std::string& temp) {
    if (tempNumber_ == 0) tempNumber_ = GetTickCount() | 1;
    const std::string folder = FolderOf(path), name = path.substr(folder.size());
    std::string first;
    for (int tries = 0; tries < 100; ++tries) {
        temp = folder + TemporaryNameBeside(name, "~un", tempNumber_++, SystemLeadByte);
        if (temp == first) return false;  // a short name has few to try
        if (first.empty()) first = temp;
        if (file_.CreateNew(temp, true)) return true;
        // A name that is not taken cannot be made: the folder takes no files.
        if (!PathExists(temp)) return false;
    }
    return false;
}

void UnpackTarget::EndFile(bool dataOk) {
    const Member m = std::move(current_);
    current_ = Member();
    if (dataOk) file_.SetTime(m.time);
    const bool closed = file_.Close();
    if (dataOk && !closed) report_.Fail(kArchiverCannotWrite, "cannot write " + m.path);
    if (!dataOk || !closed) {
        DeleteFileA(Written(m).c_str());
    } else if (holding_) {
        held_.push_back(m);
    } else {
        PutInPlace(m);
    }
}

void UnpackTarget::PutInPlace(const Member& m) {
    if (m.temp.empty() || ReplaceFileWith(m.path, m.temp)) {
        if (options_.list) report_.Line(m.relative);
        return;
    }
    // Where the old file had to go first (Windows 9x) and the new one could
    // not follow, the member's only copy is the temporary file: it stays.
    if (!PathExists(m.path)) {
        report_.Fail(kArchiverCannotWrite, "cannot write " + m.path + "; it is kept as " + m.temp);
        return;
    }
    DeleteFileA(m.temp.c_str());
    report_.Fail(kArchiverCannotWrite,
                 IsFolder(m.path) ? "a folder is in the way of " + m.path : "cannot write " + m.path);
}

void UnpackTarget::Commit() {
    for (const Member& m : held_) PutInPlace(m);
    held_.clear();
    holding_ = false;
}

void UnpackTarget::Discard() {
    for (const Member& m : held_) DeleteFileA(Written(m).c_str());
    held_.clear();
}

UnpackTarget::~UnpackTarget() {
    if (file_.IsOpen()) {
        file_.Close();
        DeleteFileA(Written(current_).c_str());
    }
    Discard();
}

void UnpackTarget::Folder(const std::string& name) {
    std::string relative;
    if (!options_.keepPaths || !Place(name, true, relative)) return;
    if (!CreateFolderTree(JoinPath(options_.folder, relative)))
        report_.Fail(kArchiverCannotWrite, "cannot create the folder " + relative);
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

bool StartUnpack(const std::string& archive, const std::vector<NameArgument>& names, TargetOptions& options,
                 InputFile& file, ArchiverReport& report) {
    return ExpandNames(names, options.patterns, report) && OpenArchive(file, archive, report);
}

}  // namespace archivers
