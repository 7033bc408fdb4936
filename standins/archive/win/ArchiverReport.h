// What an archiver tells its caller: a result code (0 done) and a short text,
// copied into the caller's buffer without ever passing its size, plus an
// optional log of every command received, for tests to read.
#pragma once
#include <windows.h>

#include <string>

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
    // Records a failure; the first one decides the result.
    void Fail(ArchiverResult result, const std::string& text);
    void Line(const std::string& text) { lines_ += text + "\r\n"; }
    int Result() const { return result_; }
    bool Failed() const { return result_ != kArchiverDone; }
    // The first failure, or the listed lines when all went well.
    std::string Text() const { return result_ ? text_ : lines_; }

private:
    int result_ = kArchiverDone;
    std::string text_;
    std::string lines_;
};

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
