// The "option.sav" codec and the schedule arithmetic of scheduled backups.
#include <gtest/gtest.h>
#include <unistd.h>

#include "backup/core/BackupOptions.h"
#include "backup/core/Schedule.h"

using namespace backup;

namespace {

using namespace schedule;

std::string Bytes(std::initializer_list<int> values) { return std::string(values.begin(), values.end()); }

TEST(BackupOptionsTest, GoldenRecordRoundTripsAndShortRecordsChangeNothing) {
    BackupOptions o;
    o.destPath = "D:\\bk\\";
    o.sourcePath = "C:\\data\\";
    o.extList = ".txt";
    o.scheduleText = "at 09:30";
    o.scheduleMinute = 30;
    o.scheduleHour = 9;
    const std::string golden = Bytes({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6}) + "D:\\bk\\" + Bytes({0, 0, 0, 0, 4}) +
                               ".txt" + Bytes({8}) + "C:\\data\\" + Bytes({1, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 8}) +
                               "at 09:30" + Bytes({9, 0, 0, 0, 30, 0, 0, 0}) + std::string(12, '\xFF');
    EXPECT_EQ(EncodeOptions(o), golden);
    BackupOptions back;
    ASSERT_TRUE(DecodeOptions(golden, back));
    EXPECT_EQ(EncodeOptions(back), golden);
    for (std::size_t n = 0; n <= golden.size() + 1; n += (n == golden.size() - 1 ? 2 : 1)) {
        BackupOptions partial;
        partial.runMode = 0;
        EXPECT_FALSE(DecodeOptions(n <= golden.size() ? golden.substr(0, n) : golden + "x", partial)) << n;
        EXPECT_EQ(partial.runMode, 0);
    }
}

TEST(BackupOptionsTest, CountedStringLengthsAndLimits) {
    const struct {
        std::size_t length;
        std::string prefix;
    } cases[] = {
        {0, Bytes({0})},
        {254, Bytes({254})},
        {255, Bytes({0xFF, 0xFF, 0})},
        {300, Bytes({0xFF, 0x2C, 1})},
        {0xFFFE, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0, 0})},
        {70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 1, 0})},
    };
    for (const auto& c : cases) {
        std::string out, text;
        AppendCountedString(out, std::string(c.length, 'p'));
        EXPECT_EQ(out.substr(0, c.prefix.size()), c.prefix) << c.length;
        std::size_t pos = 0;
        EXPECT_TRUE(ReadCountedString(out, pos, 70000, text) && text.size() == c.length && pos == out.size());
        pos = 0;
        EXPECT_EQ(ReadCountedString(out, pos, 299, text), c.length <= 299) << c.length;
    }
    // Lengths past the end (up to 4 GiB claimed) and the wide-text marker.
    for (const std::string& bad : {Bytes({5, 'a'}), std::string(7, '\xFF'), Bytes({0xFF, 0xFE, 0xFF})}) {
        std::size_t pos = 0;
        std::string text;
        EXPECT_FALSE(ReadCountedString(bad, pos, SIZE_MAX, text));
    }
}

TEST(BackupOptionsTest, OutOfRangeValuesAreRefused) {
    const struct {
        int BackupOptions::*field;
        int value;
    } cases[] = {
        {&BackupOptions::extMode, 3},         {&BackupOptions::fileOperation, -1},
        {&BackupOptions::runMode, 2},         {&BackupOptions::scheduleKind, 4},
        {&BackupOptions::scheduleHour, 24},   {&BackupOptions::scheduleMinute, 60},
        {&BackupOptions::scheduleWeekday, 0}, {&BackupOptions::scheduleDayOfMonth, 32},
    };
    BackupOptions back;
    for (const auto& c : cases) {
        BackupOptions o;
        o.*c.field = c.value;
        EXPECT_FALSE(DecodeOptions(EncodeOptions(o), back)) << c.value;
    }
    back.sourcePath.assign(kMaxOptionPath + 1, 'x');
    EXPECT_FALSE(DecodeOptions(EncodeOptions(back), back));
}

TEST(BackupOptionsTest, FileIsReplacedWhole) {
    char pattern[] = "/tmp/backup-options-XXXXXX";
    const std::string dir = mkdtemp(pattern), path = dir + "/option.sav";
    BackupOptions saved, loaded;
    EXPECT_FALSE(LoadOptionsFile(path, loaded));
    for (const char* list : {".doc", ".txt"}) {
        saved.extList = list;
        ASSERT_TRUE(SaveOptionsFile(path, saved));
    }
    ASSERT_TRUE(LoadOptionsFile(path, loaded));
    EXPECT_EQ(loaded.extList, ".txt");
    unlink(path.c_str());
    EXPECT_EQ(rmdir(dir.c_str()), 0);  // no temporary file left behind
}

TEST(ScheduleTest, Texts) {
    const std::pair<std::string, std::string> cases[] = {
        {HourlyScheduleText(5), "at  5th minute"},
        {HourlyScheduleText(1), "at  1st minute"},
        {HourlyScheduleText(23), "at 23th minute"},
        {MonthlyScheduleText(9, 30, 22, false), "at 09:30,22th date"},
        {MonthlyScheduleText(9, 30, 22, true), "at 09:30,Lastday"},
        {WeeklyScheduleText(8, 5, "Sunday"), "at 08:05,Sunday"},
    };
    for (const auto& [made, expected] : cases) EXPECT_EQ(made, expected);
}

LocalMinute At(int y, int mo, int d, int h, int mi) { return {y, mo, d, h, mi, WeekdayOf(y, mo, d)}; }

TEST(ScheduleTest, NextDueMinute) {
    const ScheduleValues hourly{17, 5, -1, -1, -1}, monthlyLast{9, 30, -1, 15, 1};
    const struct {
        int kind;
        ScheduleValues values;
        LocalMinute from;
        LocalMinute due;  // year 0: never
    } cases[] = {
        {kEveryHour, hourly, At(2024, 5, 1, 10, 6), At(2024, 5, 1, 11, 5)},
        {kEveryHour, hourly, At(2024, 12, 31, 23, 30), At(2025, 1, 1, 0, 5)},
        {kEveryDay, {17, 0, -1, -1, -1}, At(2024, 5, 1, 17, 0), At(2024, 5, 1, 17, 0)},
        {kEveryWeek, {8, 5, 7, -1, -1}, At(2024, 5, 1, 0, 0), At(2024, 5, 5, 8, 5)},  // Sunday is 7
        {kEveryMonth, monthlyLast, At(2024, 2, 16, 0, 0), At(2024, 2, 29, 9, 30)},
        {kEveryMonth, monthlyLast, At(2023, 2, 16, 0, 0), At(2023, 2, 28, 9, 30)},
        {kEveryMonth, monthlyLast, At(2100, 2, 16, 0, 0), At(2100, 2, 28, 9, 30)},
        {kEveryMonth, monthlyLast, At(2024, 3, 1, 0, 0), At(2024, 3, 15, 9, 30)},
        {kEveryMonth, {9, 30, -1, 31, 0}, At(2024, 4, 1, 0, 0), At(2024, 5, 31, 9, 30)},
        {kEveryDay, {17, -1, -1, -1, -1}, At(2024, 5, 1, 0, 0), {0}},
    };
    for (const auto& c : cases) {
        LocalMinute due{0};
        EXPECT_EQ(NextDue(c.kind, c.values, c.from, due), c.due.year != 0) << &c - cases;
        EXPECT_EQ(std::vector<int>({due.year, due.month, due.day, due.hour, due.minute}),
                  std::vector<int>({c.due.year, c.due.month, c.due.day, c.due.hour, c.due.minute}))
            << &c - cases;
    }
}

TEST(ScheduleTest, EachDueMinuteFiresOnceAndNeverOverARun) {
    ScheduleGate gate;
    const ScheduleValues daily{17, 0, -1, -1, -1};
    const std::pair<LocalMinute, bool> ticks[] = {{At(2024, 5, 1, 17, 0), true},
                                                  {At(2024, 5, 1, 17, 0), false},
                                                  {At(2024, 5, 1, 17, 1), false},
                                                  {At(2024, 5, 2, 17, 0), true}};
    EXPECT_FALSE(gate.ShouldRun(kEveryDay, daily, ticks[0].first, true));  // a run is going on
    for (const auto& [now, fires] : ticks) EXPECT_EQ(gate.ShouldRun(kEveryDay, daily, now, false), fires);
    EXPECT_EQ(SpinPosition(0x10000 | 59, 0, 59, "75"), 59);  // the error word set by a typed 75
}

TEST(ScheduleTest, StoredHoursAreReadLeniently) {
    const std::pair<const char*, int> cases[] = {{"100", 17}, {"8", 8}, {"", 0}, {"-3", 0}, {"99", 23}, {"7x", 7}};
    for (const auto& [text, hour] : cases) EXPECT_EQ(ProfileHour(text), hour) << text;
}

}  // namespace
