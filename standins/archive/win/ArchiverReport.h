// What an archiver tells its caller: a result code (0 done) and a short text,
// copied into the caller's buffer without ever passing its size, plus an
// optional log of every command received, for tests to read.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace archivers {

enum ArchiverResult {
    kArchiverDone = 0,
    kArchiverBadCommand = 1,      // the command line is outside the grammar
    kArchiverCannotRead = 2,      // a file to pack, an archive or a list cannot be read
    kArchiverCannotWrite = 3,     // an archive, a file or a folder cannot be written
    kArchiverDamaged = 4,         // the archive is damaged or not of its kind
    kArchiverUnsafeName = 5,      // a member would land outside the target folder
    kArchiverUnsupported = 6,     // a member's method or kind is not supported
    kArchiverNothingFound = 7,    // a name matched no file
    kArchiverFailed = 9,          // anything else
};

class ArchiverReport {
public:
    // Records a failure. The worst one recorded decides the result, and the
    // text names them all, worst first, so that a caller sees every member
    // that went wrong and not only the first.
    void Fail(ArchiverResult result, const std::string& text);
    // A member's data (or, with no member named, the archive's own records)
    // did not come out whole: a CRC error, or the archive ends inside it
    // (every reader words an early end with "ends" or "end of"), or any
    // other damage.
    void Damaged(const std::string& member, const std::string& why);
    void Line(const std::string& text) { lines_ += text + "\r\n"; }
    int Result() const { return failures_.empty() ? kArchiverDone : failures_.front().result; }
    bool Failed() const { return !failures_.empty(); }
    // The failures, one a line, worst first; or the listed lines when all went well.
    std::string Text() const;

private:
    struct Failure {
        ArchiverResult result;
        std::string text;
    };
    std::vector<Failure> failures_;  // worst first, in the order found within a kind
    std::size_t dropped_ = 0;
    std::string lines_;
};

class InputFile;
// Opens an archive to read; false after reporting that it cannot be read.
bool OpenArchive(InputFile& file, const std::string& path, ArchiverReport& report);

// Copies `text` into `out`, at most `size` bytes with its NUL; nothing when `out` is null.
void CopyOut(const std::string& text, LPSTR out, DWORD size);

// Appends "<who> <command>" to the file named by MIVORA_ARCHIVER_LOG, when set.
void LogCommand(const char* who, const std::string& command);

// The body of every archiver export: runs `work` with a fresh report, turns
// any exception into a failure (none may leave a DLL), and hands the text back.
template <class Work>
int RunArchiverExport(const char* who, LPCSTR command, LPSTR out, DWORD outSize, Work work) {
    ArchiverReport report;
    try {
        const std::string line = command ? command : "";
        LogCommand(who, line);
        work(line, report);
    } catch (...) {
        report.Fail(kArchiverFailed, "unexpected error");
    }
    try {
        CopyOut(report.Text(), out, outSize);
    } catch (...) {
    }
    return report.Result();
}

}  // namespace archivers
