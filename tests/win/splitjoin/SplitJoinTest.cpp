#include "tests/win/splitjoin/SplitJoinTest.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <random>

#include "splitjoin/PelmitApp.h"
#include "framework/win32/WideText.h"
#include "splitjoin/resource.h"

using namespace splitjoin;

void TypeOtherSize(DialogDriver& d, HWND dialog, const std::string& kb) {
    d.ClickRadio(dialog, IDC_SPLIT_OTHERS);
    d.WaitFor([&] { return d.IsEnabled(dialog, IDC_SPLIT_SIZE); });
    d.SetText(dialog, IDC_SPLIT_SIZE, kb);
}

void DeleteProfile() { SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tamsel\\Pelmit"); }

long long ProfileValue(const std::string& section, const std::string& name) {
    DWORD value = 0, size = sizeof value, type = 0;
    const std::string key = "Software\\Tamsel\\Pelmit\\" + section;
    if (SHGetValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), &type, &value, &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return -1;
    return value;
}

void SetProfileValue(const std::string& section, const std::string& name, DWORD value) {
    const std::string key = "Software\\Tamsel\\Pelmit\\" + section;
    SHSetValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_DWORD, &value, sizeof value);
}

std::uint64_t FileHash(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    std::vector<unsigned char> buffer(1 << 20);
    std::uint64_t hash = 1469598103934665603ull;
    std::uint64_t length = 0;
    DWORD got = 0;
    while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0) {
        std::size_t i = 0;
        // Eight bytes at a time: gigabytes must hash in seconds.
        for (; i + 8 <= got; i += 8) {
            std::uint64_t word;
            memcpy(&word, &buffer[i], 8);
            hash = (hash ^ word) * 1099511628211ull;
            hash ^= hash >> 29;
        }
        for (; i < got; ++i) hash = (hash ^ buffer[i]) * 1099511628211ull;
        length += got;
    }
    CloseHandle(file);
    return hash ^ length;
}

std::uint64_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

void MakeSparseFile(const std::string& path, std::uint64_t size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    // Marks at the start, around each 4-GiB step and at the end, so that a
    // piece out of place or a wrapped size changes the hash.
    auto mark = [&](std::uint64_t at, const char* text) {
        LONG high = static_cast<LONG>(at >> 32);
        SetFilePointer(file, static_cast<LONG>(at & 0xFFFFFFFF), &high, FILE_BEGIN);
        DWORD written = 0;
        WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
    };
    mark(0, "start");
    for (std::uint64_t at = 1ull << 32; at < size; at += 1ull << 32) mark(at - 3, "4GiB-edge");
    LONG high = static_cast<LONG>(size >> 32);
    SetFilePointer(file, static_cast<LONG>(size & 0xFFFFFFFF), &high, FILE_BEGIN);
    SetEndOfFile(file);
    if (size > 8) mark(size - 4, "end!");
    CloseHandle(file);
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry{};
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return names;
}

std::wstring W(const char* utf8) { return WideFromCodePage(CP_UTF8, utf8); }

void SplitJoinTest::SetUp() {
    // The library's code runs inside this program: it keeps the library's name.
    theApp.SetAppName("Pelmit");
    ASSERT_NE(GetApp(), nullptr);
    DeleteProfile();
    DialogKitTest::SetUp();
}

void SplitJoinTest::TearDown() {
    DialogKitTest::TearDown();
    DeleteProfile();
}

std::string DistCab32() { return std::string(MIVORA_DIST_DIR) + "\\Cab32.dll"; }

ArchiverBesideProgram::ArchiverBesideProgram() {
    std::string program(MAX_PATH, '\0');
    program.resize(GetModuleFileNameA(nullptr, &program[0], MAX_PATH));
    path_ = program.substr(0, program.rfind('\\') + 1) + "Cab32.dll";
    EXPECT_TRUE(CopyFileA(DistCab32().c_str(), path_.c_str(), FALSE)) << path_;
}

ArchiverBesideProgram::~ArchiverBesideProgram() { DeleteFileA(path_.c_str()); }
