#include "dialogkit/FileRoutines.h"

#include <windows.h>

#include "dialogkit/core/DirTree.h"
#include "framework/win32/DropPaths.h"
#include "framework/dialogs/File.h"
#include "framework/core/MbcsPath.h"
#include "framework/win32/ModulePath.h"
#include "framework/dialogs/Text.h"
#include "framework/dialogs/WinApp.h"

namespace dialogkit {

bool FileExists(const std::string& path) {
    CFileStatus status;
    return CFile::GetStatus(path, status);
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
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

namespace {

std::string SystemFolder() {
    const UINT needed = GetSystemDirectoryA(nullptr, 0);
    if (needed == 0) return std::string();
    std::string path(needed, '\0');
    const UINT got = GetSystemDirectoryA(&path[0], needed);
    if (got == 0 || got >= needed) return std::string();
    path.resize(got);
    return path.back() == '\\' ? path : path + '\\';
}

}  // namespace

std::string FindOutsideFile(const std::string& fileName) {
    for (const std::string& folder : {FolderWithBackslash(ModulePath(ResourceHandle()), SystemLeadByte), SystemFolder()}) {
        if (folder.empty()) continue;
        const std::string path = folder + fileName;
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return path;
    }
    return std::string();
}

HMODULE LoadOutsideLibrary(const std::string& fileName) {
    const std::string path = FindOutsideFile(fileName);
    if (path.empty()) return nullptr;
    // The altered search path finds the component's own libraries beside it.
    return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

std::vector<std::string> ReadDropList(HDROP drop, std::vector<std::string>* tooLong) {
    std::vector<std::string> items;
    for (std::string& path : DropPaths(drop)) {
        if (path.empty()) continue;
        if (path.size() < MAX_PATH)
            items.push_back(std::move(path));
        else if (tooLong)
            tooLong->push_back(std::move(path));
    }
    return items;
}

bool CreateDirectoryTree(const std::string& path) {
    const std::string parent = DirTreeParent(path, SystemLeadByte);
    if (CreateDirectoryA(path.c_str(), nullptr)) return true;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // A file of that name is no folder to put pieces in. A drive root
        // answers "exists" too, and is a folder.
        return FolderExists(path) || FolderExists(path + "\\");
    }
    if (parent.empty() || !CreateDirectoryTree(parent)) return false;
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

}  // namespace dialogkit
