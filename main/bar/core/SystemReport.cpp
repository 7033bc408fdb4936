#include "main/bar/core/SystemReport.h"

namespace bar {

namespace {
constexpr size_t kLabelWidth = 25;

std::string Line(std::string label, const std::string& value) {
    label.resize(kLabelWidth, ' ');
    return label + value;
}
}  // namespace

std::vector<char> FixedDrivePlan(const DriveTypes& types) {
    std::vector<char> plan;
    for (size_t i = 0; i < types.size(); ++i)
        if (types[i] == kFixedDrive) plan.push_back(static_cast<char>('c' + i));
    return plan;
}

std::int64_t WholeMegabytes(std::int64_t bytes) { return bytes < 0 ? 0 : bytes / 1048576; }

std::vector<std::string> BuildSystemReport(const SystemFacts& f) {
    std::vector<std::string> lines{
        Line("Registered owner:", f.owner),
        Line("Registered organisation:", f.organisation),
        Line("Network computer name:", f.computer),
        Line("Network user name:", f.user),
        Line("Windows version:", f.version + " build " + f.build),
        "",
    };
    for (const ReportDrive& d : f.drives) {
        const char upper = static_cast<char>(d.letter - 'a' + 'A');
        const std::string drive = std::string("Drive ") + upper;
        lines.push_back(Line(drive + ":", std::to_string(WholeMegabytes(d.total)) + " MB"));
        lines.push_back(Line(drive + " free space:", std::to_string(WholeMegabytes(d.free)) + " MB"));
    }
    lines.insert(lines.end(), {
                                  "",
                                  Line("Memory available:", f.memAvailable),
                                  Line("Memory total:", f.memTotal),
                                  Line("Memory usage:", f.memUsage),
                                  Line("Swap file setting:", f.swapSetting),
                                  Line("Swap file size:", f.swapSize),
                                  Line("Swap file usage:", f.swapUsage),
                                  "",
                                  Line("Display Driver:", f.displayDriver),
                                  Line("Monitor:", f.monitor),
                                  Line("Screen resolution:", std::to_string(f.screenWidth) + "x" +
                                                                 std::to_string(f.screenHeight)),
                                  Line("Bits per pixel:", std::to_string(f.bitsPerPixel)),
                                  "",
                              });
    if (!f.sound.empty()) lines.push_back(Line("Sound:", f.sound));
    if (f.hasWave) lines.push_back(Line("Wave device:", f.waveDevice));
    if (f.hasMidi) lines.push_back(Line("Midi device:", f.midiDevice));
    return lines;
}

}  // namespace bar
