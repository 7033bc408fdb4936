#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "Exceptions.h"
#include "StrUtils.h"
#include "StringList.h"

TEST(StringList, ReadsAnyLineEndAndWritesCrLf) {
    struct Case {
        std::string in;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"\r\n", {""}},
    };
    for (const auto& c : cases) {
        TStringList l;
        l.SetText(c.in);
        EXPECT_EQ(l.Items(), c.lines) << c.in;
    }
    TStringList l;
    l.Add("x");
    l.Add("");
    l.Add("y");
    EXPECT_EQ(l.Text(), "x\r\n\r\ny\r\n");
}

TEST(StringList, IndexingOutsideTheListRaises) {
    TStringList l;
    l.Add("a");
    EXPECT_THROW(l[1], EListError);
    EXPECT_THROW(l.Delete(-1), EListError);
    l.Insert(1, "end");
    l.Insert(0, "start");
    EXPECT_EQ(l.Items(), (std::vector<std::string>{"start", "a", "end"}));
    EXPECT_EQ(l.IndexOf("A"), -1);
    EXPECT_EQ(l.IndexOfText("A"), 1);
}

TEST(StringList, FilesRoundTripAndMissingFilesRaise) {
    const std::string path = testing::TempDir() + "mivora_core_list.txt";
    TStringList l;
    l.Add("c:\\one");
    l.Add("c:\\two");
    l.SaveToFile(path);
    TStringList back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.Items(), l.Items());
    std::remove(path.c_str());
    EXPECT_THROW(back.LoadFromFile(path), EFOpenError);
    EXPECT_THROW(l.SaveToFile(testing::TempDir() + "no/such/dir/x.txt"), EFCreateError);
}

namespace {
// The disk fills up after `bytes` bytes of any file, until the scope ends:
// writes beyond that fail as they do on a full disk.
class FullDiskAfter {
public:
    explicit FullDiskAfter(rlim_t bytes) : previous_(signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        const rlimit limit{bytes, saved_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDiskAfter() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, previous_);
    }

private:
    void (*previous_)(int);
    rlimit saved_{};
};

std::string FileText(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
}  // namespace

TEST(StringList, ASaveThatRunsOutOfDiskKeepsTheOldFileWhole) {
    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "mivora_core_full";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "files.lst").string();
    TStringList old;
    old.Add("c:\\kept");
    old.SaveToFile(path);
    // A file of the user's under the first temporary name is never touched.
    std::ofstream(dir / "files.lst.tmp", std::ios::binary) << "mine";
    // Short enough to sit in the write buffer until the close, and longer.
    for (int lines : {20, 20000}) {
        TStringList longer;
        for (int i = 0; i < lines; ++i) longer.Add("c:\\folder\\file" + IntToStr(i));
        {
            FullDiskAfter full(64);
            EXPECT_THROW(longer.SaveToFile(path), EFCreateError) << lines;
        }
        EXPECT_EQ(FileText(path), "c:\\kept\r\n") << lines;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2) << lines;
    }
    old.Add("c:\\more");
    old.SaveToFile(path);
    EXPECT_EQ(FileText(path), old.Text());
    EXPECT_EQ(FileText(dir / "files.lst.tmp"), "mine");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2);
    std::filesystem::remove_all(dir);
}

TEST(StrUtils, IntegersParseStrictlyWithinRange) {
    EXPECT_EQ(StrToInt(" 42 "), 42);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(StrToInt("+7"), 7);
    for (const char* bad : {"", "-", "4x", "2147483648", "1 2", "0x10"}) {
        EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
        EXPECT_EQ(StrToIntDef(bad, -9), -9) << bad;
    }
    try {
        StrToInt("abc");
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
    }
    EXPECT_EQ(UpperCaseAscii("ab\xE9z"), "AB\xE9Z");
    EXPECT_TRUE(SameTextAscii("Notes.LNK", "notes.lnk"));
    EXPECT_EQ(IncludeTrailingBackslash("c:\\x"), "c:\\x\\");
    EXPECT_EQ(IncludeTrailingBackslash(""), "");
}
