// Shared setup of the split, join and shortcut tests: a fresh settings
// profile over the dialog tests' recorders, dropped-file lists, and file
// helpers.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/win32/CallGuarded.h"
#include "tests/win/support/DialogDriver.h"
#include "tests/win/support/DialogKitTest.h"


void DeleteProfile();
// Chooses "Others" in the split dialog and types KB into its size field.
void TypeOtherSize(DialogDriver& d, HWND dialog, const std::string& kb);
// The DWORD value of the library's profile, or -1 when it is absent.
long long ProfileValue(const std::string& section, const std::string& name);
void SetProfileValue(const std::string& section, const std::string& name, DWORD value);

// Reads a file through the Win32 API in 1-MiB blocks.
std::uint64_t FileHash(const std::string& path);
std::uint64_t FileSize(const std::string& path);
bool Exists(const std::string& path);
// Random bytes, the same for the same seed.
std::string RandomBytes(std::size_t size, unsigned seed);
// A file of `size` bytes that takes no disk space but for a few marks.
void MakeSparseFile(const std::string& path, std::uint64_t size);
std::vector<std::string> FilesIn(const std::string& folder);

// The stand-in cabinet archiver among the deliverables.
std::string DistCab32();

// A copy of the stand-in cabinet archiver beside this test program for as
// long as it lives: the library looks for it in its own folder, which is the
// program's while the library's code is linked into it.
class ArchiverBesideProgram {
public:
    ArchiverBesideProgram();
    ~ArchiverBesideProgram();
    ArchiverBesideProgram(const ArchiverBesideProgram&) = delete;
    ArchiverBesideProgram& operator=(const ArchiverBesideProgram&) = delete;

private:
    std::string path_;
};

// Wide text from UTF-8 literals in the tests.
std::wstring W(const char* utf8);

class SplitJoinTest : public DialogKitTest {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Asserts that a driven run had no failures.
#define EXPECT_DRIVEN(failures)                                        \
    do {                                                               \
        const std::vector<std::string> driven_ = (failures);           \
        for (const std::string& f_ : driven_) ADD_FAILURE() << f_;     \
    } while (0)
