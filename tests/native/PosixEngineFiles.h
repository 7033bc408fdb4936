// The long jobs' file seam over a POSIX file system, for the engines' native
// tests: drive letters are folders under one root ("C:\a\b" is root/C/a/b),
// so drive roots and backslash paths work as on Windows. Read-only is the
// owner's write bit; names keep their letter case, as on Linux. A symbolic
// link to a folder lists as a folder, marked as a link as on NT unless
// `unmarkedLinks` (as Wine shows some).
#pragma once
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "dialogkit/core/EngineFiles.h"

class PosixEngineFiles : public EngineFiles {
public:
    // 1 January 1970 in file-time ticks.
    static constexpr std::uint64_t kEpochTicks = 116444736000000000ull;

    explicit PosixEngineFiles(std::string root) : root_(std::move(root)) {}

    // Outputs (Windows paths) that fail with ENOSPC once `writeLimit` bytes are written.
    std::set<std::string> failWrites;
    std::size_t writeLimit = 0;
    bool unmarkedLinks = false;
    // Targets replaced as on Windows 9x with a failing rename: the old file goes, the new one stays.
    std::set<std::string> failRenames;

    std::string Host(const std::string& path) const {
        std::string out = root_ + "/" + path.substr(0, 1);
        for (std::size_t i = 2; i < path.size(); ++i) out += path[i] == '\\' ? '/' : path[i];
        while (out.back() == '/') out.pop_back();
        return out;
    }

    class Input : public EngineInput {
    public:
        explicit Input(int fd) : fd_(fd) {}
        ~Input() override { close(fd_); }
        bool Read(void* buffer, std::size_t size, std::size_t& got) override {
            const ssize_t n = read(fd_, buffer, size);
            got = n > 0 ? static_cast<std::size_t>(n) : 0;
            return n >= 0;
        }
        std::uint64_t Length() const override { return 0; }
        FileIdentity Identity() const override { return {}; }

    private:
        int fd_;
    };

    class Output : public EngineOutput {
    public:
        Output(int fd, std::size_t limit) : fd_(fd), room_(limit) {}
        ~Output() override { Close(); }
        bool Write(const void* data, std::size_t size) override {
            if (size > room_) return false;
            room_ -= size;
            return write(fd_, data, size) == static_cast<ssize_t>(size);
        }
        bool Truncate(std::uint64_t length) override { return ftruncate(fd_, static_cast<off_t>(length)) == 0; }
        bool SetWriteTime(std::uint64_t ticks) override {
            const std::uint64_t unix = ticks - kEpochTicks;
            const timespec times[2] = {
                {static_cast<time_t>(unix / 10000000), 0},
                {static_cast<time_t>(unix / 10000000), static_cast<long>(unix % 10000000 * 100)}};
            return futimens(fd_, times) == 0;
        }
        FileIdentity Identity() const override { return {}; }
        bool Close() override { return fd_ < 0 || close(std::exchange(fd_, -1)) == 0; }
        int LastError() const override { return ENOSPC; }

    private:
        int fd_;
        std::size_t room_;
    };

    std::unique_ptr<EngineInput> OpenInput(const std::string& path, bool, int& error) override {
        const int fd = open(Host(path).c_str(), O_RDONLY);
        error = errno;
        return fd < 0 ? nullptr : std::make_unique<Input>(fd);
    }
    std::unique_ptr<EngineOutput> OpenOutput(const std::string& path, OutputOpen how, bool& created,
                                             std::uint64_t& previousLength, int& error) override {
        const int mode = how == OutputOpen::CreateNew ? O_EXCL : how == OutputOpen::Append ? O_APPEND : O_TRUNC;
        const int fd = open(Host(path).c_str(), O_WRONLY | O_CREAT | mode, 0644);
        error = errno;
        created = true;
        previousLength = 0;
        return fd < 0 ? nullptr : std::make_unique<Output>(fd, failWrites.count(path) ? writeLimit : SIZE_MAX);
    }
    bool Remove(const std::string& path) override { return unlink(Host(path).c_str()) == 0; }

    static FileStat StatOf(const struct stat& st) {
        const bool folder = S_ISDIR(st.st_mode);
        return {folder, folder ? 0 : static_cast<std::uint64_t>(st.st_size),
                kEpochTicks + static_cast<std::uint64_t>(st.st_mtim.tv_sec) * 10000000 +
                    static_cast<std::uint64_t>(st.st_mtim.tv_nsec) / 100,
                (folder ? 0x10u : kAttrArchive) | ((st.st_mode & S_IWUSR) ? 0 : kAttrReadOnly)};
    }
    bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries, int& error) override {
        const std::string host = Host(folder);
        std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(host.c_str()), closedir);
        error = errno;
        if (!dir) return false;
        while (dirent* e = readdir(dir.get())) {
            const std::string name = e->d_name;
            const std::string path = host + "/" + name;
            struct stat st {}, link {};
            if (name == "." || name == ".." || ::stat(path.c_str(), &st) != 0) continue;
            entries.push_back({name, StatOf(st)});
            if (!unmarkedLinks && lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
                entries.back().stat.attributes |= kAttrReparsePoint;
        }
        return true;
    }
    bool Stat(const std::string& path, FileStat& stat) override {
        struct stat st {};
        if (::stat(Host(path).c_str(), &st) != 0) return false;
        stat = StatOf(st);
        return true;
    }
    FileIdentity FolderIdentity(const std::string& path) override {
        struct stat st {};
        if (::stat(Host(path).c_str(), &st) != 0) return {};
        return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino), true};
    }
    bool MakeFolder(const std::string& path) override {
        const std::string host = Host(path) + "/";
        for (std::size_t i = host.find('/', root_.size() + 1); i != std::string::npos; i = host.find('/', i + 1))
            mkdir(host.substr(0, i).c_str(), 0755);
        struct stat st {};
        return ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override {
        return chmod(Host(path).c_str(), (attributes & kAttrReadOnly) ? 0444 : 0644) == 0;
    }
    bool Replace(const std::string& target, const std::string& source, int& error) override {
        if (failRenames.count(target)) {
            error = EACCES;
            return unlink(Host(target).c_str()) != 0;
        }
        const bool ok = rename(Host(source).c_str(), Host(target).c_str()) == 0;
        error = errno;
        return ok;
    }

private:
    std::string root_;
};
