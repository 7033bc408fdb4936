// A file handle with 64-bit sizes, and the status of a file or folder.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

struct CFileStatus {
    std::uint64_t size = 0;
    FILETIME lastWrite{};
    DWORD attributes = 0;
    bool IsFolder() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
};

class CFile {
public:
    CFile() = default;
    ~CFile() { Close(); }
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // CreateFileA's arguments; false with LastError() set on failure.
    bool Open(const std::string& path, DWORD access, DWORD share, DWORD disposition,
              DWORD flags = FILE_ATTRIBUTE_NORMAL);
    HANDLE Handle() const { return handle_; }
    // What the last Open told about the file: it did not exist before.
    bool Created() const { return created_; }

    bool Read(void* buffer, DWORD size, DWORD& got);
    bool Write(const void* data, DWORD size);
    // -1 when the size cannot be read.
    std::int64_t GetLength();
    bool Seek(std::uint64_t position);
    bool SeekToEnd();
    bool SetLength(std::uint64_t length);
    // Volume serial number and file index: which file this is, whatever its name.
    bool GetIdentity(std::uint64_t& volume, std::uint64_t& index);
    // false when closing reported an error (the last data may not be written).
    bool Close();
    DWORD LastError() const { return error_; }

    // Status of an existing file or folder; false when there is none.
    static bool GetStatus(const std::string& path, CFileStatus& status);

private:
    bool Fail();
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    DWORD error_ = 0;
    bool created_ = false;
};
