// The backup copy engine over real files in a temporary tree, and the paths a
// run refuses. Drives are folders of the tree (see PosixEngineFiles).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "backup/core/BackupPaths.h"
#include "backup/core/CopyEngine.h"
#include "backup/core/CopySummary.h"
#include "tests/native/PosixEngineFiles.h"

using namespace backup;

namespace {

constexpr std::uint64_t kTicks = 10000000;

class Events : public CopyEvents {
public:
    std::uint64_t stopAfterChecks = UINT64_MAX;  // stop requests answered "no" before a "yes"
    bool create = true;
    std::vector<ReplaceAnswer> answers;  // one per question, then Yes
    std::vector<std::string> asked;
    std::vector<int> percents;
    bool StopRequested() override { return stopAfterChecks-- == 0; }
    void Percent(int p) override { percents.push_back(p); }
    bool CreateDestination(const std::string&) override { return create; }
    ReplaceAnswer ConfirmReplace(const std::string& file, const std::string&) override {
        asked.push_back(file);
        return asked.size() <= answers.size() ? answers[asked.size() - 1] : ReplaceAnswer::Yes;
    }
};

class BackupEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/backup-engine-XXXXXX";
        root = mkdtemp(pattern);
        files = std::make_unique<PosixEngineFiles>(root);
        files->MakeFolder("C:\\");
        files->MakeFolder("D:\\bk");
    }
    void TearDown() override { std::system(("chmod -R u+w '" + root + "'; rm -rf '" + root + "'").c_str()); }

    // A file with its content and a time in seconds since 1970.
    void Put(const std::string& path, const std::string& text, long seconds = 1000000) {
        const std::string host = files->Host(path);
        files->MakeFolder(path.substr(0, path.rfind('\\')));
        std::ofstream(host, std::ios::binary) << text;
        const utimbuf times{seconds, seconds};
        utime(host.c_str(), &times);
    }
    std::string Get(const std::string& path) {
        std::ifstream in(files->Host(path), std::ios::binary);
        if (!in) return "<none>";
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // Every file under a folder, relative path to content.
    std::map<std::string, std::string> Tree(const std::string& folder) {
        std::map<std::string, std::string> out;
        std::vector<FolderEntry> entries;
        int error = 0;
        files->ListFolder(folder, entries, error);
        for (const FolderEntry& e : entries) {
            if (e.stat.folder) {
                for (const auto& [name, text] : Tree(folder + "\\" + e.name)) out[e.name + "\\" + name] = text;
            } else {
                out[e.name] = Get(folder + "\\" + e.name);
            }
        }
        return out;
    }
    CopyOutcome Run(CopyRequest request) { return RunCopy(*files, request, events, SingleByteCodePage); }

    std::string root;
    std::unique_ptr<PosixEngineFiles> files;
    Events events;
};

TEST(BackupRulesTest, ExtensionFilterModes) {
    const struct {
        const char* name;
        int mode;
        const char* list;
        bool passes;
    } cases[] = {
        {"report.txt", 0, "", true},
        {"report.txt", 1, ".txt;.doc", true},
        {"report.txt", 2, ".txt;.doc", false},
        {"notes", 1, ".txt", false},
        {"notes", 1, ".txt;.*", true},
        {"archive.tar.gz", 1, ".gz", false},
        {"archive.tar.gz", 1, ".tar.gz", true},
        {"REPORT.TXT", 1, ".txt", false},
        {"report.txt", 3, ".txt", false},
    };
    for (const auto& c : cases) EXPECT_EQ(MatchExtensionFilter(c.name, c.mode, c.list), c.passes) << c.name << c.mode;
}

TEST(BackupRulesTest, ComparisonAndDirection) {
    const FileStat base{false, 100, 500 * kTicks, 0};
    const FileStat newer{false, 100, 600 * kTicks, 0}, older{false, 100, 400 * kTicks, 0};
    const FileStat resized{false, 101, 500 * kTicks + 3, 0};  // same second, other size
    const auto B = CopyDirection::Backup, R = CopyDirection::Restore;
    const auto Skip = FileDecision::Skip, Copy = FileDecision::Copy;
    const struct {
        FileStat source;
        const FileStat* existing;
        bool skip;
        int compare;
        CopyDirection direction;
        FileDecision expected;
    } cases[] = {
        {base, nullptr, true, 1, B, FileDecision::Absent},
        {base, &base, true, 1, B, Skip},
        {base, &base, false, 0, B, Copy},
        {newer, &base, true, 1, B, Copy},
        {older, &base, true, 1, B, Skip},
        {resized, &base, true, 1, B, Copy},
        {older, &base, false, 0, B, Copy},
        // Restore: the destination is live; an edited live file is rolled back.
        {older, &base, true, 1, R, Copy},
        {newer, &base, true, 1, R, Skip},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompareFileState(c.source, c.existing, c.skip, c.compare, c.direction), c.expected) << &c - cases;
}

TEST(BackupRulesTest, ReplaceQuestionTexts) {
    EXPECT_EQ(FormatReplaceHeader("named ' %s'.", "C:\\data\\report.txt", SingleByteCodePage), "named ' report.txt'.");
    const FileFacts existing{5000, 2024, 3, 9, 7, 5, 1}, replacement{5ull << 30, 2025, 12, 31, 23, 59, 58};
    EXPECT_EQ(FormatReplaceDetail("%d %d/%d/%d %d:%d:%d|%d %d/%d/%d %d:%d:%d", existing, replacement),
              "4 3/9/2024 7:5:1|5242880 12/31/2025 23:59:58");
    for (auto [bytes, kb] : {std::pair<std::uint64_t, std::uint64_t>{0, 1}, {1500, 1}, {2047, 1}, {2048, 2}})
        EXPECT_EQ(SizeInKB(bytes), kb) << bytes;
}

TEST(BackupPathsTest, RestoreFolders) {
    const struct {
        const char* source;
        const char* dest;
        const char* from;
        const char* to;
    } cases[] = {
        {"C:\\data\\proj\\", "D:\\bk", "D:\\bk\\proj\\", "C:\\data\\"},  // a typed folder gets its backslash
        {"C:\\data\\proj", "D:\\bk\\", "D:\\bk\\proj\\", "C:\\data\\"},
        {"C:\\", "D:\\bk\\", "D:\\bk\\", "C:\\"},
        {"C:\\\x95\x5c", "D:\\", "D:\\\x95\x5c\\", "C:\\"},  // the trail byte of "表" is no backslash
    };
    for (const auto& c : cases) {
        const RestorePaths r = RestoreFor(c.source, c.dest, Cp932LeadByte);
        EXPECT_EQ(r.from + "|" + r.to, std::string(c.from) + "|" + c.to);
    }
}

TEST(BackupPathsTest, RunPathChecks) {
    const auto exists = [](const std::string& p) {
        return p.rfind("C:\\file", 0) != 0 && p.find("gone") == std::string::npos;
    };
    const struct {
        const char* source;
        const char* dest;
        PathProblem expected;
    } cases[] = {
        {"", "", PathProblem::SourceEmpty},
        {"C:\\data", "", PathProblem::DestinationEmpty},
        {"C:\\data\\", "c:\\DATA", PathProblem::SamePaths},
        {"C:\\data\\", "c:\\DATA\\bk\\", PathProblem::DestinationInsideSource},
        {"C:\\data\\proj", "C:\\data", PathProblem::DestinationInsideSource},  // onto itself
        {"C:\\", "C:\\bk", PathProblem::DestinationInsideSource},
        {"C:\\data", "C:\\database", PathProblem::None},
        {"C:\\file.txt", "D:\\bk", PathProblem::SourceMissing},
        {"C:\\data", "D:\\gone", PathProblem::DestinationMissing},
    };
    for (const auto& c : cases) {
        const PathProblem problem = CheckRunPaths(c.source, c.dest, exists, SingleByteCodePage);
        EXPECT_EQ(problem, c.expected) << c.source << " " << c.dest;
    }
}

TEST_F(BackupEngineTest, RunsByFilterSubfoldersAndOperation) {
    const struct {
        bool subfolders;
        int operation;
        int extMode;
        const char* extList;
        std::map<std::string, std::string> expected;  // data\ in the backup afterwards
    } cases[] = {
        {true,
         0,
         0,
         "",
         {{"a.txt", "new"},
          {".profile", "p"},
          {"Same.doc", "s"},
          {"old.txt", "live-old"},
          {"sub\\b.bin", "b"},
          {".git\\HEAD", "h"}}},
        // Modified only: the older live file and the identical one stay.
        {true,
         1,
         0,
         "",
         {{"a.txt", "new"},
          {".profile", "p"},
          {"Same.doc", "s"},
          {"old.txt", "backup-newer"},
          {"sub\\b.bin", "b"},
          {".git\\HEAD", "h"}}},
        {false, 1, 1, ".txt", {{"a.txt", "new"}, {"old.txt", "backup-newer"}, {"Same.doc", "s"}}},
        {true,
         1,
         2,
         ".txt",
         {{"old.txt", "backup-newer"}, {"Same.doc", "s"}, {".profile", "p"}, {"sub\\b.bin", "b"}, {".git\\HEAD", "h"}}},
    };
    for (const auto& c : cases) {
        std::system(("rm -rf '" + root + "/C' '" + root + "/D'").c_str());
        Put("C:\\data\\a.txt", "new", 2000000);
        Put("C:\\data\\.profile", "p");
        Put("C:\\data\\Same.doc", "s");
        Put("C:\\data\\old.txt", "live-old", 1000);
        Put("C:\\data\\sub\\b.bin", "b");
        Put("C:\\data\\.git\\HEAD", "h");
        Put("D:\\bk\\data\\same.DOC", "s");  // the same file under other letter case
        Put("D:\\bk\\data\\old.txt", "backup-newer", 5000);
        const CopyOutcome out = Run({"C:\\data", "D:\\bk\\", c.subfolders, c.operation, c.extMode, c.extList});
        std::map<std::string, std::string> expected = c.expected;
        expected["same.DOC"] = expected["Same.doc"];
        expected.erase("Same.doc");
        EXPECT_EQ(Tree("D:\\bk\\data"), expected) << &c - cases;
        EXPECT_EQ(out.status, CopyStatus::Done);
        EXPECT_EQ(out.copied, out.toCopy);
        EXPECT_TRUE(out.failures.empty());
    }
    // The copies keep their times: a second "Modified files only" finds nothing.
    Run({"C:\\data", "D:\\bk", true, 1});
    const CopyOutcome again = Run({"C:\\data", "D:\\bk", true, 1});
    EXPECT_EQ(again.toCopy, 0u);
    EXPECT_TRUE(events.percents.size() > 1 && events.percents.back() == 100);
}

TEST_F(BackupEngineTest, RestoreAndDriveRoot) {
    Put("C:\\top.txt", "t");
    Put("C:\\f\\deep.txt", "d");
    EXPECT_EQ(Run({"C:\\", "D:\\bk"}).copied, 2u);
    EXPECT_EQ(Tree("D:\\bk"), (std::map<std::string, std::string>{{"top.txt", "t"}, {"f\\deep.txt", "d"}}));
    // The live file was edited after the backup: a restore rolls it back.
    Put("C:\\f\\deep.txt", "edited", 3000000);
    const CopyOutcome restored = Run({"D:\\bk\\f\\", "C:\\", true, 1, 0, "", CopyDirection::Restore});
    EXPECT_EQ(restored.copied, 1u);
    EXPECT_EQ(Get("C:\\f\\deep.txt"), "d");
}

TEST_F(BackupEngineTest, RefusedRuns) {
    Put("C:\\data\\x", "x");
    Put("D:\\file", "f");
    const struct {
        const char* source;
        const char* dest;
        bool create;
        CopyStatus expected;
    } cases[] = {
        {"C:\\data", "c:\\DATA\\", true, CopyStatus::TargetInsideSource},
        {"C:\\data\\x", "D:\\bk", true, CopyStatus::NoSource},
        {"C:\\data", "D:\\file", true, CopyStatus::NoDestination},
        {"C:\\data", "D:\\new", false, CopyStatus::NoDestination},
    };
    for (const auto& c : cases) {
        events.create = c.create;
        EXPECT_EQ(Run({c.source, c.dest}).status, c.expected) << c.source << " " << c.dest;
    }
    EXPECT_EQ(Tree("C:\\data").size(), 1u);
    EXPECT_EQ(Get("D:\\new\\data\\x"), "<none>");
    events.create = true;
    EXPECT_EQ(Run({"C:\\data", "D:\\new\\deeper"}).copied, 1u);
}

TEST_F(BackupEngineTest, FailedAndCancelledCopiesKeepTheOldCopy) {
    Put("C:\\data\\big", std::string(3 << 20, 'n'), 2000000);
    Put("C:\\data\\fresh", std::string(3 << 20, 'f'), 2000000);
    Put("D:\\bk\\data\\big", "old");
    files->failWrites = {"D:\\bk\\data\\~01", "D:\\bk\\data\\fresh"};
    files->writeLimit = 1 << 20;
    const CopyOutcome failed = Run({"C:\\data", "D:\\bk"});
    EXPECT_EQ(failed.copied, 0u);
    ASSERT_EQ(failed.failures.size(), 2u);
    EXPECT_EQ(failed.failures[0].error + failed.failures[1].error, 2 * ENOSPC);
    EXPECT_EQ(Tree("D:\\bk\\data"), (std::map<std::string, std::string>{{"big", "old"}}));
    // Cancelled within the first file's second megabyte.
    files->failWrites.clear();
    events.stopAfterChecks = 6;
    const CopyOutcome stopped = Run({"C:\\data", "D:\\bk"});
    EXPECT_EQ(stopped.status, CopyStatus::Stopped);
    EXPECT_TRUE(stopped.failures.empty());
    EXPECT_EQ(Tree("D:\\bk\\data"), (std::map<std::string, std::string>{{"big", "old"}}));
}

TEST_F(BackupEngineTest, ConfirmedReplacementsAndReadOnlyCopies) {
    for (const char* name : {"a", "b", "c"}) {
        Put(std::string("C:\\s\\") + name, "new");
        Put(std::string("D:\\bk\\s\\") + name, "old");
    }
    Put("C:\\s\\d", "new");
    chmod(files->Host("C:\\s\\d").c_str(), 0444);
    events.answers = {ReplaceAnswer::No, ReplaceAnswer::All};
    const CopyOutcome out = Run({"C:\\s", "D:\\bk", true, 2});
    EXPECT_EQ(events.asked.size(), 2u);  // "All" answers the rest
    EXPECT_EQ(out.copied, 3u);
    std::map<std::string, std::string> expected{{"a", "new"}, {"b", "new"}, {"c", "new"}, {"d", "new"}};
    expected[events.asked[0].substr(5)] = "old";
    EXPECT_EQ(Tree("D:\\bk\\s"), expected);
    FileStat stat;
    ASSERT_TRUE(files->Stat("D:\\bk\\s\\d", stat));
    EXPECT_EQ(stat.attributes & kAttrReadOnly, kAttrReadOnly);
    EXPECT_EQ(stat.writeTime / kTicks, PosixEngineFiles::kEpochTicks / kTicks + 1000000);
}

TEST_F(BackupEngineTest, AFailedRenameAfterTheOldCopyWentKeepsTheNewData) {
    Put("C:\\s\\a.txt", "new", 2000000);
    Put("D:\\bk\\s\\a.txt", "old");
    files->failRenames = {"D:\\bk\\s\\a.txt"};
    const CopyOutcome out = Run({"C:\\s", "D:\\bk"});
    EXPECT_EQ(Tree("D:\\bk\\s"), (std::map<std::string, std::string>{{"~0001", "new"}}));
    // The summary names it and no longer says that the earlier copies were kept.
    const std::string summary = CopySummaryText(out, [](int) { return std::string(); });
    EXPECT_NE(summary.find("a.txt (the earlier copy is gone; the new one is D:\\bk\\s\\~0001)"), std::string::npos);
    EXPECT_EQ(summary.find("were kept."), std::string::npos) << summary;
}

// Links back up the tree, to its top and to the backup itself, marked as
// links or not: none is entered, each is named once.
TEST_F(BackupEngineTest, FolderLinksAndLoopsArePassedOverAndNamed) {
    Put("C:\\src\\p\\f.txt", "f");
    for (const auto& [name, to] :
         {std::pair<const char*, std::string>{"loop", "."}, {"up", ".."}, {"bk", root + "/D/bk"}})
        ASSERT_EQ(symlink(to.c_str(), files->Host(std::string("C:\\src\\p\\") + name).c_str()), 0);
    for (const bool unmarked : {false, true}) {
        files->unmarkedLinks = unmarked;
        const CopyOutcome out = Run({"C:\\src", "D:\\bk"});
        EXPECT_EQ(Tree("D:\\bk\\src"), (std::map<std::string, std::string>{{"p\\f.txt", "f"}}));
        EXPECT_EQ(out.passedOver.size(), 3u);
        for (const PassedOver& p : out.passedOver)
            EXPECT_EQ(p.kind, unmarked ? PassedOverKind::FolderSeen : PassedOverKind::FolderLink) << p.path;
    }
}

// The twin whose copy is there by its exact name keeps it, whichever is
// listed first; the other never lands on it and is named on every run.
TEST_F(BackupEngineTest, LetterCaseTwinsNeverOverwriteEachOther) {
    Put("C:\\src\\Report.txt", "upper");
    Put("C:\\src\\report.txt", "lower");
    for (const std::string kept : {"Report.txt", "report.txt"}) {
        std::system(("rm -rf '" + root + "/D/bk/src'").c_str());
        Put("D:\\bk\\src\\" + kept, "old");
        for (int run = 0; run < 2; ++run) {
            const CopyOutcome out = Run({"C:\\src", "D:\\bk", true, 0});
            EXPECT_EQ(Tree("D:\\bk\\src"),
                      (std::map<std::string, std::string>{{kept, kept == "report.txt" ? "lower" : "upper"}}));
            ASSERT_EQ(out.passedOver.size(), 1u);
            EXPECT_NE(out.passedOver[0].path, "C:\\src\\" + kept);
        }
    }
}

}  // namespace
