// The file operations the long jobs (split, join, copy, archive) need, so
// that one engine runs over Win32 files in a library and over memory in tests.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/LeadBytes.h"

// Which file a handle is, beyond its name: two names (an 8.3 name, "..\", a
// hard link) can reach one file.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool known = false;
    bool SameAs(const FileIdentity& other) const {
        return known && other.known && volume == other.volume && index == other.index;
    }
};

class EngineInput {
public:
    virtual ~EngineInput() = default;
    // False on a read error; `got` 0 with true means the end of the file.
    virtual bool Read(void* buffer, std::size_t size, std::size_t& got) = 0;
    virtual std::uint64_t Length() const = 0;
    virtual FileIdentity Identity() const = 0;
    // The system's code of the last failure, 0 when unknown.
    virtual int LastError() const { return 0; }
};

class EngineOutput {
public:
    virtual ~EngineOutput() = default;
    virtual bool Write(const void* data, std::size_t size) = 0;
    // Cuts the file to `length` bytes and continues writing there.
    virtual bool Truncate(std::uint64_t length) = 0;
    // The last-write time the file keeps once closed (FileStat::writeTime).
    virtual bool SetWriteTime(std::uint64_t) { return false; }
    virtual FileIdentity Identity() const = 0;
    // Flushes and closes; false when the last data could not be written.
    virtual bool Close() = 0;
    virtual int LastError() const { return 0; }
};

enum class OutputOpen {
    CreateOrReplace,  // created, or emptied when it exists
    Append,           // created, or opened at its end when it exists
    CreateNew,        // created; fails when the name is taken
};

// The attribute bits a copy carries over; the values are the system's.
constexpr std::uint32_t kAttrReadOnly = 0x01;
constexpr std::uint32_t kAttrHidden = 0x02;
constexpr std::uint32_t kAttrSystem = 0x04;
constexpr std::uint32_t kAttrArchive = 0x20;
// A junction or symbolic link; Windows 9x has none.
constexpr std::uint32_t kAttrReparsePoint = 0x400;

struct FileStat {
    bool folder = false;
    std::uint64_t size = 0;
    // 100-nanosecond ticks since 1601 (UTC), the system's file time.
    std::uint64_t writeTime = 0;
    std::uint32_t attributes = 0;
};

struct FolderEntry {
    std::string name;
    FileStat stat;
};

class EngineFiles {
public:
    virtual ~EngineFiles() = default;
    // `denyWrite`: nobody may write the file while it is open (a split's source).
    virtual std::unique_ptr<EngineInput> OpenInput(const std::string& path, bool denyWrite, int& error) = 0;
    // `created`: the file did not exist before; `previousLength`: its length
    // before this open (0 when created or replaced).
    virtual std::unique_ptr<EngineOutput> OpenOutput(const std::string& path, OutputOpen how, bool& created,
                                                     std::uint64_t& previousLength, int& error) = 0;
    virtual bool Remove(const std::string& path) = 0;

    // The folder walk of a copy. Paths use backslashes; a folder may be given with
    // or without its trailing one. The entries leave out "." and "..".
    virtual bool ListFolder(const std::string&, std::vector<FolderEntry>&, int& error) {
        error = 0;
        return false;
    }
    virtual bool Stat(const std::string&, FileStat&) { return false; }
    // Which folder a path reaches, through any link; unknown where the system
    // cannot tell (Windows 9x).
    virtual FileIdentity FolderIdentity(const std::string&) { return {}; }
    // Creates the folder and every missing one above it; an existing folder is success.
    virtual bool MakeFolder(const std::string&) { return false; }
    virtual bool SetAttributes(const std::string&, std::uint32_t) { return false; }
    // Puts the complete file `source` in the place of `target`, whatever the
    // target's attributes; on failure `target` is as it was.
    virtual bool Replace(const std::string&, const std::string&, int& error) {
        error = 0;
        return false;
    }
};

// A new file beside `target` under a name of TemporaryNameBeside
// (FileReplace.h), so that the swap is a rename within one folder. `number`
// goes on from call to call; a name that is taken is passed over. Null when
// none can be made.
std::unique_ptr<EngineOutput> CreateTemporaryBeside(EngineFiles& files, const std::string& target, const char* stem,
                                                    unsigned& number, std::string& path, int& error,
                                                    LeadBytePredicate isLead);

// Both engines copy through one buffer of this size. Larger buffers are
// slower, not faster: a block that no longer fits the processor's cache is
// copied from memory twice (into the buffer, out of it), and 1-MiB blocks
// made a split or join take two to three times as long as with these.
constexpr std::size_t kCopyBlockSize = 128u * 1024;
// How often a running copy looks at the stop signal: a poll is a call into
// the system, too costly for every block.
constexpr std::uint64_t kStopCheckBytes = 1024u * 1024;

// What a worker tells its dialog, and how it learns that the user cancelled.
class EngineEvents {
public:
    virtual ~EngineEvents() = default;
    virtual bool StopRequested() = 0;
    virtual void Percent(int percent) = 0;
    virtual void Item(std::uint64_t number) = 0;
};

enum class RunStatus {
    Done,
    Stopped,
    NoMemory,
    OpenInputFailed,
    ReadFailed,
    OpenOutputFailed,
    WriteFailed,
    SameFile,   // an input is the output itself
    BadRequest, // a piece size of 0
};

struct RunResult {
    RunStatus status = RunStatus::Done;
    std::string path;  // the file the failure concerns
    int error = 0;     // the system's error code, when there is one
    std::uint64_t written = 0;  // pieces (split) or bytes (join) written
    bool Failed() const { return status != RunStatus::Done && status != RunStatus::Stopped; }
};
