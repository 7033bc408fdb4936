// The lines of the bar's system report, from facts the Windows layer gathers,
// and the plan of fixed drives the report and the software search share.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace bar {

// The system's drive types for the letters c to z, in order (3 is fixed).
using DriveTypes = std::array<unsigned, 24>;
constexpr unsigned kFixedDrive = 3;

// The fixed drives from c up to the last fixed letter, in letter order
// (lower case). None when there is no fixed drive.
std::vector<char> FixedDrivePlan(const DriveTypes& types);

struct ReportDrive {
    char letter;  // as the plan gives it
    // Byte counts; negative when the drive could not be read (not ready).
    std::int64_t total = -1;
    std::int64_t free = -1;
};

struct SystemFacts {
    std::string owner, organisation, computer, user, version, build;
    std::vector<ReportDrive> drives;
    std::string memAvailable, memTotal, memUsage, swapSetting, swapSize, swapUsage;
    std::string displayDriver, monitor;
    int screenWidth = 0, screenHeight = 0, bitsPerPixel = 0;
    std::string sound;        // left out when empty
    std::string waveDevice;   // left out when there is no wave output
    std::string midiDevice;   // left out when there is no MIDI output
    bool hasWave = false, hasMidi = false;
};

// The report, one line each; every label is 25 characters wide so the values
// line up in a fixed-pitch font.
std::vector<std::string> BuildSystemReport(const SystemFacts& facts);

// Whole megabytes of a byte count; an unreadable count is 0.
std::int64_t WholeMegabytes(std::int64_t bytes);

}  // namespace bar
