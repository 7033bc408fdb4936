// "Cab32.dll": the cabinet archiver the split library calls as
//   int WINAPI Cab(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize)
// with  -a -ml:21 -v:<KB> "<set name>" "<file>"  to cut a file into a spanned
// set of cabinets <set name>1.cab, <set name>2.cab, ... of at most KB * 1024
// bytes each. The cabinets are made by the system's cabinet library (FCI).
// Wine's FCI stores LZX data uncompressed and names volume 1 as every
// volume's predecessor; extraction that starts at volume 1 is unaffected.
//
// Results: 0 done; 1 bad command line; 2 a file to pack cannot be read (or is
// larger than a cabinet can describe); 3 a cabinet cannot be written;
// 4 the cabinet library failed otherwise. No window is shown.
#include <windows.h>
#include <fci.h>
#include <fcntl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "standins/cab32/core/CabCommandLine.h"
#include "framework/win32/ScopedHandle.h"
#include "framework/core/TempFolder.h"

namespace cabinet {

namespace {

enum Result { kDone = 0, kBadCommand = 1, kSourceFailed = 2, kCabinetFailed = 3, kLibraryFailed = 4 };

// Files larger than this cannot be described by a cabinet's 32-bit offsets.
constexpr unsigned long long kMaxPackedFile = 0x7FFFFFFF;

void DestroyFci(HFCI fci) { FCIDestroy(fci); }
using ScopedFci = ScopedHandle<handle_traits::Basic<HFCI, DestroyFci, handle_traits::Null<HFCI>>>;

struct Context {
    std::string folder;  // where the cabinets go, with its backslash
    std::string name;    // the set name without folder
    bool cabinetFailed = false;
    bool sourceFailed = false;
};

std::string VolumeName(const Context& c, int number) { return c.name + std::to_string(number) + ".cab"; }

bool EndsWithCab(const char* path) {
    const std::size_t n = std::strlen(path);
    return n >= 4 && lstrcmpiA(path + n - 4, ".cab") == 0;
}

FNFCIALLOC(Alloc) { return HeapAlloc(GetProcessHeap(), 0, cb); }
FNFCIFREE(Free) { HeapFree(GetProcessHeap(), 0, memory); }

FNFCIOPEN(Open) {
    (void)pmode;
    auto* context = static_cast<Context*>(pv);
    const int mode = oflag & (_O_RDONLY | _O_WRONLY | _O_RDWR);
    const DWORD access = mode == _O_RDONLY ? GENERIC_READ : mode == _O_WRONLY ? GENERIC_WRITE
                                                                              : GENERIC_READ | GENERIC_WRITE;
    DWORD disposition = OPEN_EXISTING;
    if (oflag & _O_CREAT) {
        disposition = (oflag & _O_EXCL) ? CREATE_NEW : (oflag & _O_TRUNC) ? CREATE_ALWAYS : OPEN_ALWAYS;
    } else if (oflag & _O_TRUNC) {
        disposition = TRUNCATE_EXISTING;
    }
    HANDLE file = CreateFileA(pszFile, access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *err = static_cast<int>(GetLastError());
        if (EndsWithCab(pszFile)) context->cabinetFailed = true;
        return -1;
    }
    return reinterpret_cast<INT_PTR>(file);
}

FNFCIREAD(Read) {
    (void)pv;
    DWORD got = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(hf), memory, cb, &got, nullptr)) {
        *err = static_cast<int>(GetLastError());
        return static_cast<UINT>(-1);
    }
    return got;
}

FNFCIWRITE(Write) {
    auto* context = static_cast<Context*>(pv);
    DWORD written = 0;
    if (!WriteFile(reinterpret_cast<HANDLE>(hf), memory, cb, &written, nullptr) || written != cb) {
        *err = static_cast<int>(GetLastError());
        context->cabinetFailed = true;
        return static_cast<UINT>(-1);
    }
    return written;
}

// The library closes every file it opened through Open here.
FNFCICLOSE(Close) {
    (void)pv;
    if (!CloseHandle(reinterpret_cast<HANDLE>(hf))) {
        *err = static_cast<int>(GetLastError());
        return -1;
    }
    return 0;
}

FNFCISEEK(Seek) {
    (void)pv;
    const DWORD method = seektype == SEEK_SET ? FILE_BEGIN : seektype == SEEK_CUR ? FILE_CURRENT : FILE_END;
    const DWORD position = SetFilePointer(reinterpret_cast<HANDLE>(hf), dist, nullptr, method);
    if (position == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) {
        *err = static_cast<int>(GetLastError());
        return -1;
    }
    return static_cast<__LONG32>(position);
}

FNFCIDELETE(Delete) {
    (void)pv;
    if (!DeleteFileA(pszFile)) {
        *err = static_cast<int>(GetLastError());
        return -1;
    }
    return 0;
}

FNFCIGETTEMPFILE(TempFile) {
    (void)pv;
    const std::string folder = TempFolder();
    // The call writes at most MAX_PATH characters, by its contract.
    char name[MAX_PATH + 1] = {};
    if (folder.empty() || !GetTempFileNameA(folder.c_str(), "cab", 0, name)) return FALSE;
    // The library creates the file itself, exclusively.
    DeleteFileA(name);
    if (std::strlen(name) >= static_cast<std::size_t>(cbTempName)) return FALSE;
    lstrcpynA(pszTempName, name, cbTempName);
    return TRUE;
}

FNFCIFILEPLACED(FilePlaced) {
    (void)pccab;
    (void)pszFile;
    (void)cbFile;
    (void)fContinuation;
    (void)pv;
    return 0;
}

FNFCIGETNEXTCABINET(NextCabinet) {
    (void)cbPrevCab;
    auto* context = static_cast<Context*>(pv);
    // The library has counted iCab up already.
    const std::string name = VolumeName(*context, pccab->iCab);
    if (name.size() >= sizeof pccab->szCab) return FALSE;
    lstrcpynA(pccab->szCab, name.c_str(), sizeof pccab->szCab);
    return TRUE;
}

FNFCISTATUS(Status) {
    (void)cb1;
    (void)pv;
    // Asked for the size of a finished cabinet: keep the one it has.
    return typeStatus == statusCabinet ? static_cast<__LONG32>(cb2) : 0;
}

// The attributes, size and times of a file or folder by its exact name, as
// GetFileAttributesExA gives them: Windows 95 lacks that call, and a program
// that imports it does not load there. "?" and "*" would match other names
// (that call refuses them as invalid).
bool FindByName(const char* path, WIN32_FIND_DATAA& data) {
    if (std::strpbrk(path, "?*")) {
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    return ScopedFind(FindFirstFileA(path, &data)).Valid();
}

FNFCIGETOPENINFO(OpenInfo) {
    auto* context = static_cast<Context*>(pv);
    WIN32_FIND_DATAA data{};
    if (!FindByName(pszName, data)) {
        *err = static_cast<int>(GetLastError());
        context->sourceFailed = true;
        return -1;
    }
    FILETIME local{};
    FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
    FileTimeToDosDateTime(&local, pdate, ptime);
    *pattribs = static_cast<USHORT>(data.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                             FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE));
    const INT_PTR file = Open(pszName, _O_RDONLY | _O_BINARY, 0, err, pv);
    if (file == -1) context->sourceFailed = true;
    return file;
}

// The name a file is stored under: without its folder.
std::string StoredName(const std::string& path) {
    const char* name = path.c_str();
    for (const char* p = path.c_str(); *p; p = CharNextA(p))
        if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
    return name;
}

bool Readable(const std::string& path) {
    WIN32_FIND_DATAA data{};
    if (!FindByName(path.c_str(), data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    const unsigned long long size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return size <= kMaxPackedFile;
}

int Run(const std::string& commandLine, std::string& message) {
    std::string error;
    const auto command = ParseCabCommand(commandLine, error);
    if (!command) {
        message = "bad command line: " + error;
        return kBadCommand;
    }
    Context context;
    const std::size_t slash = command->setName.find_last_of("\\/");
    context.folder = slash == std::string::npos ? std::string() : command->setName.substr(0, slash + 1);
    context.name = slash == std::string::npos ? command->setName : command->setName.substr(slash + 1);
    for (const std::string& file : command->files) {
        if (!Readable(file)) {
            message = "cannot read " + file;
            return kSourceFailed;
        }
    }

    CCAB cab{};
    // Without volumes, one cabinet as large as a cabinet may be.
    cab.cb = command->volumeKB ? command->volumeKB * 1024 : 0x7FFFFFFF;
    cab.cbFolderThresh = cab.cb;
    cab.iCab = 1;
    cab.setID = static_cast<USHORT>(GetTickCount());
    const std::string first = VolumeName(context, 1);
    if (first.size() >= sizeof cab.szCab || context.folder.size() >= sizeof cab.szCabPath) {
        message = "cabinet name too long";
        return kBadCommand;
    }
    lstrcpynA(cab.szCab, first.c_str(), sizeof cab.szCab);
    lstrcpynA(cab.szCabPath, context.folder.c_str(), sizeof cab.szCabPath);

    ERF erf{};
    const ScopedFci fci(
        FCICreate(&erf, FilePlaced, Alloc, Free, Open, Read, Write, Close, Seek, Delete, TempFile, &cab, &context));
    if (!fci) {
        message = "the cabinet library could not start";
        return kLibraryFailed;
    }
    TCOMP compression = tcompTYPE_MSZIP;
    if (command->method == CabMethod::Store) compression = tcompTYPE_NONE;
    if (command->method == CabMethod::Lzx) compression = static_cast<TCOMP>(TCOMPfromLZXWindow(command->lzxWindow));
    bool ok = true;
    for (const std::string& file : command->files) {
        std::string source = file;
        std::string stored = StoredName(file);
        if (!FCIAddFile(fci.Get(), &source[0], &stored[0], FALSE, NextCabinet, Status, OpenInfo, compression)) {
            ok = false;
            break;
        }
    }
    if (ok) ok = FCIFlushCabinet(fci.Get(), FALSE, NextCabinet, Status) != FALSE;
    if (ok) {
        message = "done";
        return kDone;
    }
    if (context.sourceFailed) {
        message = "cannot read a file to pack";
        return kSourceFailed;
    }
    if (context.cabinetFailed) {
        message = "cannot write a cabinet";
        return kCabinetFailed;
    }
    message = "cabinet library error " + std::to_string(erf.erfOper);
    return kLibraryFailed;
}

}  // namespace

}  // namespace cabinet

extern "C" int WINAPI Cab(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize) {
    (void)owner;
    int result = cabinet::kLibraryFailed;
    std::string message;
    try {
        result = cabinet::Run(commandLine ? commandLine : "", message);
    } catch (...) {
        message = "unexpected error";
        result = cabinet::kLibraryFailed;
    }
    if (output && outputSize > 0) lstrcpynA(output, message.c_str(), static_cast<int>(outputSize));
    return result;
}
