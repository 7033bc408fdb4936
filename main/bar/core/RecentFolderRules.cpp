#include "main/bar/core/RecentFolderRules.h"

#include "framework/core/StrUtils.h"

namespace bar {

bool IsUnderListedFolder(const std::string& path, const TStringList& list) {
    for (const std::string& entry : list.Items()) {
        if (entry.size() <= 3 || entry.size() > path.size()) continue;
        if (!SameTextAscii(path.substr(0, entry.size()), entry)) continue;
        if (path.size() == entry.size() || path[entry.size()] == '\\' || entry.back() == '\\') return true;
    }
    return false;
}

std::string FolderOfFile(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos) return "";
    std::string folder = path.substr(0, slash + 1);
    if (folder.size() > 3) folder.pop_back();
    return folder;
}

bool ShouldRecordFolder(const std::string& folder, const FolderRecordOptions& options, const std::string& desktop,
                        const TStringList& recent, const TStringList& locked) {
    if (!options.recRoot && folder.size() < 4) return false;
    if (!options.recDesktop && SameTextAscii(folder, desktop)) return false;
    if (!options.recNet && folder.rfind("\\\\", 0) == 0) return false;
    if (!options.recSubDir && (IsUnderListedFolder(folder, recent) || IsUnderListedFolder(folder, locked)))
        return false;
    return true;
}

int FirstNewShortcut(const std::vector<std::string>& names, const std::vector<std::string>& ages,
                     const TStringList& knownNames, const TStringList& knownAges) {
    for (size_t i = 0; i < names.size(); ++i) {
        bool known = false;
        for (int k = 0; k < knownNames.Count() && !known; ++k)
            known = knownNames[k] == names[i] && k < knownAges.Count() && i < ages.size() && knownAges[k] == ages[i];
        if (!known) return static_cast<int>(i);
    }
    return -1;
}

DropKind ClassifyDrop(const std::string& path, bool isDirectory) {
    if (isDirectory) return DropKind::Folder;
    const size_t slash = path.find_last_of('\\');
    const std::string name = LowerCaseAscii(slash == std::string::npos ? path : path.substr(slash + 1));
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && name.substr(dot) == ".exe" && name != "mivora.exe") return DropKind::QuickStart;
    return DropKind::File;
}

std::vector<std::string> QuickStartAfterDrop(const std::vector<std::string>& dropped,
                                             const std::vector<std::string>& keys) {
    std::vector<std::string> all(dropped.rbegin(), dropped.rend());
    all.insert(all.end(), keys.begin(), keys.end());
    std::vector<std::string> out;
    for (const std::string& p : all) {
        bool seen = false;
        for (const std::string& q : out) seen = seen || SameTextAscii(p, q);
        // Removing the copies before taking five keeps every distinct program
        // that fits; the settings file would fold them into one key anyway.
        if (!seen) out.push_back(p);
        if (out.size() == 5) break;
    }
    return out;
}

}  // namespace bar
