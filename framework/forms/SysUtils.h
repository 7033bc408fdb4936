// File, folder and text helpers of the component layer that need the platform.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/win32/ScopedHandle.h"
#include "framework/core/StrUtils.h"

enum : int {
    faReadOnly = 0x01,
    faHidden = 0x02,
    faSysFile = 0x04,
    faVolumeID = 0x08,
    faDirectory = 0x10,
    faArchive = 0x20,
    faAnyFile = 0x3F,
};

// One entry of a folder search. It owns the search handle: FindClose (or the
// destructor) releases it, and closing twice is harmless.
struct TSearchRec {
    TSearchRec() = default;
    TSearchRec(const TSearchRec&) = delete;
    TSearchRec& operator=(const TSearchRec&) = delete;

    int Time = 0;  // DOS date (high word) and time (low word), local time
    int64_t Size = 0;
    int Attr = 0;
    std::string Name;
    int ExcludeAttr = 0;
    // Local time minus UTC in file-time units, as it stood when the search began.
    int64_t LocalBias = 0;
    ScopedFind FindHandle;
    WIN32_FIND_DATAA FindData{};
};

// 0 on success, otherwise the system error code. Entries with hidden, system,
// volume or folder bits outside `Attr` are skipped.
int FindFirst(const std::string& Path, int Attr, TSearchRec& F);
int FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);

bool FileExists(const std::string& FileName);
bool DirectoryExists(const std::string& Directory);
// Creates a folder and every missing parent; false when any level fails.
bool ForceDirectories(const std::string& Dir);
// Folder of the running program (the executable, also inside a library), with its backslash.
std::string ProgramFolder();
// The module's own file path.
std::string ModuleFileName(HMODULE module);
std::string WindowsFolder();
// Locale-aware upper case (the system's, which folds accented letters of the code page).
std::string AnsiUpperCase(std::string text);
bool AnsiSameText(const std::string& a, const std::string& b);
// Total bytes of a drive ("C:\"), -1 when it cannot be read.
int64_t DiskSize(const std::string& Root);
// Free bytes of the drive at `Root`, -1 when it can't be read.
int64_t DiskFree(const std::string& Root);
std::string ExtractFilePath(const std::string& FileName);
std::string ExtractFileName(const std::string& FileName);
std::string ExtractFileExt(const std::string& FileName);
