// The system report's lines and the plan of fixed drives.
#include <gtest/gtest.h>

#include "main/bar/core/SystemReport.h"

using namespace bar;

namespace {

DriveTypes Types(std::initializer_list<std::pair<char, unsigned>> set) {
    DriveTypes t{};
    for (auto [letter, type] : set) t[static_cast<size_t>(letter - 'c')] = type;
    return t;
}

TEST(SystemReport, DrivePlanListsFixedDrivesOnly) {
    const struct {
        DriveTypes types;
        std::vector<char> plan;
    } cases[] = {
        {Types({{'c', 3}, {'d', 5}, {'e', 3}}), {'c', 'e'}},  // a CD-ROM between two disks
        {Types({{'d', 3}, {'z', 3}}), {'d', 'z'}},
        {Types({{'c', 2}, {'d', 4}}), {}},  // removable and remote only
        {Types({}), {}},
    };
    for (const auto& c : cases) EXPECT_EQ(FixedDrivePlan(c.types), c.plan);
}

SystemFacts SampleFacts() {
    SystemFacts f;
    f.owner = "Ann";
    f.version = "6.1";
    f.build = "7601";
    f.drives = {{'c', 40LL << 30, 1048575}, {'e', -1, -1}};
    f.screenWidth = 1280;
    f.screenHeight = 1024;
    f.bitsPerPixel = 24;
    return f;
}

TEST(SystemReport, EveryLabelIsTwentyFiveCharactersWide) {
    SystemFacts f = SampleFacts();
    f.sound = f.waveDevice = f.midiDevice = "x";
    f.hasWave = f.hasMidi = true;
    const auto lines = BuildSystemReport(f);
    ASSERT_EQ(lines.size(), 26u);
    for (const std::string& line : lines) {
        if (line.empty()) continue;
        ASSERT_GE(line.size(), 25u) << line;
        EXPECT_EQ(line[24], ' ') << line;
        if (line.size() > 25) EXPECT_NE(line[25], ' ') << "value not at column 25: " << line;
    }
}

TEST(SystemReport, ValuesAndOptionalLines) {
    const auto lines = BuildSystemReport(SampleFacts());
    const std::vector<std::string> expected = {
        "Registered owner:        Ann",
        "Registered organisation: ",
        "Network computer name:   ",
        "Network user name:       ",
        "Windows version:         6.1 build 7601",
        "",
        "Drive C:                 40960 MB",
        "Drive C free space:      0 MB",
        "Drive E:                 0 MB",  // unreadable: 0, never garbage
        "Drive E free space:      0 MB",
        "",
        "Memory available:        ",
        "Memory total:            ",
        "Memory usage:            ",
        "Swap file setting:       ",
        "Swap file size:          ",
        "Swap file usage:         ",
        "",
        "Display Driver:          ",
        "Monitor:                 ",
        "Screen resolution:       1280x1024",
        "Bits per pixel:          24",
        "",
    };
    // No sound description, no wave or MIDI device: their lines are left out.
    EXPECT_EQ(lines, expected);
}

}  // namespace
