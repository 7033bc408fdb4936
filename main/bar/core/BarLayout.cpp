#include "main/bar/core/BarLayout.h"

namespace bar {


int ButtonLeft(int tag, int h) {
    int gap = 0;
    if (tag >= 9)
        gap = 4;
    else if (tag >= 6)
        gap = 2;
    return tag * h + 10 + gap;
}

BarRow ComputeBarRow(int quickStartCount, int h) {
    BarRow row;
    const int n = quickStartCount < 0 ? 0 : (quickStartCount > kQuickStartMax ? kQuickStartMax : quickStartCount);
    row.browserLeft = 13 * h + 16;
    row.mailLeft = 14 * h + 16;
    for (int i = 0; i < n; ++i) row.quickStartLefts.push_back((i + 15) * h + 18);
    row.clockLeft = (n + 15) * h + 18;
    row.clientWidth = n * 22 + 406;
    row.bevelHeight = h - 6;
    row.bevel2Left = 6 * h + 11;
    row.bevel3Left = 9 * h + 12;
    row.bevel4Left = 15 * h + 15;
    row.bevel4InRow = n > 0;
    return row;
}

BarPlacement KeepBarOnScreen(int left, int top, int width, int height, int screenWidth, int screenHeight) {
    BarPlacement p{left, top, false};
    if (p.left + width > screenWidth) p.left = screenWidth - width;
    if (p.left < 0) p.left = 0;
    if (p.top + height > screenHeight) p.top = screenHeight - height;
    p.collapse = p.top < 1;
    return p;
}

CollapsedBar CollapseGeometry(int screenWidth, int clockWidth) {
    CollapsedBar c;
    if (screenWidth != 800) return c;
    c.stretch = true;
    c.left = 0;
    c.width = screenWidth;
    c.clockLeft = screenWidth - clockWidth;
    return c;
}

std::vector<std::string> NormalizeQuickStart(const std::vector<std::string>& keys,
                                             const std::function<bool(const std::string&)>& exists) {
    std::vector<std::string> out;
    for (const std::string& key : keys) {
        if (!exists(key)) continue;
        out.push_back(key);
        if (static_cast<int>(out.size()) == kQuickStartMax) break;
    }
    return out;
}

}  // namespace bar
