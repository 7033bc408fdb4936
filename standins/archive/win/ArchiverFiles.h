// The archivers' file work on Win32: buffered reading and writing, folders
// made with their parents, file times and the walk through a folder tree.
// Only calls that Windows 95 and NT 4 already have.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "standins/archive/core/ByteStreams.h"
#include "framework/win32/LeadByte.h"
#include "framework/win32/ScopedHandle.h"

namespace archivers {

class InputFile : public ByteSource, public RandomSource {
public:
    bool Open(const std::string& path);
    void Close() { file_.Reset(); }
    bool Read(void* data, std::size_t size, std::size_t& got) override;
    std::uint64_t Size() const override { return size_; }
    bool ReadAt(std::uint64_t offset, void* data, std::size_t size) override;
    // Where the next Read starts.
    std::uint64_t Position() const { return position_; }
    void Seek(std::uint64_t position);

private:
    bool SeekHandle(std::uint64_t position);
    ScopedFile file_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;      // of the next byte Read hands out
    std::vector<unsigned char> buffer_;
    std::size_t next_ = 0, end_ = 0;  // the buffered bytes still to hand out
    std::uint64_t handleAt_ = 0;
};

class OutputFile : public ByteSink {
public:
    // Creates or empties the file. With `sparse`, runs of zeros are skipped
    // over instead of written, so a mostly empty file costs no disk space
    // where the file system allows holes.
    bool Create(const std::string& path, bool sparse = false);
    // The same for a name not yet taken; false when it is.
    bool CreateNew(const std::string& path, bool sparse = false);
    bool Write(const void* data, std::size_t size) override;
    std::uint64_t Position() const { return flushed_ + buffer_.size(); }
    // Moves to `position` (earlier output stays); false on failure.
    bool Seek(std::uint64_t position);
    // Rewrites bytes already written, in the buffer while they are still
    // there; the position stays at the end.
    bool WriteAt(std::uint64_t position, const void* data, std::size_t size);
    // Cuts the file at the current position.
    bool Truncate();
    bool SetTime(const FILETIME& time);
    // Writes what is buffered and closes; false when any write failed.
    bool Close();
    bool IsOpen() const { return file_.Valid(); }
    bool Failed() const { return failed_; }

private:
    bool Open(const std::string& path, DWORD disposition, bool sparse);
    bool Flush();
    // Writes what is buffered and makes the file as long as what was written.
    bool SetLength();
    bool MoveHandle(std::uint64_t position);
    ScopedFile file_;
    std::string buffer_;
    std::uint64_t flushed_ = 0;   // bytes before the buffer
    std::uint64_t handleAt_ = 0;
    bool sparse_ = false;
    bool failed_ = false;
};

// Copies `count` bytes, showing each piece to `see` (for its checksum);
// false when the source ends first or a write fails.
bool CopyBytes(ByteSource& in, std::uint64_t count, ByteSink& out,
               const std::function<void(const void* data, std::size_t size)>& see);

// The folder and all its parents; true when it exists afterwards.
bool CreateFolderTree(const std::string& folder);
// `folder` with a separator before `name` when it needs one.
std::string JoinPath(const std::string& folder, const std::string& name);
bool IsFolder(const std::string& path);
bool PathExists(const std::string& path);
// The directory entry of a file or folder by its exact name.
bool FindEntry(const std::string& path, WIN32_FIND_DATAA& data);
std::uint64_t EntrySize(const WIN32_FIND_DATAA& data);
// A new, empty file in `folder` for writing a replacement into.
std::string TempFileIn(const std::string& folder);
// The folder part of a path, with its separator ("" for a bare name).
std::string FolderOf(const std::string& path);

// Calls `visit` for every entry below `folder` (not the folder itself),
// folders before their contents; false when a folder cannot be listed.
bool WalkFolder(const std::string& folder,
                const std::function<void(const std::string& path, const WIN32_FIND_DATAA& data)>& visit);

// A UTF-8 name (ZIP names so marked, pax records) in the system's code page;
// false when the code page cannot spell it (or the system reads no UTF-8, as Windows 95).
bool Utf8ToAnsi(const std::string& utf8, std::string& ansi);

// Local DOS time and Unix time of file times, and back.
std::uint32_t DosTimeOf(const FILETIME& time);
FILETIME FileTimeOfDos(std::uint32_t dosTime);
FILETIME FileTimeOfUnix(std::int64_t seconds);
std::int64_t UnixTimeOf(const FILETIME& time);

}  // namespace archivers
