#include "standins/archive/win/PackSources.h"

#include <map>
#include <set>

#include "standins/archive/win/ArchiverFiles.h"
#include "framework/core/MbcsPath.h"
#include "standins/archive/core/MemberNames.h"
#include "framework/win32/ScopedHandle.h"

namespace archivers {

namespace {

bool IsAbsolute(const std::string& name) {
    return (!name.empty() && (name[0] == '\\' || name[0] == '/')) || (name.size() >= 2 && name[1] == ':');
}

bool Everything(const std::string& pattern) { return pattern == "*" || pattern == "*.*"; }

std::string UpperAscii(std::string text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (SystemLeadByte(static_cast<unsigned char>(text[i]))) {
            ++i;
        } else if (text[i] >= 'a' && text[i] <= 'z') {
            text[i] = static_cast<char>(text[i] - 'a' + 'A');
        }
    }
    return text;
}

std::string FullPath(const std::string& path) {
    const DWORD n = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    std::string full(n, '\0');
    char* file = nullptr;
    if (n == 0 || GetFullPathNameA(path.c_str(), n, &full[0], &file) + 1 != n) return path;
    full.pop_back();
    return full;
}

std::string ShortPath(const std::string& path) {
    const DWORD n = GetShortPathNameA(path.c_str(), nullptr, 0);
    std::string shortPath(n, '\0');
    if (n == 0 || GetShortPathNameA(path.c_str(), &shortPath[0], n) + 1 != n) return path;
    shortPath.pop_back();
    return shortPath;
}

class Collector {
public:
    Collector(const SourceRequest& request, ArchiverReport& report) : request_(request), report_(report) {
        for (const std::string& path : request.exclude) exclude_.insert(UpperAscii(FullPath(path)));
    }

    void Name(const std::string& name) {
        const std::string full = IsAbsolute(name) ? name : JoinPath(request_.base, name);
        const std::size_t before = items.size();
        bool found = false;
        if (HasWildcard(LastComponent(name, SystemLeadByte))) {
            const std::string folder = FolderOf(full);
            const std::string pattern = LastComponent(full, SystemLeadByte);
            const std::string folderStored = StoredFor(folder, name, true);
            WIN32_FIND_DATAA data;
            const std::string folderPath = folder.empty() ? "." : folder;
            if (!folderStored.empty() && Everything(pattern) && FindEntry(TrimSeparator(folder), data)) {
                Add(TrimSeparator(folder), folderStored, data);
                found = true;
            }
            Walk(folderPath, folderStored, pattern);
        } else {
            WIN32_FIND_DATAA data;
            if (FindEntry(full, data)) {
                found = true;
                const std::string stored = StoredFor(full, name, false);
                Add(full, stored, data);
                if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && request_.recurse) Walk(full, stored, "*");
            }
        }
        if (!found && items.size() == before) report_.Fail(kArchiverNothingFound, "nothing matches " + name);
    }

    std::vector<SourceItem> items;

private:
    static std::string TrimSeparator(std::string path) {
        while (path.size() > 1 && LastCharPos(path, '\\', SystemLeadByte) == path.size() - 1 &&
               path[path.size() - 2] != ':')
            path.pop_back();
        return path;
    }

    // How `full` (given as `name`) is stored: relative to the base folder
    // when the name was relative, otherwise without its drive.
    std::string StoredFor(const std::string& full, const std::string& name, bool folderOfName) {
        std::string given = folderOfName ? FolderOf(name) : name;
        if (!request_.shortNames) return StoredName(given, SystemLeadByte);
        const std::string shortFull = ShortPath(TrimSeparator(full));
        if (IsAbsolute(name) || request_.base.empty()) return StoredName(shortFull, SystemLeadByte);
        const std::string shortBase = ShortPath(TrimSeparator(request_.base));
        if (shortFull.size() > shortBase.size() &&
            UpperAscii(shortFull.substr(0, shortBase.size())) == UpperAscii(shortBase))
            return StoredName(shortFull.substr(shortBase.size()), SystemLeadByte);
        return StoredName(shortFull, SystemLeadByte);
    }

    void Walk(const std::string& folder, const std::string& folderStored, const std::string& pattern) {
        WIN32_FIND_DATAA data;
        ScopedFind find(FindFirstFileA(JoinPath(folder, "*").c_str(), &data));
        if (!find) {
            if (GetLastError() != ERROR_FILE_NOT_FOUND) report_.Fail(kArchiverCannotRead, "cannot list " + folder);
            return;
        }
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            const std::string shown = request_.shortNames && data.cAlternateFileName[0] ? data.cAlternateFileName : name;
            const std::string path = folder == "." ? name : JoinPath(folder, name);
            const std::string stored = folderStored.empty() ? shown : folderStored + "/" + shown;
            const bool matches = MatchWildcard(pattern, name, SystemLeadByte) ||
                                 MatchWildcard(pattern, shown, SystemLeadByte);
            if (matches) Add(path, stored, data);
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && request_.recurse) Walk(path, stored, pattern);
        } while (FindNextFileA(find.Get(), &data));
    }

    void Add(const std::string& path, std::string stored, const WIN32_FIND_DATAA& data) {
        const bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (exclude_.count(UpperAscii(FullPath(path)))) return;
        if (!request_.keepPaths) {
            if (folder) return;
            stored = LastComponent(stored, SystemLeadByte);
        }
        if (stored.empty()) return;
        const auto [at, added] = seen_.emplace(UpperAscii(stored), UpperAscii(FullPath(path)));
        if (!added) {
            // Names only (or 8.3 names) may give two files one name: one would be lost.
            if (!folder && at->second != UpperAscii(FullPath(path)))
                report_.Fail(kArchiverBadCommand, "two files would be stored as " + stored);
            return;
        }
        items.push_back(SourceItem{path, stored, folder, data});
    }

    const SourceRequest& request_;
    ArchiverReport& report_;
    std::set<std::string> exclude_;
    std::map<std::string, std::string> seen_;  // stored name to the file's full path
};

}  // namespace

std::vector<SourceItem> CollectSources(const SourceRequest& request, ArchiverReport& report) {
    Collector collector(request, report);
    for (const std::string& name : request.names) collector.Name(name);
    return std::move(collector.items);
}

}  // namespace archivers
