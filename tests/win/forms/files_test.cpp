#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/core/StringList.h"
#include "framework/forms/SysUtils.h"
#include "tests/win/support/TestSupport.h"

TEST(FileSearch, MaskSkipsHiddenSystemAndFolderEntriesOutsideIt) {
    TempDir t;
    WriteFileBytes(t.File("plain.txt"), "p");
    WriteFileBytes(t.File("hidden.txt"), "h");
    SetFileAttributesA(t.File("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    CreateDirectoryA(t.File("folder").c_str(), nullptr);
    auto names = [&](int attr) {
        std::vector<std::string> out;
        TSearchRec r;
        for (int rc = FindFirst(t.Path() + "*.*", attr, r); rc == 0; rc = FindNext(r))
            if (r.Name[0] != '.') out.push_back(r.Name);
        FindClose(r);
        FindClose(r);  // closing twice is harmless
        return out;
    };
    EXPECT_EQ(names(faArchive), std::vector<std::string>{"plain.txt"});
    EXPECT_EQ(names(faAnyFile), (std::vector<std::string>{"folder", "hidden.txt", "plain.txt"}));
    EXPECT_EQ(names(faDirectory), (std::vector<std::string>{"folder", "plain.txt"}));

    TSearchRec none;
    EXPECT_NE(FindFirst(t.Path() + "nothing*", faAnyFile, none), 0);
}

TEST(Files, ForceDirectoriesBuildsNestedFoldersAndStopsAtRoots) {
    TempDir t;
    EXPECT_TRUE(ForceDirectories(t.File("x\\y\\z\\")));
    EXPECT_TRUE(DirectoryExists(t.File("x\\y\\z")));
    EXPECT_TRUE(ForceDirectories("C:\\"));
    EXPECT_TRUE(ForceDirectories("C:"));
    EXPECT_FALSE(ForceDirectories(""));
    WriteFileBytes(t.File("file"), "f");
    EXPECT_FALSE(ForceDirectories(t.File("file\\below")));
}

TEST(Files, PathPartsAndProgramFolder) {
    EXPECT_EQ(ExtractFilePath("c:\\a\\b.txt"), "c:\\a\\");
    EXPECT_EQ(ExtractFileName("c:\\a\\b.txt"), "b.txt");
    EXPECT_EQ(ExtractFileExt("c:\\a.d\\b"), "");
    EXPECT_EQ(ExtractFileExt("c:\\a\\b.tar.gz"), ".gz");
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_TRUE(FileExists(folder + "forms_tests.exe"));
    EXPECT_GT(DiskSize("C:\\"), 0);
    EXPECT_EQ(DiskSize("Q:\\"), -1);
}

// A list file is replaced whole or not at all, through a new file beside it;
// a file of the user's under the temporary name stays as it is.
TEST(Files, AListSaveReplacesTheFileWholeOrLeavesItAsItWas) {
    TempDir t;
    const std::string path = t.File("files.lst");
    WriteFileBytes(path, "old\r\n");
    WriteFileBytes(path + ".tmp", "mine");
    TStringList list;
    list.Add("c:\\a");
    list.Add("c:\\b");
    list.SaveToFile(path);
    EXPECT_EQ(ReadFileBytes(path), "c:\\a\r\nc:\\b\r\n");
    EXPECT_EQ(ReadFileBytes(path + ".tmp"), "mine");
    EXPECT_EQ(GetFileAttributesA((path + ".tmp1").c_str()), INVALID_FILE_ATTRIBUTES);
    list.Add("c:\\c");
    const struct {
        const char* how;
        DWORD share;
        DWORD attributes;
    } refusals[] = {
        {"held by another program", FILE_SHARE_READ, FILE_ATTRIBUTE_NORMAL},
        {"read-only", FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_ATTRIBUTE_READONLY},
    };
    for (const auto& r : refusals) {
        SetFileAttributesA(path.c_str(), r.attributes);
        HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, r.share, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE) << r.how;
        EXPECT_THROW(list.SaveToFile(path), EFCreateError) << r.how;
        CloseHandle(held);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadFileBytes(path), "c:\\a\r\nc:\\b\r\n") << r.how;
        EXPECT_EQ(GetFileAttributesA((path + ".tmp1").c_str()), INVALID_FILE_ATTRIBUTES) << r.how;
    }
    EXPECT_EQ(ReadFileBytes(path + ".tmp"), "mine");
}
