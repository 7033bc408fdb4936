#include "dialogkit/Win32EngineFiles.h"

#include <windows.h>

#include <algorithm>
#include <climits>

#include "framework/dialogs/File.h"
#include "framework/core/FileReplace.h"
#include "dialogkit/FileRoutines.h"
#include "framework/win32/ScopedHandle.h"

namespace {

// Asked for on first use only: the query costs far more than the size (under
// Wine it also looks up the file's name), and a join of many small pieces
// would pay it for every one.
class LazyIdentity {
public:
    FileIdentity Of(CFile& file) const {
        if (!asked_) {
            identity_.known = file.GetIdentity(identity_.volume, identity_.index);
            asked_ = true;
        }
        return identity_;
    }

private:
    mutable FileIdentity identity_;
    mutable bool asked_ = false;
};

class Win32Input : public EngineInput {
public:
    bool Open(const std::string& path, bool denyWrite) {
        // Readers share with everybody except, for a split's source, writers.
        // FILE_SHARE_DELETE is unknown to Windows 9x, so it is not asked for.
        const DWORD share = denyWrite ? FILE_SHARE_READ : (FILE_SHARE_READ | FILE_SHARE_WRITE);
        if (!file_.Open(path, GENERIC_READ, share, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN)) return false;
        const std::int64_t length = file_.GetLength();
        if (length < 0) return false;
        length_ = static_cast<std::uint64_t>(length);
        return true;
    }
    bool Read(void* buffer, std::size_t size, std::size_t& got) override {
        DWORD count = 0;
        const bool ok = file_.Read(buffer, static_cast<DWORD>(std::min<std::size_t>(size, UINT_MAX)), count);
        got = count;
        return ok;
    }
    std::uint64_t Length() const override { return length_; }
    FileIdentity Identity() const override { return identity_.Of(file_); }
    int LastError() const override { return static_cast<int>(file_.LastError()); }
    CFile& File() { return file_; }

private:
    mutable CFile file_;
    std::uint64_t length_ = 0;
    LazyIdentity identity_;
};

class Win32Output : public EngineOutput {
public:
    bool Open(const std::string& path, OutputOpen how, bool& created, std::uint64_t& previousLength) {
        const DWORD disposition = how == OutputOpen::CreateOrReplace ? CREATE_ALWAYS
                                  : how == OutputOpen::CreateNew     ? CREATE_NEW
                                                                     : OPEN_ALWAYS;
        // Others may read what is being written, not write to it.
        if (!file_.Open(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, disposition,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN))
            return false;
        created = file_.Created();
        previousLength = 0;
        if (how == OutputOpen::Append) {
            const std::int64_t length = file_.GetLength();
            if (length < 0 || !file_.SeekToEnd()) return false;
            previousLength = static_cast<std::uint64_t>(length);
        }
        return true;
    }
    bool Write(const void* data, std::size_t size) override {
        const auto* bytes = static_cast<const char*>(data);
        while (size > 0) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 0x40000000));
            if (!file_.Write(bytes, chunk)) return false;
            bytes += chunk;
            size -= chunk;
        }
        return true;
    }
    bool Truncate(std::uint64_t length) override { return file_.SetLength(length); }
    bool SetWriteTime(std::uint64_t ticks) override {
        const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
        return SetFileTime(file_.Handle(), nullptr, nullptr, &time) != FALSE;
    }
    FileIdentity Identity() const override { return identity_.Of(file_); }
    bool Close() override { return file_.Close(); }
    int LastError() const override { return static_cast<int>(file_.LastError()); }

private:
    mutable CFile file_;
    LazyIdentity identity_;
};

}  // namespace

std::unique_ptr<EngineInput> Win32EngineFiles::OpenInput(const std::string& path, bool denyWrite, int& error) {
    auto input = std::make_unique<Win32Input>();
    if (!input->Open(path, denyWrite)) {
        error = static_cast<int>(input->File().LastError());
        return nullptr;
    }
    return input;
}

std::unique_ptr<EngineOutput> Win32EngineFiles::OpenOutput(const std::string& path, OutputOpen how, bool& created,
                                                           std::uint64_t& previousLength, int& error) {
    auto output = std::make_unique<Win32Output>();
    if (!output->Open(path, how, created, previousLength)) {
        error = output->LastError();
        return nullptr;
    }
    return output;
}

bool Win32EngineFiles::Remove(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

namespace {

std::uint64_t Ticks(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FileStat StatOf(DWORD attributes, DWORD sizeHigh, DWORD sizeLow, const FILETIME& written) {
    FileStat stat;
    stat.folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    stat.size = (static_cast<std::uint64_t>(sizeHigh) << 32) | sizeLow;
    stat.writeTime = Ticks(written);
    stat.attributes = attributes;
    return stat;
}

std::string WithBackslash(const std::string& folder) {
    return !folder.empty() && folder.back() == '\\' ? folder : folder + "\\";
}

}  // namespace

bool Win32EngineFiles::ListFolder(const std::string& folder, std::vector<FolderEntry>& entries, int& error) {
    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstFileA((WithBackslash(folder) + "*.*").c_str(), &data));
    if (!find) {
        error = static_cast<int>(GetLastError());
        // An empty drive root lists nothing, not even ".".
        return error == ERROR_FILE_NOT_FOUND;
    }
    do {
        const char* name = data.cFileName;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
        entries.push_back({name, StatOf(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime)});
    } while (FindNextFileA(find.Get(), &data));
    error = static_cast<int>(GetLastError());
    return error == ERROR_NO_MORE_FILES;
}

bool Win32EngineFiles::Stat(const std::string& path, FileStat& stat) {
    CFileStatus status;
    if (!CFile::GetStatus(path, status)) return false;
    stat = StatOf(status.attributes, static_cast<DWORD>(status.size >> 32), static_cast<DWORD>(status.size),
                  status.lastWrite);
    return true;
}

FileIdentity Win32EngineFiles::FolderIdentity(const std::string& path) {
    // A folder opens only with backup semantics, and only on NT; opening it
    // for no access at all needs no rights to its contents.
    CFile folder;
    FileIdentity identity;
    if (folder.Open(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS))
        identity.known = folder.GetIdentity(identity.volume, identity.index);
    return identity;
}

bool Win32EngineFiles::MakeFolder(const std::string& path) { return dialogkit::CreateDirectoryTree(path); }

bool Win32EngineFiles::SetAttributes(const std::string& path, std::uint32_t attributes) {
    return SetFileAttributesA(path.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

bool Win32EngineFiles::Replace(const std::string& target, const std::string& source, int& error) {
    // A read-only backup copy refuses to be replaced; it is cleared only for
    // the swap and set again when the swap fails.
    const DWORD attributes = GetFileAttributesA(target.c_str());
    const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    if (readOnly) SetFileAttributesA(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (ReplaceFileWith(target, source)) return true;
    error = static_cast<int>(GetLastError());
    if (readOnly) SetFileAttributesA(target.c_str(), attributes);
    return false;
}
