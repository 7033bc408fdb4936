#include "FileRoutines.h"

#include <windows.h>

#include "DirTree.h"
#include "File.h"
#include "Text.h"

namespace dialogkit {

bool FileExists(const std::string& path) {
    CFileStatus status;
    return CFile::GetStatus(path, status);
}

namespace {

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool CreateDirectoryTree(const std::string& path) {
    const std::string parent = DirTreeParent(path, SystemLeadByte);
    if (CreateDirectoryA(path.c_str(), nullptr)) return true;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // A file of that name is no folder to put pieces in. A drive root
        // answers "exists" too, and is a folder.
        return IsFolder(path) || IsFolder(path + "\\");
    }
    if (parent.empty() || !CreateDirectoryTree(parent)) return false;
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

}  // namespace dialogkit
