#include "framework/win32/ModulePath.h"
#include "framework/forms/SysUtils.h"

namespace {

const int kSkippableAttrs = faHidden | faSysFile | faVolumeID | faDirectory;

void FillFromFindData(TSearchRec& F) {
    const WIN32_FIND_DATAA& d = F.FindData;
    F.Size = (static_cast<int64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
    F.Attr = static_cast<int>(d.dwFileAttributes);
    F.Name = d.cFileName;
    // The bias of the search's start, not asked again for every entry: each
    // question is a call into Wine's host side, a good part of a plain listing.
    const uint64_t utc = (static_cast<uint64_t>(d.ftLastWriteTime.dwHighDateTime) << 32) | d.ftLastWriteTime.dwLowDateTime;
    const uint64_t shifted = utc + static_cast<uint64_t>(F.LocalBias);
    FILETIME local{static_cast<DWORD>(shifted), static_cast<DWORD>(shifted >> 32)};
    WORD date = 0, time = 0;
    if (FileTimeToDosDateTime(&local, &date, &time))
        F.Time = (static_cast<int>(date) << 16) | time;
    else
        F.Time = -1;
}

// Skips entries the mask excludes; 0 when one is found.
int FindMatching(TSearchRec& F) {
    while (static_cast<int>(F.FindData.dwFileAttributes) & F.ExcludeAttr) {
        if (!FindNextFileA(F.FindHandle.Get(), &F.FindData)) return static_cast<int>(GetLastError());
    }
    FillFromFindData(F);
    return 0;
}

}  // namespace

int FindFirst(const std::string& Path, int Attr, TSearchRec& F) {
    FindClose(F);
    F.ExcludeAttr = ~Attr & kSkippableAttrs;
    // Any moment gives the bias that holds now; a day past the epoch keeps
    // both sides of it positive.
    const uint64_t day = 864000000000ULL;
    const FILETIME probe{static_cast<DWORD>(day), static_cast<DWORD>(day >> 32)};
    FILETIME local{};
    F.LocalBias = FileTimeToLocalFileTime(&probe, &local)
                      ? static_cast<int64_t>(((static_cast<uint64_t>(local.dwHighDateTime) << 32) | local.dwLowDateTime) - day)
                      : 0;
    F.FindHandle.Reset(FindFirstFileA(Path.c_str(), &F.FindData));
    if (!F.FindHandle) return static_cast<int>(GetLastError());
    const int rc = FindMatching(F);
    if (rc != 0) FindClose(F);
    return rc;
}

int FindNext(TSearchRec& F) {
    if (!F.FindHandle) return ERROR_INVALID_HANDLE;
    if (!FindNextFileA(F.FindHandle.Get(), &F.FindData)) return static_cast<int>(GetLastError());
    return FindMatching(F);
}

void FindClose(TSearchRec& F) { F.FindHandle.Reset(); }

bool FileExists(const std::string& FileName) {
    const DWORD a = GetFileAttributesA(FileName.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& Directory) {
    const DWORD a = GetFileAttributesA(Directory.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const std::string& Dir) {
    std::string d = Dir;
    while (d.size() > 1 && d.back() == '\\') d.pop_back();
    if (d.empty()) return false;
    if (DirectoryExists(d)) return true;
    // Stop at a drive ("C:") or a share root ("\\server\share"), which cannot be created.
    const size_t slash = d.find_last_of('\\');
    if (d.size() == 2 && d[1] == ':') return DirectoryExists(d + "\\");
    if (slash != std::string::npos && slash > 0) {
        const std::string parent = d.substr(0, slash);
        const bool shareRoot = parent.rfind("\\\\", 0) == 0 && parent.find('\\', 2) == std::string::npos;
        if (!shareRoot && !ForceDirectories(parent)) return false;
    }
    return CreateDirectoryA(d.c_str(), nullptr) || DirectoryExists(d);
}

std::string ModuleFileName(HMODULE module) { return ModulePath(module); }

std::string ProgramFolder() { return ExtractFilePath(ModuleFileName(nullptr)); }

std::string WindowsFolder() {
    const UINT need = GetWindowsDirectoryA(nullptr, 0);
    std::string buf(need + 1, '\0');
    const UINT got = GetWindowsDirectoryA(&buf[0], static_cast<UINT>(buf.size()));
    buf.resize(got < buf.size() ? got : 0);
    return buf;
}

std::string AnsiUpperCase(std::string text) {
    if (!text.empty()) CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

bool AnsiSameText(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

namespace {
// Total (or free) bytes of a drive; -1 when it can't be read.
int64_t DiskBytes(const std::string& Root, bool total) {
    // The extended call is missing on the first release of Windows 95.
    using ExFn = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    auto ex = reinterpret_cast<ExFn>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA"));
    if (ex) {
        ULARGE_INTEGER avail, all, free;
        if (ex(Root.c_str(), &avail, &all, &free)) return static_cast<int64_t>(total ? all.QuadPart : free.QuadPart);
        return -1;
    }
    DWORD spc, bps, freeClusters, clusters;
    if (!GetDiskFreeSpaceA(Root.c_str(), &spc, &bps, &freeClusters, &clusters)) return -1;
    return static_cast<int64_t>(spc) * bps * (total ? clusters : freeClusters);
}
}  // namespace

int64_t DiskSize(const std::string& Root) { return DiskBytes(Root, true); }
int64_t DiskFree(const std::string& Root) { return DiskBytes(Root, false); }

namespace {
// Index of the last path separator, honouring double-byte characters whose
// trail byte looks like a backslash.
size_t LastDelimiter(const std::string& s, const char* delims) {
    size_t last = std::string::npos;
    for (size_t i = 0; i < s.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(s[i])) && i + 1 < s.size()) {
            ++i;
            continue;
        }
        for (const char* d = delims; *d; ++d)
            if (s[i] == *d) last = i;
    }
    return last;
}
}  // namespace

std::string ExtractFilePath(const std::string& FileName) {
    const size_t p = LastDelimiter(FileName, "\\:");
    return p == std::string::npos ? "" : FileName.substr(0, p + 1);
}

std::string ExtractFileName(const std::string& FileName) {
    const size_t p = LastDelimiter(FileName, "\\:");
    return p == std::string::npos ? FileName : FileName.substr(p + 1);
}

std::string ExtractFileExt(const std::string& FileName) {
    const size_t p = LastDelimiter(FileName, ".\\:");
    return (p != std::string::npos && FileName[p] == '.') ? FileName.substr(p) : "";
}
