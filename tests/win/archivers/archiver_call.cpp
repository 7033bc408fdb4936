// Calls one archiver export with one command line, as the archive library
// does, for the scripts that check the archives with other tools:
//   archiver_call <DLL name> <export>  <  command line
// The line comes on standard input, untouched by any argv quoting rules.
// Prints what the export hands back and exits with its result.
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "framework/win32/ScopedHandle.h"

namespace {

using ArchiverFn = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);

std::string DistPath(const std::string& name) {
    using ToDos = WCHAR*(CDECL*)(const char*);
    const auto toDos =
        reinterpret_cast<ToDos>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name"));
    const std::string host = std::string(MIVORA_DIST_DIR) + "/" + name;
    WCHAR* wide = toDos ? toDos(host.c_str()) : nullptr;
    if (!wide) return host;
    std::string path(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, &path[0], static_cast<int>(path.size()), nullptr, nullptr);
    HeapFree(GetProcessHeap(), 0, wide);
    path.pop_back();
    return path;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: archiver_call <DLL> <export> < command-line\n");
        return 99;
    }
    std::string line;
    std::getline(std::cin, line);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ScopedModule dll(LoadLibraryA(DistPath(argv[1]).c_str()));
    const auto fn = dll ? reinterpret_cast<ArchiverFn>(GetProcAddress(dll.Get(), argv[2])) : nullptr;
    if (!fn) {
        std::fprintf(stderr, "cannot load %s!%s\n", argv[1], argv[2]);
        return 98;
    }
    std::string out(1 << 16, '\0');
    const int result = fn(nullptr, line.c_str(), &out[0], static_cast<DWORD>(out.size()));
    std::printf("%s\n", out.c_str());
    return result;
}
