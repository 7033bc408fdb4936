#include "framework/win32/ScopedHandle.h"
#include "splitjoin/ShellFiles.h"

#include "dialogkit/FileRoutines.h"

#include "framework/dialogs/File.h"
#include "framework/core/MbcsPath.h"
#include "framework/dialogs/Text.h"

namespace splitjoin {

bool IsShellFolder(const std::string& path) {
    SHFILEINFOA info{};
    if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ATTRIBUTES | SHGFI_DISPLAYNAME)) return false;
    return (info.dwAttributes & SFGAO_FOLDER) != 0;
}


bool SamePath(const std::string& a, const std::string& b) { return SameNoCase(NormalisedPath(a), NormalisedPath(b)); }

bool SameFile(const std::string& a, const std::string& b) {
    if (SamePath(a, b)) return true;
    // Access 0 asks for the file's facts only: it opens even a file that
    // others hold open without sharing.
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    CFile first, second;
    if (!first.Open(a, 0, share, OPEN_EXISTING) || !second.Open(b, 0, share, OPEN_EXISTING)) return false;
    std::uint64_t volumeA = 0, indexA = 0, volumeB = 0, indexB = 0;
    return first.GetIdentity(volumeA, indexA) && second.GetIdentity(volumeB, indexB) && volumeA == volumeB &&
           indexA == indexB;
}

std::vector<std::string> FilesStartingWith(const std::string& prefix) {
    std::vector<std::string> found;
    const std::string folder = FolderWithBackslash(prefix, SystemLeadByte);
    WIN32_FIND_DATAA entry{};
    const ScopedFind search(FindFirstFileA((prefix + "*").c_str(), &entry));
    if (!search) return found;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) found.push_back(folder + entry.cFileName);
    } while (FindNextFileA(search.Get(), &entry));
    return found;
}

std::string SystemErrorText(DWORD code) {
    ScopedLocal text;
    const DWORD got = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                         FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, code, 0, reinterpret_cast<char*>(text.Receive()), 0, nullptr);
    std::string message =
        got && text ? std::string(static_cast<const char*>(text.Get()), got) : "error " + std::to_string(code);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message;
}

std::string AbsoluteFolder(const std::string& folder, const std::string& base) {
    if (folder.empty()) return folder;
    const bool absolute = (folder.size() >= 2 && folder[1] == ':') || folder[0] == '\\';
    if (absolute) return folder;
    std::string root = base;
    if (!root.empty() && LastCharPos(root, '\\', SystemLeadByte) + 1 != root.size()) root += '\\';
    return root + folder;
}

}  // namespace splitjoin
