#include "standins/archive/win/ArchiverFiles.h"

#include <cstring>

#include "standins/archive/core/Checksums.h"
#include "framework/win32/LeadByte.h"
#include "framework/core/MbcsPath.h"

namespace archivers {

namespace {

constexpr std::size_t kReadBuffer = 1 << 16;
constexpr std::size_t kWriteBuffer = 1 << 18;

// SetFilePointer with both halves: SetFilePointerEx is newer than Windows 95.
bool MoveTo(HANDLE file, std::uint64_t position) {
    LONG high = static_cast<LONG>(position >> 32);
    const DWORD low = SetFilePointer(file, static_cast<LONG>(position & 0xFFFFFFFFu), &high, FILE_BEGIN);
    return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

bool AllZero(const char* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        if (data[i]) return false;
    return true;
}

}  // namespace

bool InputFile::Open(const std::string& path) {
    file_.Reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file_) return false;
    DWORD high = 0;
    const DWORD low = GetFileSize(file_.Get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    size_ = static_cast<std::uint64_t>(high) << 32 | low;
    position_ = handleAt_ = 0;
    next_ = end_ = 0;
    return true;
}

bool InputFile::SeekHandle(std::uint64_t position) {
    if (handleAt_ == position) return true;
    if (!MoveTo(file_.Get(), position)) return false;
    handleAt_ = position;
    return true;
}

bool InputFile::Read(void* data, std::size_t size, std::size_t& got) {
    got = 0;
    auto* out = static_cast<unsigned char*>(data);
    while (got < size) {
        if (next_ == end_) {
            // Large reads go straight through; small ones fill the buffer,
            // which is only made for them.
            const bool direct = size - got >= kReadBuffer;
            if (!direct && buffer_.empty()) buffer_.resize(kReadBuffer);
            unsigned char* into = direct ? out + got : buffer_.data();
            const DWORD want = static_cast<DWORD>(direct ? (size - got > (1u << 30) ? 1u << 30 : size - got)
                                                         : buffer_.size());
            DWORD read = 0;
            if (!SeekHandle(position_) || !ReadFile(file_.Get(), into, want, &read, nullptr)) return false;
            handleAt_ += read;
            if (read == 0) break;
            if (direct) {
                got += read;
                position_ += read;
                next_ = end_ = 0;
                continue;
            }
            next_ = 0;
            end_ = read;
        }
        const std::size_t take = size - got < end_ - next_ ? size - got : end_ - next_;
        std::memcpy(out + got, buffer_.data() + next_, take);
        next_ += take;
        got += take;
        position_ += take;
    }
    return true;
}

bool InputFile::ReadAt(std::uint64_t offset, void* data, std::size_t size) {
    if (offset > size_ || size > size_ - offset) return false;
    const std::uint64_t keep = position_;
    Seek(offset);
    std::size_t got = 0;
    const bool ok = Read(data, size, got) && got == size;
    Seek(keep);
    return ok;
}

void InputFile::Seek(std::uint64_t position) {
    // Within the buffer the bytes are already there.
    const std::uint64_t bufferStart = position_ - next_;
    if (position >= bufferStart && position <= bufferStart + end_) {
        next_ = static_cast<std::size_t>(position - bufferStart);
    } else {
        next_ = end_ = 0;
    }
    position_ = position;
}

bool OutputFile::Create(const std::string& path, bool sparse) {
    // Under Wine a new name is found quicker with CREATE_NEW than by
    // truncating, and write access alone opens faster than read and write.
    if (CreateNew(path, sparse) || GetLastError() != ERROR_FILE_EXISTS) return file_.Valid();
    return Open(path, CREATE_ALWAYS, sparse);
}

bool OutputFile::CreateNew(const std::string& path, bool sparse) { return Open(path, CREATE_NEW, sparse); }

bool OutputFile::Open(const std::string& path, DWORD disposition, bool sparse) {
    file_.Reset(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    sparse_ = sparse;
    flushed_ = handleAt_ = 0;
    failed_ = !file_;
    buffer_.clear();
    buffer_.reserve(kWriteBuffer);
    return file_.Valid();
}

bool OutputFile::MoveHandle(std::uint64_t position) {
    if (handleAt_ == position) return true;
    if (!MoveTo(file_.Get(), position)) return false;
    handleAt_ = position;
    return true;
}

bool OutputFile::Flush() {
    if (buffer_.empty() || failed_) return !failed_;
    // A buffer of zeros in a new file is a hole: the file is given its length at the end.
    if (sparse_ && AllZero(buffer_.data(), buffer_.size())) {
        flushed_ += buffer_.size();
        buffer_.clear();
        return true;
    }
    const char* p = buffer_.data();
    std::size_t left = buffer_.size();
    if (!MoveHandle(flushed_)) failed_ = true;
    while (left > 0 && !failed_) {
        DWORD written = 0;
        if (!WriteFile(file_.Get(), p, static_cast<DWORD>(left), &written, nullptr) || written == 0) {
            failed_ = true;
            break;
        }
        p += written;
        left -= written;
        handleAt_ += written;
    }
    flushed_ += buffer_.size();
    buffer_.clear();
    return !failed_;
}

bool OutputFile::Write(const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0 && !failed_) {
        const std::size_t take = kWriteBuffer - buffer_.size() < size ? kWriteBuffer - buffer_.size() : size;
        buffer_.append(p, take);
        p += take;
        size -= take;
        if (buffer_.size() == kWriteBuffer) Flush();
    }
    return !failed_;
}

bool OutputFile::Seek(std::uint64_t position) {
    if (!Flush()) return false;
    // Skipped zeros at the end are given their place before moving back.
    if (position < flushed_ && handleAt_ < flushed_ && (!MoveHandle(flushed_) || !SetEndOfFile(file_.Get())))
        failed_ = true;
    flushed_ = position;
    return !failed_;
}

bool OutputFile::WriteAt(std::uint64_t position, const void* data, std::size_t size) {
    if (position >= flushed_ && position + size <= Position()) {
        buffer_.replace(static_cast<std::size_t>(position - flushed_), size, static_cast<const char*>(data), size);
        return true;
    }
    const std::uint64_t end = Position();
    return Seek(position) && Write(data, size) && Seek(end);
}

bool OutputFile::Truncate() {
    if (!Flush() || !MoveHandle(flushed_) || !SetEndOfFile(file_.Get())) failed_ = true;
    return !failed_;
}

bool OutputFile::SetTime(const FILETIME& time) {
    // Giving skipped zeros at the end their place changes the file, and so
    // its time: that comes first.
    if (!SetLength()) return false;
    return SetFileTime(file_.Get(), nullptr, nullptr, &time) != FALSE;
}

bool OutputFile::SetLength() {
    Flush();
    if (!failed_ && handleAt_ < flushed_ && (!MoveHandle(flushed_) || !SetEndOfFile(file_.Get()))) failed_ = true;
    return !failed_;
}

bool OutputFile::Close() {
    if (!file_) return false;
    SetLength();
    if (!CloseHandle(file_.Release())) failed_ = true;
    return !failed_;
}

bool CopyBytes(ByteSource& in, std::uint64_t count, ByteSink& out,
               const std::function<void(const void* data, std::size_t size)>& see) {
    unsigned char buffer[kReadBuffer];
    while (count > 0) {
        const std::size_t want = count < sizeof buffer ? static_cast<std::size_t>(count) : sizeof buffer;
        std::size_t got = 0;
        if (!in.Read(buffer, want, got) || got == 0) return false;
        see(buffer, got);
        if (!out.Write(buffer, got)) return false;
        count -= got;
    }
    return true;
}

bool CreateFolderTree(const std::string& folder) {
    if (folder.empty() || IsFolder(folder)) return true;
    std::string path = folder;
    while (!path.empty() && LastCharPos(path, '\\', SystemLeadByte) == path.size() - 1) path.pop_back();
    if (path.empty() || IsFolder(path)) return true;
    const std::size_t slash = LastCharPos(path, '\\', SystemLeadByte);
    if (slash != std::string::npos && slash > 0 && path[slash - 1] != ':' && !CreateFolderTree(path.substr(0, slash)))
        return false;
    return CreateDirectoryA(path.c_str(), nullptr) || IsFolder(path);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const std::size_t slash = LastCharPos(folder, '\\', SystemLeadByte);
    const bool ends = (slash != std::string::npos && slash == folder.size() - 1) || folder.back() == '/' ||
                      folder.back() == ':';
    return ends ? folder + name : folder + "\\" + name;
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool FindEntry(const std::string& path, WIN32_FIND_DATAA& data) {
    // Wildcards would find other names.
    if (path.find_first_of("*?") != std::string::npos) return false;
    ScopedFind find(FindFirstFileA(path.c_str(), &data));
    return find.Valid();
}

std::uint64_t EntrySize(const WIN32_FIND_DATAA& data) {
    return static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

std::string TempFileIn(const std::string& folder) {
    std::string name(MAX_PATH + 16, '\0');
    const std::string where = folder.empty() ? "." : folder;
    if (!GetTempFileNameA(where.c_str(), "arc", 0, &name[0])) return std::string();
    name.resize(std::strlen(name.c_str()));
    return name;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = LastDelimiter(path, "\\/:", SystemLeadByte);
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool WalkFolder(const std::string& folder,
                const std::function<void(const std::string& path, const WIN32_FIND_DATAA& data)>& visit) {
    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstFileA(JoinPath(folder, "*").c_str(), &data));
    if (!find) return GetLastError() == ERROR_FILE_NOT_FOUND;
    bool ok = true;
    do {
        if (std::strcmp(data.cFileName, ".") == 0 || std::strcmp(data.cFileName, "..") == 0) continue;
        const std::string path = JoinPath(folder, data.cFileName);
        visit(path, data);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ok = WalkFolder(path, visit) && ok;
    } while (FindNextFileA(find.Get(), &data));
    return ok;
}

bool Utf8ToAnsi(const std::string& utf8, std::string& ansi) {
    bool plain = true;
    for (unsigned char c : utf8) plain = plain && c < 0x80;
    if (plain) {
        ansi = utf8;
        return true;
    }
    const int wide = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (wide <= 0) return false;
    std::wstring text(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &text[0], wide);
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), wide, nullptr, 0, nullptr, &lossy);
    if (n <= 0 || lossy) return false;
    ansi.assign(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), wide, &ansi[0], n, nullptr, &lossy);
    return !lossy;
}

std::uint32_t DosTimeOf(const FILETIME& time) {
    FILETIME local;
    WORD date = 0, clock = 0;
    if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToDosDateTime(&local, &date, &clock))
        return (1u << 21) | (1u << 16);  // 1980-01-01
    return static_cast<std::uint32_t>(date) << 16 | clock;
}

FILETIME FileTimeOfDos(std::uint32_t dosTime) {
    FILETIME local{}, utc{};
    if (!ValidDosTime(dosTime) ||
        !DosDateTimeToFileTime(static_cast<WORD>(dosTime >> 16), static_cast<WORD>(dosTime & 0xFFFF), &local) ||
        !LocalFileTimeToFileTime(&local, &utc)) {
        return FileTimeOfUnix(0);
    }
    return utc;
}

FILETIME FileTimeOfUnix(std::int64_t seconds) {
    const std::uint64_t ticks = TicksFromUnixTime(seconds);
    FILETIME t;
    t.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
    t.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return t;
}

std::int64_t UnixTimeOf(const FILETIME& time) {
    return UnixTimeFromTicks(static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime);
}

}  // namespace archivers
