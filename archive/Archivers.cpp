#include "archive/Archivers.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "framework/core/FilePtr.h"
#include "framework/core/FileReplace.h"
#include "dialogkit/FileRoutines.h"
#include "framework/win32/ScopedHandle.h"
#include "framework/core/TempFolder.h"

namespace archive {

namespace {

using ArchiverFunction = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);

struct ArchiverEntry {
    const char* library;
    const char* function;  // by name, or by ordinal 1 when null
    const char* name;      // for the user
};

const ArchiverEntry kArchivers[] = {
    {"UNLHA32.dll", nullptr, "Unlha"},
    {"tar32.dll", "Tar", "Tar"},
    {"UNZIP32.dll", nullptr, "UnZip"},
};

ArchiverOutcome Failed(const std::string& why) { return ArchiverOutcome{false, why}; }

constexpr DWORD kOutputSize = 4096;

// What an archiver said, however it left its buffer, for after "failed (code N)".
std::string Account(const std::string& output) {
    std::string said(output.c_str());
    while (!said.empty() && (said.back() == '\n' || said.back() == '\r')) said.pop_back();
    return said.empty() ? "." : ":\n" + said;
}

// Appends the whole of `from` to `to`; false when a read or write fails.
bool AppendFile(const std::string& from, std::FILE* to) {
    const FilePtr in(std::fopen(from.c_str(), "rb"));
    if (!in) return false;
    std::unique_ptr<char[]> buffer(new char[1 << 16]);
    std::size_t got = 0;
    while ((got = std::fread(buffer.get(), 1, 1 << 16, in.get())) > 0)
        if (std::fwrite(buffer.get(), 1, got, to) != got) return false;
    return std::ferror(in.get()) == 0;
}

}  // namespace

bool FileThere(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ArchiverOutcome CallArchiver(Archiver archiver, HWND owner, const std::string& command) {
    const ArchiverEntry& entry = kArchivers[static_cast<int>(archiver)];
    const ScopedModule library(dialogkit::LoadOutsideLibrary(entry.library));
    if (!library) return Failed(std::string("The archiver ") + entry.library + " can't be loaded.");
    const auto function = reinterpret_cast<ArchiverFunction>(reinterpret_cast<void*>(
        GetProcAddress(library.Get(), entry.function ? entry.function : MAKEINTRESOURCEA(1))));
    if (!function) return Failed(std::string(entry.library) + " has no " + entry.name + " function.");
    // Room for the archiver's account of every member that failed, packing
    // or unpacking: a number alone tells the user nothing to act on.
    std::string output(kOutputSize, '\0');
    const int result = function(owner, command.c_str(), &output[0], kOutputSize);
    if (result == 0) return ArchiverOutcome{true, std::string()};
    return Failed(std::string(entry.name) + " of " + entry.library + " failed (code " + std::to_string(result) + ")" +
                  Account(output));
}

std::optional<DWORD> RunProgramAndWait(const std::string& command, const std::string& program, HANDLE output) {
    std::string line = command;  // the system may write into it
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    if (output) {
        startup.dwFlags |= STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = output;
    }
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.empty() ? nullptr : program.c_str(), &line[0], nullptr, nullptr, output != nullptr,
                        CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &process))
        return std::nullopt;
    const ScopedFile thread(process.hThread);
    const ScopedFile child(process.hProcess);
    WaitForSingleObject(child.Get(), INFINITE);
    DWORD code = 1;
    if (!GetExitCodeProcess(child.Get(), &code)) code = 1;
    return code;
}

std::string FindZipProgram() {
    const std::string found = dialogkit::FindOutsideFile("zip.exe");
    if (!found.empty()) return found;
    // PATH alone: the search path of the system would try the current folder
    // first, which inside Explorer is whatever folder the user is looking at.
    const DWORD size = GetEnvironmentVariableA("PATH", nullptr, 0);
    if (size == 0) return std::string();
    std::string path(size, '\0');
    path.resize(GetEnvironmentVariableA("PATH", &path[0], size));
    char* name = nullptr;
    const DWORD needed = SearchPathA(path.c_str(), "zip.exe", nullptr, 0, nullptr, &name);
    if (needed == 0) return std::string();
    std::string program(needed, '\0');
    const DWORD got = SearchPathA(path.c_str(), "zip.exe", nullptr, needed, &program[0], &name);
    if (got == 0 || got >= needed) return std::string();
    program.resize(got);
    return program;
}

ArchiverOutcome RunZip(const std::string& command) {
    const std::string program = FindZipProgram();
    if (program.empty()) return Failed("The program zip.exe can't be found.");
    // What zip.exe writes goes to a temporary file for the message: a pipe
    // would need a second thread to keep it from filling up.
    const std::string folder = TempFolder();
    // The call writes at most MAX_PATH characters, by its contract.
    std::string outputName(MAX_PATH, '\0');
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    ScopedFile output;
    if (!folder.empty() && GetTempFileNameA(folder.c_str(), "~zp", 0, &outputName[0])) {
        outputName.resize(std::strlen(outputName.c_str()));
        output.Reset(CreateFileA(outputName.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 &inherited, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr));
    } else {
        outputName.clear();
    }
    const std::optional<DWORD> code = RunProgramAndWait(command, program, output.Get());
    std::string said(kOutputSize, '\0');
    DWORD got = 0;
    if (!output || SetFilePointer(output.Get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
        !ReadFile(output.Get(), &said[0], kOutputSize - 1, &got, nullptr))
        got = 0;
    said.resize(got);
    output.Reset();
    if (!outputName.empty()) DeleteFileA(outputName.c_str());
    if (!code) return Failed(program + " can't be started.");
    if (*code != 0) return Failed("zip.exe failed (code " + std::to_string(*code) + ")" + Account(said));
    return ArchiverOutcome{true, std::string()};
}

ArchiverOutcome MakeZipSelfExtractor(const std::string& zip, const std::string& exe) {
    const std::string stub = dialogkit::FindOutsideFile("sfx.bin");
    if (stub.empty()) return Failed("The self-extractor program sfx.bin can't be found.");
    const RewriteResult result = WriteFileReplacing(
        exe, [&](std::FILE* out) { return AppendFile(stub, out) && AppendFile(zip, out); });
    if (result != RewriteResult::Written) return Failed("The self-extractor " + exe + " can't be written.");
    return ArchiverOutcome{true, std::string()};
}

}  // namespace archive
