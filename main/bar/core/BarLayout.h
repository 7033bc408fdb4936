// Platform-free geometry of the bar's single row: button places, the
// quick-start strip, the clock panel, the separators, keeping the bar on the
// screen and the collapsed strip.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace bar {

constexpr int kBarHeight = 22;      // client height of the expanded bar
constexpr int kGripWidth = 10;      // the drag handle at the left end
constexpr int kClockWidth = 58;     // the clock panel
constexpr int kQuickStartMax = 5;   // buttons of the quick-start strip
constexpr int kCollapsedHeight = 2; // client height of the collapsed strip

// Left of a bar button by its Tag: Tag x h + 10 + gap, the gap growing by 2
// after each group (0 up to Tag 5, 2 for 6 to 8, 4 from 9).
int ButtonLeft(int tag, int h = kBarHeight);

struct BarRow {
    int browserLeft = 0;                 // Qie
    int mailLeft = 0;                    // Qoutlook
    std::vector<int> quickStartLefts;    // one per strip entry
    int clockLeft = 0;                   // Qtime
    int clientWidth = 0;
    int bevel2Left = 0, bevel3Left = 0, bevel4Left = 0;
    int bevelTop = 3, bevelHeight = 0;
    bool bevel4InRow = false;            // moved into the row only when the strip has entries
};
BarRow ComputeBarRow(int quickStartCount, int h = kBarHeight);

struct BarPlacement {
    int left = 0, top = 0;
    bool collapse = false;
};
// Keeps a bar of the given outer size on the screen: right edge, then left,
// then bottom; a top below 1 asks for the collapsed strip.
BarPlacement KeepBarOnScreen(int left, int top, int width, int height, int screenWidth, int screenHeight);

// The collapsed strip. Only on a screen exactly 800 pixels wide does it
// stretch over the whole width with the clock at the right edge.
struct CollapsedBar {
    bool stretch = false;
    int left = 0, width = 0;   // of the bar, when stretched
    int clockLeft = 0;         // of the clock panel, when stretched
};
CollapsedBar CollapseGeometry(int screenWidth, int clockWidth = kClockWidth);

// The quick-start keys in file order, without paths that no longer exist,
// at most five.
std::vector<std::string> NormalizeQuickStart(const std::vector<std::string>& keys,
                                             const std::function<bool(const std::string&)>& exists);

}  // namespace bar
