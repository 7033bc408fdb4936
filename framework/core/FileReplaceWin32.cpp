#include "framework/core/FileReplace.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

std::FILE* CreateNewFile(const std::string& path) {
    const int fd = _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    std::FILE* f = _fdopen(fd, "wb");
    if (!f) _close(fd);
    return f;
}

namespace {
using MoveFileExFn = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);
}

namespace {
bool ReplaceOnce(const std::string& target, const std::string& source) {
    // Looked up, not linked: Windows 95 has no replacing move, and a program
    // that imports it does not load there.
    static const MoveFileExFn moveFileEx = reinterpret_cast<MoveFileExFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "MoveFileExA")));
    if (moveFileEx) {
        if (moveFileEx(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
        if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    }
    // Windows 9x: the old file must go first. Between the two steps only the
    // complete new file exists, under the temporary name.
    if (!DeleteFileA(target.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    return MoveFileA(source.c_str(), target.c_str()) != FALSE;
}
}  // namespace

bool ReplaceFileWith(const std::string& target, const std::string& source) {
    // A file open in another program without delete sharing cannot be
    // replaced, and programs hold files for a moment all the time (a virus
    // scanner looking at the new file, a reader of the list): try again for
    // about half a second before the failure counts.
    for (int attempt = 0;; ++attempt) {
        if (ReplaceOnce(target, source)) return true;
        const DWORD error = GetLastError();
        const bool held =
            error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
        if (!held || attempt == 20) return false;
        Sleep(25);
    }
}
