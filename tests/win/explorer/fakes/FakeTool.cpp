// A recording stand-in for a tool library that the context menu calls. Each
// export appends one line to the file named by MIVORA_FAKE_TOOL_LOG:
//   library TAB export TAB this DLL's path TAB the list handle TAB files...
// and then frees the list when the real export does.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#ifndef FAKE_LIBRARY
#error FAKE_LIBRARY names the library this build stands in for
#endif

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

std::string ThisPath() {
    std::vector<char> buffer(32768);
    const DWORD n = GetModuleFileNameA(reinterpret_cast<HMODULE>(&__ImageBase), buffer.data(),
                                       static_cast<DWORD>(buffer.size()));
    return std::string(buffer.data(), n);
}

void Record(const char* exportName, HDROP drop) {
    char logName[1024];
    const DWORD n = GetEnvironmentVariableA("MIVORA_FAKE_TOOL_LOG", logName, sizeof logName);
    if (n == 0 || n >= sizeof logName) return;
    char handle[32];
    std::snprintf(handle, sizeof handle, "%p", static_cast<void*>(drop));
    std::string line = std::string(FAKE_LIBRARY) + "\t" + exportName + "\t" + ThisPath() + "\t" + handle;
    const UINT count = drop != nullptr ? DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) : 0;
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileA(drop, i, nullptr, 0);
        std::vector<char> name(length + 1);
        DragQueryFileA(drop, i, name.data(), length + 1);
        line += "\t";
        line += name.data();
    }
    line += "\n";
    if (FILE* log = std::fopen(logName, "ab")) {
        std::fwrite(line.data(), 1, line.size(), log);
        std::fclose(log);
    }
}

void Handle(const char* exportName, HDROP drop, bool frees) {
    Record(exportName, drop);
    if (frees && drop != nullptr) DragFinish(drop);
}

}  // namespace

// Which exports free the list follows the real libraries. Each build
// exports the names its .def file lists.
extern "C" {
void __cdecl SegmentFile(HDROP drop) { Handle("SegmentFile", drop, true); }
void __cdecl JoinFiles(HDROP drop) { Handle("JoinFiles", drop, true); }
void __cdecl CreateShortcut(HDROP drop) { Handle("CreateShortcut", drop, false); }
void __cdecl PackFiles(HDROP drop) { Handle("PackFiles", drop, true); }
void __cdecl UnPackFile(HDROP drop) { Handle("UnPackFile", drop, false); }
void __cdecl CompressAndSendFiles(HDROP drop) { Handle("CompressAndSendFiles", drop, true); }
void __cdecl ExtractFile(HDROP drop) { Handle("ExtractFile", drop, false); }
}
