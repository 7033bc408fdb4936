// The archiver stand-ins under Wine, called as the archive library calls
// them: the export contract, the library's own command lines with blanks
// and lists, updates by time, and archives that are damaged or try to write
// outside the folder they are unpacked into.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <tuple>
#include <string>
#include <vector>

#include "standins/archive/win/ArchiverFiles.h"
#include "standins/archive/win/ArchiverReport.h"
#include "standins/archive/core/Checksums.h"
#include "standins/archive/core/LzhHeader.h"
#include "standins/archive/core/MemberNames.h"
#include "framework/win32/ScopedHandle.h"
#include "standins/archive/core/TarFormat.h"
#include "tests/win/support/TestSupport.h"
#include "standins/archive/core/ZipFormat.h"
#include "standins/archive/core/ZlibStreams.h"

using namespace archivers;

namespace {

using ArchiverFn = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);

struct Archiver {
    const char* dll;
    const char* name;
};
const Archiver kUnlha{"UNLHA32.dll", "Unlha"}, kTar{"tar32.dll", "Tar"}, kUnZip{"UNZIP32.dll", "UnZip"};

std::string Dist(const std::string& name) { return HostPathToWindows(std::string(MIVORA_DIST_DIR) + "/" + name); }

ArchiverFn Export(const Archiver& a) {
    static std::map<std::string, ScopedModule> loaded;
    ScopedModule& dll = loaded[a.dll];
    if (!dll) dll.Reset(LoadLibraryA(Dist(a.dll).c_str()));
    return dll ? reinterpret_cast<ArchiverFn>(GetProcAddress(dll.Get(), a.name)) : nullptr;
}

int Call(const Archiver& a, const std::string& line, std::string* out = nullptr) {
    const ArchiverFn fn = Export(a);
    if (!fn) {
        ADD_FAILURE() << "cannot load " << a.dll;
        return -1;
    }
    std::string buffer(4096, '\0');
    const int result = fn(nullptr, line.c_str(), &buffer[0], static_cast<DWORD>(buffer.size()));
    if (out) *out = buffer.c_str();
    return result;
}

// A program's exit code: zip.exe as the library starts it, or a self-extractor.
DWORD RunProgram(const std::string& program, std::string command) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 0xFFFF;
    ScopedKernelObject process(pi.hProcess), thread(pi.hThread);
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0xFFFF;
    GetExitCodeProcess(pi.hProcess, &code);
    return code;
}

DWORD RunZip(const std::string& arguments) { return RunProgram(Dist("zip.exe"), "zip " + arguments); }

void SetWriteTime(const std::string& path, int daysBack) {
    ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    SYSTEMTIME now;
    GetSystemTime(&now);
    FILETIME t;
    SystemTimeToFileTime(&now, &t);
    ULARGE_INTEGER v;
    v.LowPart = t.dwLowDateTime;
    v.HighPart = t.dwHighDateTime;
    v.QuadPart -= static_cast<ULONGLONG>(daysBack) * 24 * 3600 * 10000000ULL;
    t.dwLowDateTime = v.LowPart;
    t.dwHighDateTime = v.HighPart;
    SetFileTime(file.Get(), nullptr, nullptr, &t);
}

class ArchiversTest : public ::testing::Test {
protected:
    // A base folder and a list folder with blanks, as on Windows' desktops and NT's temp.
    ArchiversTest() : base(dir.File("My Data\\")), list(dir.File("Local Settings\\~HV1A2B.tmp")) {
        CreateDirectoryA(base.c_str(), nullptr);
        CreateDirectoryA(dir.File("Local Settings").c_str(), nullptr);
        CreateDirectoryA((base + "sub").c_str(), nullptr);
        WriteFileBytes(base + "a.txt", "first version of a\r\n");
        WriteFileBytes(base + "sub\\b.txt", std::string(20000, 'b'));
        WriteFileBytes(list, "a.txt\r\nsub\\*.*\r\n");
    }
    TempDir dir;
    const std::string base, list;
};

TEST(ArchiverExports, NeverWriteMoreThanTheBufferHolds) {
    for (const Archiver& a : {kUnlha, kTar, kUnZip}) {
        const ArchiverFn fn = Export(a);
        ASSERT_TRUE(fn) << a.dll;
        for (DWORD size : {0u, 1u, 7u, 64u}) {
            std::string buffer(size + 16, '#');
            EXPECT_EQ(fn(nullptr, "q -no such command", size ? &buffer[0] : nullptr, size), kArchiverBadCommand) << a.dll;
            EXPECT_EQ(buffer.substr(size), std::string(16, '#')) << a.dll << " " << size;
            if (size) {
                EXPECT_LT(std::strlen(buffer.c_str()), size) << a.dll << " " << size;
            }
        }
        EXPECT_EQ(fn(nullptr, nullptr, nullptr, 0), kArchiverBadCommand) << a.dll;
    }
}

TEST_F(ArchiversTest, LogTheCommandsTheyGetWhenAsked) {
    const std::string log = dir.File("commands.log");
    SetEnvironmentVariableA("MIVORA_ARCHIVER_LOG", log.c_str());
    Call(kTar, "-xvf \"" + base + "none.tgz\" -o \"" + base + "\"");
    Call(kUnZip, "-x  x.zip");
    SetEnvironmentVariableA("MIVORA_ARCHIVER_LOG", nullptr);
    EXPECT_EQ(ReadFileBytes(log), "Tar -xvf \"" + base + "none.tgz\" -o \"" + base + "\"\r\nUnZip -x  x.zip\r\n");
}

TEST_F(ArchiversTest, UnlhaUpdatesByTimeMovesAndMakesASelfExtractor) {
    const std::string pack = "u  -a1 -gn2 -jp1 -+ -rx -jm2 \"" + base + "report\" \"" + base + "\" \"@" + list + "\"";
    ASSERT_EQ(Call(kUnlha, pack), kArchiverDone);
    ASSERT_TRUE(PathExists(base + "report.lzh"));
    // An older file does not replace its member unless -c says so.
    WriteFileBytes(base + "a.txt", "an older second version\r\n");
    SetWriteTime(base + "a.txt", 30);
    const std::string out = dir.File("out\\");
    const std::string unpack = "e -xcm0 -gn2 -jp1 -+ \"" + base + "report.lzh\" \"" + out + "\"";
    ASSERT_EQ(Call(kUnlha, pack), kArchiverDone);
    ASSERT_EQ(Call(kUnlha, unpack), kArchiverDone);
    EXPECT_EQ(ReadFileBytes(out + "a.txt"), "first version of a\r\n");
    ASSERT_EQ(Call(kUnlha, "u -c" + pack.substr(1)), kArchiverDone);
    ASSERT_EQ(Call(kUnlha, unpack), kArchiverDone);
    EXPECT_EQ(ReadFileBytes(out + "a.txt"), "an older second version\r\n");
    EXPECT_EQ(ReadFileBytes(out + "sub\\b.txt"), std::string(20000, 'b'));
    // With c0 a local file at least as new as the member stays.
    WriteFileBytes(out + "a.txt", "kept");
    ASSERT_EQ(Call(kUnlha, "e -xc0m1 \"" + base + "report.lzh\" \"" + out + "\""), kArchiverDone);
    EXPECT_EQ(ReadFileBytes(out + "a.txt"), "kept");
    // m: packed, then gone.
    WriteFileBytes(base + "moved.txt", "moved");
    WriteFileBytes(list, "moved.txt\r\n");
    ASSERT_EQ(Call(kUnlha, "m" + pack.substr(1)), kArchiverDone);
    EXPECT_FALSE(PathExists(base + "moved.txt"));
    ASSERT_EQ(Call(kUnlha, unpack), kArchiverDone);
    EXPECT_EQ(ReadFileBytes(out + "moved.txt"), "moved");
    // s: the stub and the archive in one program beside it.
    ASSERT_EQ(Call(kUnlha, "s -gw -x1 \"" + base + "report.lzh\" \"" + base + "\" "), kArchiverDone);
    const std::string exe = ReadFileBytes(base + "report.exe");
    EXPECT_EQ(exe.substr(0, 2), "MZ");
    EXPECT_EQ(exe.substr(exe.size() - ReadFileBytes(base + "report.lzh").size()), ReadFileBytes(base + "report.lzh"));
}

TEST_F(ArchiversTest, TarTakesQuotedFoldersAndListsAndUnpacksFlat) {
    std::string listing;
    ASSERT_EQ(Call(kTar, "-cz9 -f \"" + base + "report.tgz\" -o \"" + base + "\" \"@" + list + "\""), kArchiverDone);
    ASSERT_EQ(Call(kTar, "-xvf \"" + base + "report.tgz\" -o \"" + dir.File("out\\") + "\"", &listing), kArchiverDone);
    EXPECT_EQ(listing, "a.txt\r\nsub\\b.txt\r\n");
    ASSERT_EQ(Call(kTar, "--use-directory=0 -xf \"" + base + "report.tgz\" -o \"" + dir.File("flat\\") + "\"",
                   &listing),
              kArchiverDone);
    EXPECT_EQ(listing, "");  // no v, no list
    EXPECT_EQ(ReadFileBytes(dir.File("flat\\b.txt")), std::string(20000, 'b'));
    // A list where the folder belongs is refused, not taken for the folder.
    EXPECT_EQ(Call(kTar, "-cf \"" + base + "r.tar\" -o  @" + list), kArchiverBadCommand);
}

TEST_F(ArchiversTest, ZipStoresPathsWithoutDriveAndReplacesMembers) {
    const std::string files = " \"" + base + "a.txt\"  \"" + base + "sub\\*.*\" ";
    ASSERT_EQ(RunZip("-r \"" + base + "report\" " + files), 0u);
    ZipDirectory directory;
    InputFile archive;
    std::string error;
    ASSERT_TRUE(archive.Open(base + "report.zip"));
    ASSERT_TRUE(ReadZipDirectory(archive, directory, error)) << error;
    archive.Close();
    const std::string stored = StoredName(base, SystemLeadByte);
    std::vector<std::string> names;
    for (const ZipEntry& e : directory.entries) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{stored + "/a.txt", stored + "/sub/", stored + "/sub/b.txt"}));

    WriteFileBytes(base + "a.txt", "second");
    ASSERT_EQ(RunZip("-r -j \"" + base + "report.zip\" \"" + base + "a.txt\""), 0u);
    const std::string out = dir.File("out\\");
    ASSERT_EQ(Call(kUnZip, "-x -j \"" + base + "report.zip\" \"" + out + "\""), kArchiverDone);
    // Both a.txt members land on one file without their folders; the later one stays.
    EXPECT_EQ(ReadFileBytes(out + "a.txt"), "second");
    WriteFileBytes(out + "b.txt", "newer");
    ASSERT_EQ(Call(kUnZip, "-u -j \"" + base + "report.zip\" \"" + out + "\""), kArchiverDone);
    EXPECT_EQ(ReadFileBytes(out + "b.txt"), "newer");
    ASSERT_TRUE(archive.Open(base + "report.zip"));
    ASSERT_TRUE(ReadZipDirectory(archive, directory, error)) << error;
    EXPECT_EQ(directory.entries.size(), 4u);
    EXPECT_EQ(directory.entries.back().name, "a.txt");
    EXPECT_NE(RunZip("\"" + base + "none\" \"" + base + "missing.txt\""), 0u);
}

// A member of a hand-made archive; `kind` is its tar type, or for LZH and
// ZIP 'C' for a wrong CRC.
struct Member {
    std::string name, data;
    char kind = '0';
};

// 2001-09-09, in each format's own form.
constexpr std::int64_t kUnixTime = 1000000000;
constexpr std::uint32_t kDosTime = 0x2B290000;

// An archive of `members` in the format an archiver reads, with names
// exactly as given: the stand-ins never write such names.
std::string HandMade(const Archiver& a, const std::vector<Member>& members) {
    std::string bytes, directory;
    for (const Member& m : members) {
        if (a.dll == kUnlha.dll) {
            LzhHeader h;
            h.method = "-lh0-";
            h.name = m.name;
            h.unixTime = kUnixTime;
            h.packedSize = h.originalSize = static_cast<std::uint32_t>(m.data.size());
            h.crc = Crc16(0, m.data.data(), m.data.size()) ^ (m.kind == 'C');
            std::string header, error;
            BuildLzhHeader(h, 2, header, error);
            bytes += header + m.data;
        } else if (a.dll == kTar.dll) {
            TarEntry e;
            e.name = m.name;
            e.type = m.kind;
            e.size = m.data.size();
            e.mtime = kUnixTime;
            unsigned char block[kTarBlock];
            std::string error;
            BuildTarHeader(e, block, error);
            bytes += std::string(reinterpret_cast<char*>(block), kTarBlock) + m.data +
                     std::string((kTarBlock - m.data.size() % kTarBlock) % kTarBlock, '\0');
        } else {
            ZipEntry e;
            e.name = m.name;
            e.method = kZipStored;
            e.size = e.packedSize = static_cast<std::uint32_t>(m.data.size());
            e.crc = Crc32(0, m.data.data(), m.data.size()) ^ (m.kind == 'C');
            e.dosTime = kDosTime;
            directory += ZipCentralHeader(e, bytes.size());
            bytes += ZipLocalHeader(e) + m.data;
        }
    }
    if (a.dll == kUnlha.dll) return bytes + '\0';
    if (a.dll == kTar.dll) return bytes + std::string(2 * kTarBlock, '\0');
    return bytes + directory + ZipEndRecord(members.size(), directory.size(), bytes.size());
}

// A file name the archiver takes as it is (UNLHA32 adds ".lzh" to one without).
std::string Named(const Archiver& a, const std::string& stem) {
    return stem + (a.dll == kUnlha.dll ? ".lzh" : a.dll == kTar.dll ? ".tar" : ".zip");
}

std::string UnpackCommand(const Archiver& a, const std::string& archive, const std::string& target) {
    if (a.dll == kUnlha.dll) return "e -xcm0 \"" + archive + "\" \"" + target + "\"";
    if (a.dll == kTar.dll) return "-xvf \"" + archive + "\" -o \"" + target + "\"";
    return "-x \"" + archive + "\" \"" + target + "\"";
}

TEST_F(ArchiversTest, NoMemberLandsOutsideTheTarget) {
    const struct {
        Archiver archiver;
        std::string name;
    } cases[] = {
        {kUnlha, "../evil.txt"},       {kUnlha, "a/../../evil.txt"}, {kUnlha, "\\evil.txt"},
        {kUnlha, "C:evil.txt"},        {kTar, "../evil.txt"},        {kTar, "/evil.txt"},
        {kTar, "x/../../evil.txt"},    {kUnZip, "../evil.txt"},      {kUnZip, "C:/evil.txt"},
        {kUnZip, "..\\evil.txt"},      {kUnZip, "ok.txt:evil.txt"},  {kUnZip, "NUL"},
    };
    const std::string target = dir.File("in\\target\\");
    for (const auto& c : cases) {
        const std::string archive = dir.File(Named(c.archiver, "hostile"));
        WriteFileBytes(archive, HandMade(c.archiver, {{c.name, "evil"}, {"ok.txt", "fine"}}));
        EXPECT_EQ(Call(c.archiver, UnpackCommand(c.archiver, archive, target)), kArchiverUnsafeName)
            << c.archiver.dll << " " << c.name;
        EXPECT_EQ(ReadFileBytes(target + "ok.txt"), "fine") << c.archiver.dll << " " << c.name;
        for (const std::string& escaped : {dir.File("in\\evil.txt"), dir.File("evil.txt"), std::string("C:\\evil.txt"),
                                           target + "evil.txt"})
            EXPECT_FALSE(PathExists(escaped)) << c.archiver.dll << " " << c.name << " wrote " << escaped;
        RemoveTree(dir.File("in"));
    }
    // The self-extractors: the ZIP stub in front of a hostile archive, and
    // the LZH one that "s" makes of another.
    WriteFileBytes(dir.File("hostile.exe"),
                   ReadFileBytes(Dist("sfx.bin")) + HandMade(kUnZip, {{"../evil.txt", "evil"}, {"ok.txt", "fine"}}));
    WriteFileBytes(dir.File("hostile.lzh"), HandMade(kUnlha, {{"../evil.txt", "evil"}, {"ok.txt", "fine"}}));
    ASSERT_EQ(Call(kUnlha, "s -gw -x1 \"" + dir.File("hostile.lzh") + "\" \"" + dir.File("lzh\\") + "\""), kArchiverDone);
    for (const std::string& exe : {dir.File("hostile.exe"), dir.File("lzh\\hostile.exe")}) {
        // argv rules: a backslash before the closing quote would escape it.
        EXPECT_EQ(RunProgram(exe, "x -d \"" + dir.File("in\\target") + "\""), static_cast<DWORD>(kArchiverUnsafeName))
            << exe;
        EXPECT_EQ(ReadFileBytes(target + "ok.txt"), "fine") << exe;
        EXPECT_FALSE(PathExists(dir.File("in\\evil.txt"))) << exe;
        RemoveTree(dir.File("in"));
    }
}

TEST_F(ArchiversTest, DamagedArchivesFailAndLeaveNoHalfFiles) {
    WriteFileBytes(base + "big.txt", [] {
        std::string s;
        for (int i = 0; s.size() < 200000; ++i) s += std::to_string(i * 7919 % 10007) + " ";
        return s;
    }());
    WriteFileBytes(list, "big.txt\r\n");
    ASSERT_EQ(Call(kUnlha, "u -c -jm2 \"" + base + "p.lzh\" \"" + base + "\" \"@" + list + "\""), kArchiverDone);
    ASSERT_EQ(Call(kTar, "-cz6 -f \"" + base + "p.tgz\" -o \"" + base + "\" \"@" + list + "\""), kArchiverDone);
    ASSERT_EQ(RunZip("-j \"" + base + "p.zip\" \"" + base + "big.txt\""), 0u);
    // Cut short, a byte changed in the packed data, and a size that lies.
    const std::vector<std::function<void(std::string&)>> damages = {
        [](std::string& s) { s.resize(s.size() * 3 / 5); },
        [](std::string& s) { s[s.size() / 2] ^= 0x55; },
        [](std::string& s) {
            const std::size_t central = s.find("PK\x01\x02");
            s[central == std::string::npos ? 11 : central + 24] ^= 0x40;
        },
    };
    const struct {
        Archiver archiver;
        const char* file;
    } archives[] = {{kUnlha, "p.lzh"}, {kTar, "p.tgz"}, {kUnZip, "p.zip"}};
    for (const auto& a : archives) {
        for (std::size_t d = 0; d < damages.size(); ++d) {
            if (a.archiver.dll == kTar.dll && d == 2) continue;  // gzip's own lengths cover that
            std::string bytes = ReadFileBytes(base + a.file);
            damages[d](bytes);
            const std::string damaged = dir.File(Named(a.archiver, "damaged"));
            WriteFileBytes(damaged, bytes);
            RemoveTree(dir.File("out"));
            const int result = Call(a.archiver, UnpackCommand(a.archiver, damaged, dir.File("out\\")));
            EXPECT_EQ(result, kArchiverDamaged) << a.file << " damage " << d;
            EXPECT_FALSE(PathExists(dir.File("out\\big.txt"))) << a.file << " damage " << d;
        }
    }
    std::string cut = ReadFileBytes(base + "p.lzh");
    cut.resize(cut.size() / 2);
    WriteFileBytes(dir.File("damaged.lzh"), cut);
    ASSERT_EQ(Call(kUnlha, "s -gw -x1 \"" + dir.File("damaged") + "\" \"" + base + "\" "), kArchiverDamaged);
    EXPECT_FALSE(PathExists(base + "damaged.exe"));
}

// The names in a folder, in the order Wine lists them (by name).
std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    WalkFolder(folder, [&](const std::string& path, const WIN32_FIND_DATAA&) {
        names.push_back(path.substr(folder.size() + 1));
    });
    return names;
}

// A member whose check fails leaves the file it would replace byte for
// byte, and no temporary file beside it: in every format and both
// self-extractors. A .tgz puts nothing in place before its trailer passed.
TEST_F(ArchiversTest, AFailedMemberKeepsTheFileItWouldReplace) {
    const std::vector<Member> spoiled = {{"ok.txt", "fine"}, {"victim.txt", "its new data", 'C'}};
    const std::string tar = HandMade(kTar, {{"ok.txt", "fine"}, {"victim.txt", "its new data"}});
    MemorySink tgz;
    GzipWriter gzip(tgz, 6);
    ASSERT_TRUE(gzip.Write(tar.data(), tar.size()) && gzip.Finish());
    tgz.bytes[tgz.bytes.size() - 8] ^= 1;  // the trailer's CRC
    WriteFileBytes(dir.File("s.lzh"), HandMade(kUnlha, spoiled));
    ASSERT_EQ(Call(kUnlha, "s -gw -x1 \"" + dir.File("s.lzh") + "\" \"" + dir.File("") + "\""), kArchiverDone);
    const std::string target = dir.File("target");
    const std::vector<std::string> both = {"ok.txt", "victim.txt"};
    const struct {
        const Archiver* archiver;  // none: a self-extractor, run
        const char* file;
        std::string bytes;
        std::vector<std::string> left;
        const char* told;
    } cases[] = {
        {&kUnlha, "x.lzh", HandMade(kUnlha, spoiled), both, "CRC error: victim.txt"},
        {&kUnZip, "x.zip", HandMade(kUnZip, spoiled), both, "CRC error: victim.txt"},
        {&kTar, "x.tar", tar.substr(0, tar.find("its new") + 3), both, "truncated archive: victim.txt"},
        {&kTar, "x.tgz", tgz.bytes, {"victim.txt"}, "damaged archive (damaged compressed data: incorrect data check)"},
        {nullptr, "zip.exe", ReadFileBytes(Dist("sfx.bin")) + HandMade(kUnZip, spoiled), both, nullptr},
        {nullptr, "lzh.exe", ReadFileBytes(dir.File("s.exe")), both, nullptr},
    };
    for (const auto& c : cases) {
        WriteFileBytes(dir.File(c.file), c.bytes);
        CreateDirectoryA(target.c_str(), nullptr);
        WriteFileBytes(target + "\\victim.txt", "the user's own file");
        std::string text;
        const int result = c.archiver
                               ? Call(*c.archiver, UnpackCommand(*c.archiver, dir.File(c.file), target + "\\"), &text)
                               : static_cast<int>(RunProgram(dir.File(c.file), "x -d \"" + target + "\""));
        EXPECT_EQ(result, kArchiverDamaged) << c.file;
        if (c.told) {
            EXPECT_EQ(text.substr(0, std::strlen(c.told)), c.told) << c.file;
        }
        EXPECT_EQ(ReadFileBytes(target + "\\victim.txt"), "the user's own file") << c.file;
        EXPECT_EQ(Listing(target), c.left) << c.file;
        RemoveTree(target);
    }
}

// Every member that failed is named with its kind, worst first; a pax name
// is UTF-8, spelt in the system's code page or refused.
TEST_F(ArchiversTest, TheTextNamesEveryFailedMemberWorstFirst) {
    if (GetACP() != 1252) GTEST_SKIP() << "the names are spelt for code page 1252";
    // The names in pax records, as UTF-8.
    const std::string bytes = HandMade(kTar, {{"link", "", '2'},
                                              {"PaxHeader", "16 path=\xE6\x97\xA5.txt\n", 'x'},
                                              {"ascii.name", "e"},
                                              {"PaxHeader", "18 path=caf\xC3\xA9.txt\n", 'x'},
                                              {"ascii.name", "ok"},
                                              {"cut.txt", std::string(600, 'c')}});
    WriteFileBytes(dir.File("kinds.tar"), bytes.substr(0, bytes.size() - 2 * kTarBlock - 424 - 100));
    std::string text;
    EXPECT_EQ(Call(kTar, UnpackCommand(kTar, dir.File("kinds.tar"), dir.File("out\\")), &text), kArchiverUnsafeName);
    EXPECT_EQ(text,
              "refused name: \xE6\x97\xA5.txt (this system cannot spell it)\r\n"
              "truncated archive: cut.txt (the archive ends inside it)\r\nlink: link (links are not unpacked)");
    EXPECT_EQ(Listing(dir.File("out")), std::vector<std::string>{"caf\xE9.txt"});
}

// A file ending in zeros (left as a hole, then given its length) keeps its
// member's time, on which "only newer" depends.
TEST_F(ArchiversTest, AFileEndingInZerosKeepsItsMembersTime) {
    for (const Archiver& a : {kUnlha, kTar, kUnZip}) {
        WriteFileBytes(dir.File(Named(a, "zeros")), HandMade(a, {{"zeros.bin", "x" + std::string(600000, '\0')}}));
        ASSERT_EQ(Call(a, UnpackCommand(a, dir.File(Named(a, "zeros")), dir.File("out\\"))), kArchiverDone);
        WIN32_FIND_DATAA found;
        SYSTEMTIME time{};
        EXPECT_TRUE(FindEntry(dir.File("out\\zeros.bin"), found) && EntrySize(found) == 600001u) << a.dll;
        FileTimeToSystemTime(&found.ftLastWriteTime, &time);
        EXPECT_EQ(time.wYear * 100 + time.wMonth, 200109) << a.dll;
        RemoveTree(dir.File("out"));
    }
}

// A source that cannot be read leaves the earlier archive as it was, and so
// does a file that is no LZH archive (not taken for an empty one).
TEST_F(ArchiversTest, AFailedSourceOrAForeignFileKeepsTheEarlierArchive) {
    const std::string pack = "u -c \"" + base + "l.lzh\" \"" + base + "\" \"@" + list + "\"";
    ASSERT_EQ(Call(kUnlha, pack), kArchiverDone);
    const std::string icon("\0\0\1\0\1\0\x10\x10", 8);
    for (const auto& [earlier, names, told] :
         {std::make_tuple(ReadFileBytes(base + "l.lzh"), "a.txt\r\nmissing.txt", "missing.txt"),
          std::make_tuple(icon, "a.txt", "not an LZH archive")}) {
        WriteFileBytes(base + "l.lzh", earlier);
        WriteFileBytes(base + "a.txt", "changed, so that a new archive would differ");
        WriteFileBytes(list, names);
        std::string text;
        EXPECT_NE(Call(kUnlha, pack, &text), kArchiverDone);
        EXPECT_NE(text.find(told), std::string::npos) << text;
        EXPECT_EQ(ReadFileBytes(base + "l.lzh"), earlier);
    }
}

}  // namespace
