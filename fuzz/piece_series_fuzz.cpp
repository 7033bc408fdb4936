// Piece names from a drop or a folder listing are untrusted: arbitrary digit
// runs, dots and double-byte characters. The series rules must neither crash
// nor loop, and their answers must agree with each other.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "splitjoin/core/PieceSeries.h"

using namespace splitjoin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Lines: the first is the dropped name, the rest are the files on disk.
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            lines.emplace_back();
            if (lines.size() > 64) break;
        } else {
            lines.back() += static_cast<char>(data[i]);
        }
    }
    const std::set<std::string> disk(lines.begin() + 1, lines.end());
    const FileExistsFn exists = [&](const std::string& p) { return disk.count(p) != 0; };
    const SameTextFn same = [](const std::string& a, const std::string& b) { return a == b; };
    const std::string& start = lines[0];
    for (LeadBytePredicate lead : {Cp932LeadByte, SingleByteCodePage}) {
        const bool piece = IsPieceName(start, lead);
        std::string name = start;
        const bool next = NextPieceName(name, exists, lead);
        if (next && !disk.count(name)) std::abort();
        name = start;
        PrevPieceName(name, exists, lead);
        if (piece) {
            const std::vector<std::string> series = ListPieceSeries(start, exists, lead);
            // The start itself and at most every file on disk once.
            if (series.empty() || series.size() > disk.size() + 1) std::abort();
            const auto gap = FindSeriesGap(
                series,
                [&](const std::string&) { return std::vector<std::string>(disk.begin(), disk.end()); }, same, lead);
            (void)gap;
        }
        std::vector<DroppedItem> items;
        for (const std::string& line : lines) items.push_back({line, line.size() % 5 == 0});
        const DropRows rows = ClassifyDrop(items, exists, same, lead);
        (void)rows;
        (void)FindExistingPieces(start, 3, std::vector<std::string>(disk.begin(), disk.end()), same,
                                 [&](const std::string& path) { return same(path, start); });
    }
    return 0;
}
