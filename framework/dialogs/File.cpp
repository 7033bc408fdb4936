#include "framework/dialogs/File.h"
#include "framework/win32/ScopedHandle.h"

bool CFile::Fail() {
    error_ = GetLastError();
    return false;
}

bool CFile::Open(const std::string& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    Close();
    handle_ = CreateFileA(path.c_str(), access, share, nullptr, disposition, flags, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) return Fail();
    // OPEN_ALWAYS and CREATE_ALWAYS say ERROR_ALREADY_EXISTS when the file was there.
    const DWORD code = GetLastError();
    created_ = disposition == CREATE_NEW ||
               ((disposition == OPEN_ALWAYS || disposition == CREATE_ALWAYS) && code != ERROR_ALREADY_EXISTS);
    error_ = 0;
    return true;
}

bool CFile::Read(void* buffer, DWORD size, DWORD& got) {
    got = 0;
    if (!ReadFile(handle_, buffer, size, &got, nullptr)) return Fail();
    return true;
}

bool CFile::Write(const void* data, DWORD size) {
    DWORD written = 0;
    if (!WriteFile(handle_, data, size, &written, nullptr)) return Fail();
    if (written != size) {
        error_ = ERROR_DISK_FULL;
        return false;
    }
    return true;
}

std::int64_t CFile::GetLength() {
    DWORD high = 0;
    const DWORD low = GetFileSize(handle_, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        Fail();
        return -1;
    }
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
}

bool CFile::Seek(std::uint64_t position) {
    LONG high = static_cast<LONG>(position >> 32);
    const DWORD low = SetFilePointer(handle_, static_cast<LONG>(position & 0xFFFFFFFFu), &high, FILE_BEGIN);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return Fail();
    return true;
}

bool CFile::SeekToEnd() {
    LONG high = 0;
    const DWORD low = SetFilePointer(handle_, 0, &high, FILE_END);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return Fail();
    return true;
}

bool CFile::SetLength(std::uint64_t length) {
    if (!Seek(length)) return false;
    if (!SetEndOfFile(handle_)) return Fail();
    return true;
}

bool CFile::GetIdentity(std::uint64_t& volume, std::uint64_t& index) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle_, &info)) return Fail();
    volume = info.dwVolumeSerialNumber;
    index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

bool CFile::Close() {
    if (handle_ == INVALID_HANDLE_VALUE) return true;
    const bool ok = CloseHandle(handle_) != FALSE;
    handle_ = INVALID_HANDLE_VALUE;
    return ok ? true : Fail();
}

bool CFile::GetStatus(const std::string& path, CFileStatus& status) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    status = CFileStatus();
    status.attributes = attributes;
    // Size and time from the folder entry; a drive root has none and keeps zeros.
    WIN32_FIND_DATAA found{};
    if (const ScopedFind search{FindFirstFileA(path.c_str(), &found)}) {
        status.size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        status.lastWrite = found.ftLastWriteTime;
    }
    return true;
}
