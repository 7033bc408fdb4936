#include "main/bar/core/ItemTipRules.h"

namespace bar {

const char kTipSeparator[] = "\r\n----------------\r\n";

std::string KilobyteText(std::uint64_t bytes) { return std::to_string(bytes / 1024) + " KB"; }

std::string TipDateText(const std::string& date, const std::string& time, bool midnight) {
    return midnight || time.empty() ? date : date + " " + time;
}

std::string ComposeFileTip(const FileTipParts& parts) {
    std::string tip = parts.path + "\r\n" + parts.typeName;
    if (parts.sizeKnown) tip += ", " + KilobyteText(parts.size) + ", " + parts.when;
    for (const std::string& extra : parts.extras)
        if (!extra.empty()) tip += kTipSeparator + extra;
    return tip;
}

std::string FolderTip(const std::string& path) { return path + kTipSeparator + "Double-click to open folder"; }

TipRect PlaceTipNearCursor(int x, int y, int width, int height, int screenHeight) {
    if (y + height < screenHeight) return {x + 30, y + 15, width, height};
    return {0, 0, width, height};
}

}  // namespace bar
