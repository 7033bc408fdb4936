#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/core/FileReplace.h"
#include "framework/core/StrUtils.h"
#include "framework/core/StringList.h"
#include "framework/core/TempFolder.h"

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

// A rewrite leaves the new content or the old, never a part of either, and no
// temporary file; a user's file under the first temporary name stays as it is.
TEST(FileReplace, ARewriteLeavesTheNewFileOrTheOldOneWhole) {
    enum Trouble { kNone, kNameTaken, kFolderRefuses, kWriterFails, kShortWrite, kCloseFails, kTargetIsAFolder };
    const struct {
        const char* what;
        Trouble trouble;
        RewriteResult result;
    } cases[] = {
        {"replaced", kNone, RewriteResult::Written},
        {"first temporary name taken", kNameTaken, RewriteResult::Written},
        {"folder refuses new files", kFolderRefuses, RewriteResult::CannotCreate},
        {"writer gives up", kWriterFails, RewriteResult::CannotWrite},
        {"disk full while writing", kShortWrite, RewriteResult::CannotWrite},
        {"disk full at the close", kCloseFails, RewriteResult::CannotWrite},
        {"a folder in the target's place", kTargetIsAFolder, RewriteResult::CannotWrite},
    };
    const std::filesystem::path dir = TempFolder() + "mivora_rewrite";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir / "sub");
        std::filesystem::path target = dir / "files.lst";
        std::ofstream(target, std::ios::binary) << "old";
        if (c.trouble == kNameTaken) std::ofstream(dir / "files.lst.tmp", std::ios::binary) << "mine";
        if (c.trouble == kFolderRefuses) target = dir / "gone" / "files.lst";
        if (c.trouble == kTargetIsAFolder) target = dir / "sub";
        // Larger than the write buffer, or small enough to meet the disk only at the close.
        const std::string data(c.trouble == kShortWrite ? 1 << 20 : 200, 'n');
        RewriteResult result;
        {
            std::optional<FullDiskAfter> full;
            if (c.trouble == kShortWrite || c.trouble == kCloseFails) full.emplace(64);
            result = WriteFileReplacing(target.string(), [&](std::FILE* f) {
                return c.trouble != kWriterFails && std::fwrite(data.data(), 1, data.size(), f) == data.size();
            });
        }
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(FileText(dir / "files.lst"), c.trouble == kNone || c.trouble == kNameTaken ? data : "old");
        std::set<std::string> left;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) left.insert(entry.path().filename());
        EXPECT_EQ(left, (c.trouble == kNameTaken ? std::set<std::string>{"files.lst", "files.lst.tmp", "sub"}
                                                 : std::set<std::string>{"files.lst", "sub"}));
        if (c.trouble == kNameTaken) EXPECT_EQ(FileText(dir / "files.lst.tmp"), "mine");
    }
    std::filesystem::remove_all(dir);
}

// Characters, not bytes, count: a double-byte one is one character of the path.
TEST(FileReplace, ATemporaryNameIsNeverLongerThanItsTarget) {
    const struct {
        std::string target;
        unsigned number;
        std::string name;
    } cases[] = {
        {"a", 7, "~"},
        {"ab.c", 35, "~00z"},
        {"abcdefghij", 36, "~000000010"},
        {"abcdefghijk", 12345, "~dv2345.tmp"},
        {"\x95\x5C\x95\x5C\x95\x5C", 1, "~01"},
        {"\x95\x5C\x95\x5C\x95\x5C\x95\x5C\x95\x5C\x95\x5C", 2, "~00002"},
    };
    for (const auto& c : cases) EXPECT_EQ(TemporaryNameBeside(c.target, "~dv", c.number, Cp932LeadByte), c.name);
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
