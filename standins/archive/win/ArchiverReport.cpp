#include "ArchiverReport.h"

#include "ScopedHandle.h"

void ArchiverReport::Fail(ArchiverResult result, const std::string& text) {
    if (result_ != kArchiverDone) return;
    result_ = result;
    text_ = text;
}

void CopyOut(const std::string& text, LPSTR out, DWORD size) {
    if (!out || size == 0) return;
    const std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
    text.copy(out, n);
    out[n] = '\0';
}

void LogCommand(const char* who, const std::string& command) {
    const char* name = "MIVORA_ARCHIVER_LOG";
    std::string path(GetEnvironmentVariableA(name, nullptr, 0), '\0');
    if (path.empty() || GetEnvironmentVariableA(name, &path[0], static_cast<DWORD>(path.size())) + 1 != path.size())
        return;
    path.pop_back();
    ScopedFile log(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!log) return;
    SetFilePointer(log.Get(), 0, nullptr, FILE_END);
    const std::string line = std::string(who) + " " + command + "\r\n";
    DWORD written = 0;
    WriteFile(log.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}
