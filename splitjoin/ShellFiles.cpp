#include "ScopedHandle.h"
#include "ShellFiles.h"

#include "File.h"
#include "MbcsPath.h"
#include "Text.h"

bool IsShellFolder(const std::string& path) {
    SHFILEINFOA info{};
    if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ATTRIBUTES | SHGFI_DISPLAYNAME)) return false;
    return (info.dwAttributes & SFGAO_FOLDER) != 0;
}

namespace {

std::string FullPath(const std::string& path) {
    const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::string full(needed, '\0');
    char* name = nullptr;
    const DWORD got = GetFullPathNameA(path.c_str(), needed, &full[0], &name);
    if (got == 0 || got >= needed) return path;
    full.resize(got);
    return full;
}

// GetLongPathNameA is missing on Windows 95 and NT 4: looked up at run time.
std::string LongPath(const std::string& path) {
    using LongPathFn = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);
    static const auto longPath = reinterpret_cast<LongPathFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetLongPathNameA")));
    if (!longPath) return path;
    const DWORD needed = longPath(path.c_str(), nullptr, 0);
    if (needed == 0) return path;
    std::string full(needed, '\0');
    const DWORD got = longPath(path.c_str(), &full[0], needed);
    if (got == 0 || got >= needed) return path;
    full.resize(got);
    return full;
}

}  // namespace

std::string NormalisedPath(const std::string& path) { return LongPath(FullPath(path)); }

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
