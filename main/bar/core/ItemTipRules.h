// Platform-free rules of the tip beside an open bar menu: how a file's or
// folder's tip text is put together, and where the tip goes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace bar {

// Between the parts of a file's tip: CR LF, 16 dashes, CR LF.
extern const char kTipSeparator[];
// Texts are laid out for this width.
constexpr int kTipWidth = 300;

// A file's size as the tip shows it: whole kilobytes, cut.
std::string KilobyteText(std::uint64_t bytes);
// The date alone when the time is exactly midnight, else date and time.
std::string TipDateText(const std::string& date, const std::string& time, bool midnight);

struct FileTipParts {
    std::string path;
    std::string typeName;
    bool sizeKnown = false;
    std::uint64_t size = 0;
    std::string when;
    // Previews and descriptions, each after a separator; empty ones are skipped.
    std::vector<std::string> extras;
};
std::string ComposeFileTip(const FileTipParts& parts);
std::string FolderTip(const std::string& path);

struct TipRect {
    int left, top, width, height;
};
// Beside the cursor when the tip fits above the screen's bottom; otherwise
// the laid-out rectangle at the screen's top-left corner.
TipRect PlaceTipNearCursor(int x, int y, int width, int height, int screenHeight);

}  // namespace bar
