// Piece names, the split preview, piece series on disk and the join list rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "splitjoin/core/JoinItems.h"
#include "splitjoin/core/PieceNames.h"
#include "splitjoin/core/PieceSeries.h"
#include "splitjoin/core/ShortcutNames.h"

using namespace splitjoin;

namespace {

constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;

bool SameTextAscii(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

TEST(PieceNames, NumbersCarryAtLeastThreeDigits) {
    const std::vector<std::pair<std::uint64_t, std::string>> cases = {
        {0, "000"}, {1, "001"}, {9, "009"}, {10, "010"}, {99, "099"}, {100, "100"}, {999, "999"}, {1000, "1000"},
        {123456789012ull, "123456789012"}};
    for (const auto& [n, text] : cases) EXPECT_EQ(PieceNumberText(n), text);
    // 120 pieces run .001 to .099, then .100 to .120.
    const std::string prefix = PiecePrefix("D:\\Out", "C:\\Data\\movie.avi", Cp932LeadByte);
    EXPECT_EQ(prefix, "D:\\Out\\movie.");
    EXPECT_EQ(PieceName(prefix, 99), "D:\\Out\\movie.099");
    EXPECT_EQ(PieceName(prefix, 120), "D:\\Out\\movie.120");
    EXPECT_EQ(PiecePrefix("D:\\Out\\", "C:\\Data\\movie", Cp932LeadByte), "D:\\Out\\movie.");
    EXPECT_EQ(PiecePrefix("D:\\Out\\", "C:\\a.b\\movie", Cp932LeadByte), "D:\\Out\\movie.");
    EXPECT_EQ(PiecePrefix("D:\\Out\\", "C:\\x\\movie.tar.gz", Cp932LeadByte), "D:\\Out\\movie.tar.");
}

TEST(PieceNames, CountAndPercentStayRightBeyond4GiB) {
    const std::uint64_t p1440 = 1440 * 1024;
    EXPECT_EQ(PieceCount(3000000, p1440), 3u);
    EXPECT_EQ(PieceCount(2949120, p1440), 3u);  // exact multiple: an empty last piece
    EXPECT_EQ(PieceCount(0, p1440), 1u);
    EXPECT_EQ(PieceCount(100, p1440), 1u);
    EXPECT_EQ(PieceCount(4 * kGiB + 100, 32767 * 1024ull), 129u);
    EXPECT_EQ(PieceCount(4 * kGiB, 4 * kGiB), 2u);

    EXPECT_EQ(PiecePercent(1, p1440, 3000000), 49);
    EXPECT_EQ(PiecePercent(2, p1440, 3000000), 98);
    EXPECT_EQ(PiecePercent(3, p1440, 3000000), 147);
    // An empty source divided by nothing; a size that wraps to 0 in 32 bits.
    EXPECT_EQ(PiecePercent(1, p1440, 0), 100);
    EXPECT_EQ(PiecePercent(1, 2 * kGiB, 4 * kGiB), 50);
    EXPECT_EQ(PiecePercent(1, 32767 * 1024ull, 1), INT_MAX);
    EXPECT_EQ(ProgressPercent(3 * kGiB, 6 * kGiB), 50);
    EXPECT_EQ(ProgressPercent(5, 0), 100);
    EXPECT_EQ(ProgressPercent(UINT64_MAX, UINT64_MAX), 100);
    EXPECT_EQ(ProgressPercent(UINT64_MAX / 4, UINT64_MAX), 25);
}

TEST(PieceNames, PreviewTable) {
    struct Case {
        std::uint64_t length;
        int kb;
        bool cabinet;
        std::string text;
    };
    const std::vector<Case> cases = {
        {3000000, 1440, false, "movie.001 ~ movie.003"},
        {2949120, 1440, false, "movie.001 ~ movie.003"},
        {100, 1440, false, "movie.001"},
        {0, 1440, false, "movie.001"},
        {11 * 1024 * 100 + 5, 100, true, "movie1.cab ~ movie12.cab"},
        {149 * 1024, 1, false, "movie.001 ~ movie.150"},
        {1199 * 1024, 1, false, "movie.001 ~ movie.1200"},
        {8 * 1024, 1, false, "movie.001 ~ movie.009"},
        {100, 1440, true, "movie1.cab"},
        // Out-of-range sizes are clamped to 1 and 32767 KB.
        {3 * 1024, 0, false, "movie.001 ~ movie.004"},
        {3 * 1024, -5, false, "movie.001 ~ movie.004"},
        {32767 * 1024ull * 2, 40000, false, "movie.001 ~ movie.003"},
        // 5 GiB at 1.44 MB: the count is not cut to 32 bits.
        {5 * kGiB, 1440, false, "movie.001 ~ movie.3641"},
    };
    for (const Case& c : cases) EXPECT_EQ(PreviewText("movie", c.length, c.kb, c.cabinet), c.text) << c.length;
}

TEST(PieceNames, CaptionBaseAndCabinetCommand) {
    EXPECT_EQ(CaptionBase("C:\\Data\\movie.avi", Cp932LeadByte), "movie.avi -> movie.");
    EXPECT_EQ(CaptionBase("C:\\Data\\README", Cp932LeadByte), "README -> README.");
    EXPECT_EQ(CaptionBase("C:\\a.b\\x.tar.gz", Cp932LeadByte), "x.tar.gz -> x.tar.");
    EXPECT_EQ(BuildCabCommand("C:\\Data\\movie.avi", 1440, Cp932LeadByte),
              "-a -ml:21 -v:1440 \"C:\\Data\\movie\" \"C:\\Data\\movie.avi\"");
    // A dot in a folder name is no extension.
    EXPECT_EQ(BuildCabCommand("C:\\v1.0\\data", 640, Cp932LeadByte),
              "-a -ml:21 -v:640 \"C:\\v1.0\\data\" \"C:\\v1.0\\data\"");
    EXPECT_EQ(CabVolumeName("C:\\Data\\movie", 12), "C:\\Data\\movie12.cab");
}

// A fake folder: the set of existing paths.
struct FakeDisk {
    std::set<std::string> files;
    FileExistsFn Exists() const {
        return [this](const std::string& p) { return files.count(p) != 0; };
    }
    SiblingsFn Siblings() const {
        return [this](const std::string& prefix) {
            std::vector<std::string> found;
            for (const std::string& f : files)
                if (f.size() >= prefix.size() && SameTextAscii(f.substr(0, prefix.size()), prefix)) found.push_back(f);
            return found;
        };
    }
};

TEST(PieceSeries, RecognisesPieceNames) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"C:\\d\\movie.001", true},  {"C:\\d\\movie.7", true},   {"C:\\d\\movie.", true},
        {"C:\\d\\movie.avi", false}, {"C:\\d\\movie", false},    {"C:\\d.001\\movie", false},
        {"C:\\d\\m.01a", false},     {"C:\\d\\m.123456789", true}, {"C:\\d\\m.1234567890", false},
        {"C:\\d\\m.99999999999999999999999", false},
    };
    for (const auto& [path, piece] : cases) EXPECT_EQ(IsPieceName(path, Cp932LeadByte), piece) << path;
}

TEST(PieceSeries, StepsKeepTheWidth) {
    FakeDisk disk;
    disk.files = {"m.009", "m.011", "m.1000", "m.6"};
    enum Way { kPrev, kNext };
    const struct {
        const char* from;
        Way way;
        bool stepped;
        const char* to;
    } cases[] = {
        {"m.010", kPrev, true, "m.009"},
        {"m.010", kNext, true, "m.011"},
        {"m.999", kNext, true, "m.1000"},
        {"m.000", kPrev, false, "m.000"},
        {"m.7", kPrev, true, "m.6"},
        // An overlong digit run is no number at all.
        {"m.99999999999999999999", kNext, false, "m.99999999999999999999"},
    };
    for (const auto& c : cases) {
        std::string name = c.from;
        const bool stepped = c.way == kPrev ? PrevPieceName(name, disk.Exists(), Cp932LeadByte)
                                            : NextPieceName(name, disk.Exists(), Cp932LeadByte);
        EXPECT_EQ(stepped, c.stepped) << c.from;
        EXPECT_EQ(name, c.to) << c.from;
    }
}

TEST(PieceSeries, ListsTheUnbrokenRunAroundTheStart) {
    struct Case {
        std::set<std::string> disk;
        std::string start;
        std::vector<std::string> series;
    };
    const std::vector<Case> cases = {
        {{"m.001", "m.002", "m.003", "m.004"}, "m.002", {"m.001", "m.002", "m.003", "m.004"}},
        {{"m.001", "m.003", "m.004"}, "m.003", {"m.003", "m.004"}},
        {{"m.001", "m.002", "m.004"}, "m.001", {"m.001", "m.002"}},
        {{"m.7", "m.8", "m.9", "m.10"}, "m.7", {"m.7", "m.8", "m.9", "m.10"}},
        {{"m.000", "m.001"}, "m.001", {"m.000", "m.001"}},
        {{"m.998", "m.999", "m.1000"}, "m.999", {"m.998", "m.999", "m.1000"}},
    };
    for (const Case& c : cases) {
        FakeDisk disk{c.disk};
        EXPECT_EQ(ListPieceSeries(c.start, disk.Exists(), Cp932LeadByte), c.series) << c.start;
    }
    EXPECT_EQ(ProposedJoinOutput("C:\\d\\movie.003", Cp932LeadByte), "C:\\d\\movie");
    EXPECT_EQ(ProposedJoinOutput("C:\\d\\movie.7", Cp932LeadByte), "C:\\d\\movie");
    EXPECT_EQ(ProposedJoinOutput("C:\\d\\movie.1000", Cp932LeadByte), "C:\\d\\movie");
}

TEST(PieceSeries, ClassifiesDrops) {
    FakeDisk disk;
    disk.files = {"C:\\d\\movie.001", "C:\\d\\movie.002", "C:\\d\\movie.003", "C:\\d\\movie.004", "C:\\d\\notes.txt",
                  "C:\\d\\a.txt", "C:\\d\\b.txt", "C:\\d\\c.txt"};
    struct Case {
        std::vector<DroppedItem> items;
        std::vector<std::string> rows;
        std::string output;
        bool walked;
    };
    const std::vector<Case> cases = {
        {{{"C:\\d\\movie.002", false}},
         {"C:\\d\\movie.001", "C:\\d\\movie.002", "C:\\d\\movie.003", "C:\\d\\movie.004"},
         "C:\\d\\movie",
         false},
        {{{"C:\\d\\movie.001", false}, {"C:\\d\\movie.002", false}, {"C:\\d\\notes.txt", false}},
         {"C:\\d\\movie.001", "C:\\d\\movie.002", "C:\\d\\movie.003", "C:\\d\\movie.004", "C:\\d\\notes.txt"},
         "C:\\d\\movie",
         true},
        {{{"C:\\d\\a.txt", false}, {"C:\\d\\b.txt", false}, {"C:\\d\\c.txt", false}},
         {"C:\\d\\a.txt", "C:\\d\\b.txt", "C:\\d\\c.txt"},
         "",
         true},
        {{{"C:\\d\\folder", true}}, {}, "", true},
        // A later item with the first item's base name is skipped, even another type.
        {{{"C:\\d\\notes.txt", false}, {"C:\\d\\NOTES.doc", false}, {"C:\\d\\sub", true}, {"C:\\d\\a.txt", false}},
         {"C:\\d\\notes.txt", "C:\\d\\a.txt"},
         "",
         true},
    };
    for (const Case& c : cases) {
        const DropRows rows = ClassifyDrop(c.items, disk.Exists(), SameTextAscii, Cp932LeadByte);
        EXPECT_EQ(rows.rows, c.rows) << c.items[0].path;
        EXPECT_EQ(rows.output, c.output) << c.items[0].path;
        EXPECT_EQ(rows.firstDroppedItem.has_value(), c.walked) << c.items[0].path;
        if (rows.firstDroppedItem) EXPECT_EQ(*rows.firstDroppedItem, c.items[0].path);
    }
}

TEST(PieceSeries, RefusesSeriesWithAHole) {
    struct Case {
        std::set<std::string> disk;
        std::vector<std::string> rows;
        std::string missing;  // "" : no gap
        bool onDisk;
    };
    const std::vector<Case> cases = {
        {{"m.001", "m.002", "m.003"}, {"m.001", "m.002", "m.003"}, "", false},
        // The search stopped at the missing .003 while .004 exists.
        {{"m.001", "m.002", "m.004"}, {"m.001", "m.002"}, "m.003", false},
        // Dropping .003 while .002 is missing and .001 exists.
        {{"m.001", "m.003", "m.004"}, {"m.003", "m.004"}, "m.002", false},
        // The user removed the middle row.
        {{"m.001", "m.002", "m.003"}, {"m.001", "m.003"}, "m.002", true},
        // Leaving out the last piece on purpose is the user's choice.
        {{"m.001", "m.002", "m.003"}, {"m.001", "m.002"}, "", false},
        // Other files in the folder do not count; nor do rows that are no pieces.
        {{"m.001", "m.002", "m.avi", "x.txt"}, {"m.001", "m.002", "x.txt"}, "", false},
        // Two series, the second broken; names keep the rows' width.
        {{"a.1", "a.2", "b.01", "b.03"}, {"a.1", "a.2", "b.01"}, "b.02", false},
    };
    for (const Case& c : cases) {
        FakeDisk disk{c.disk};
        const auto gap = FindSeriesGap(c.rows, disk.Siblings(), SameTextAscii, Cp932LeadByte);
        if (c.missing.empty()) {
            EXPECT_FALSE(gap.has_value()) << c.rows[0] << " " << (gap ? gap->name : "");
            continue;
        }
        ASSERT_TRUE(gap.has_value()) << c.missing;
        EXPECT_EQ(gap->name, c.missing);
        EXPECT_EQ(gap->onDisk, c.onDisk) << c.missing;
    }
}

TEST(PieceSeries, SplitSafetyChecks) {
    // movie.001 split into its own folder would be overwritten by piece 1.
    EXPECT_EQ(PlannedPieceNumber("C:\\d\\movie.", "C:\\D\\MOVIE.001", 3, SameTextAscii), 1u);
    EXPECT_EQ(PlannedPieceNumber("C:\\d\\movie.", "C:\\d\\movie.123", 200, SameTextAscii), 123u);
    EXPECT_EQ(PlannedPieceNumber("C:\\d\\movie.", "C:\\d\\movie.123", 122, SameTextAscii), 0u);
    EXPECT_EQ(PlannedPieceNumber("C:\\d\\movie.", "C:\\d\\movie.1", 3, SameTextAscii), 0u);  // not a name made
    EXPECT_EQ(PlannedPieceNumber("C:\\d\\movie.", "C:\\d\\movie.avi", 3, SameTextAscii), 0u);
    EXPECT_EQ(PlannedPieceNumber("C:\\e\\movie.", "C:\\d\\movie.001", 3, SameTextAscii), 0u);

    const std::vector<std::string> siblings = {"C:\\d\\movie.001", "C:\\d\\movie.002", "C:\\d\\movie.004",
                                               "C:\\d\\movie.005", "C:\\d\\movie.007", "C:\\d\\movie.avi",
                                               "C:\\d\\movie.3"};
    const auto none = [](const std::string&) { return false; };
    ExistingPieces found = FindExistingPieces("C:\\d\\movie.", 3, siblings, SameTextAscii, none);
    EXPECT_EQ(found.planned, (std::vector<std::string>{"C:\\d\\movie.001", "C:\\d\\movie.002"}));
    EXPECT_EQ(found.stale, (std::vector<std::string>{"C:\\d\\movie.004", "C:\\d\\movie.005"}));
    found = FindExistingPieces("C:\\d\\movie.", 10, siblings, SameTextAscii, none);
    EXPECT_EQ(found.planned.size(), 5u);
    EXPECT_TRUE(found.stale.empty());
    EXPECT_FALSE(FindExistingPieces("C:\\d\\other.", 3, siblings, SameTextAscii, none).Any());
    // The source is never a left-over: splitting movie.004 (by any of its
    // names) into its own folder stops the stale run before it.
    const auto isSource = [](const std::string& path) { return SameTextAscii(path, "C:\\D\\MOVIE.004"); };
    found = FindExistingPieces("C:\\d\\movie.", 3, siblings, SameTextAscii, isSource);
    EXPECT_TRUE(found.stale.empty());
    found = FindExistingPieces("C:\\d\\movie.", 2, {"C:\\d\\movie.003", "C:\\d\\movie.004"}, SameTextAscii,
                               [](const std::string& path) { return path == "C:\\d\\movie.004"; });
    EXPECT_EQ(found.stale, (std::vector<std::string>{"C:\\d\\movie.003"}));

    // Volumes go only as the unbroken run from volume 1: a volume after a gap
    // belongs to no set, and the question could not name it.
    const std::vector<std::string> cabs = {"C:\\d\\movie1.cab", "C:\\d\\MOVIE2.CAB",   "C:\\d\\movie12.cab",
                                           "C:\\d\\movie01.cab", "C:\\d\\movie.cab", "C:\\d\\movies1.cab"};
    EXPECT_EQ(FindExistingCabVolumes("C:\\d\\movie", cabs, SameTextAscii, none),
              (std::vector<std::string>{"C:\\d\\movie1.cab", "C:\\d\\MOVIE2.CAB"}));
    EXPECT_TRUE(FindExistingCabVolumes("C:\\d\\movie", {"C:\\d\\movie2.cab"}, SameTextAscii, none).empty());

    // The question names every file that goes, or its run exactly.
    EXPECT_EQ(DescribeFiles({"a.1", "a.2"}), "a.1\na.2\n");
    std::vector<std::string> run;
    for (int i = 4; i <= 40; ++i) run.push_back(PieceName("m.", static_cast<std::uint64_t>(i)));
    EXPECT_EQ(DescribeFiles(run), "m.004\nm.005\n...\nm.040\n(37 files)\n");
}

TEST(JoinItems, ComparesNamesSizesAndTimes) {
    auto compare = [](const std::string& a, const std::string& b) {
        std::string x = a, y = b;
        for (char& c : x) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (char& c : y) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return x.compare(y);
    };
    const JoinItem small{"B.001", 1, 10};
    const JoinItem big{"a.002", (1ull << 31) + 1, 20};
    const JoinItem huge{"A.002", (1ull << 32) + 5, 20};
    EXPECT_LT(CompareJoinItems(small, big, kColumnSize, false, compare), 0);
    EXPECT_LT(CompareJoinItems(big, huge, kColumnSize, false, compare), 0);
    EXPECT_GT(CompareJoinItems(huge, small, kColumnSize, false, compare), 0);
    EXPECT_GT(CompareJoinItems(huge, small, kColumnSize, true, compare) * -1, 0);
    EXPECT_EQ(CompareJoinItems(big, huge, kColumnName, false, compare), 0);
    EXPECT_GT(CompareJoinItems(small, big, kColumnName, false, compare), 0);
    EXPECT_LT(CompareJoinItems(small, big, kColumnName, true, compare), 0);
    EXPECT_LT(CompareJoinItems(small, big, kColumnDate, false, compare), 0);
    EXPECT_EQ(CompareJoinItems(big, huge, kColumnDate, false, compare), 0);

    EXPECT_EQ(FormatJoinDate(1999, 7, 4, 9, 5), "99/07/04 09:05");
    EXPECT_EQ(FormatJoinDate(2005, 12, 31, 23, 59), "05/12/31 23:59");
    EXPECT_TRUE(IsCabinetPath("C:\\Old.CABINET\\part.001", Cp932LeadByte));
    EXPECT_TRUE(IsCabinetPath("C:\\d\\x.cab", Cp932LeadByte));
    EXPECT_FALSE(IsCabinetPath("C:\\d\\x.ca", Cp932LeadByte));
}

TEST(ShortcutNames, TitlesAndLinkFiles) {
    EXPECT_EQ(TitleFromDisplayName("app.exe", Cp932LeadByte), "app");
    EXPECT_EQ(TitleFromDisplayName("my.report.doc", Cp932LeadByte), "my.report");
    EXPECT_EQ(TitleFromDisplayName(".profile", Cp932LeadByte), ".profile");
    EXPECT_EQ(TitleFromDisplayName("app", Cp932LeadByte), "app");
    EXPECT_EQ(LinkFileName("C:\\Tools\\", "app", Cp932LeadByte), "C:\\Tools\\app.lnk");
    EXPECT_EQ(LinkFileName("C:\\Desktop", "app", Cp932LeadByte), "C:\\Desktop\\app.lnk");
    EXPECT_EQ(LinkFileName("C:\\T", "Tool.LNK", Cp932LeadByte), "C:\\T\\Tool.LNK");
    EXPECT_EQ(LinkFileName("C:\\T", "Tool.lnk", Cp932LeadByte), "C:\\T\\Tool.lnk");
    // Short titles are safe.
    EXPECT_EQ(LinkFileName("", "a", Cp932LeadByte), "\\a.lnk");
    // A location ending in a double-byte character whose trail byte is "\".
    EXPECT_EQ(LinkFileName("C:\\\x83\x5C", "x", Cp932LeadByte), "C:\\\x83\x5C\\x.lnk");
}

}  // namespace
