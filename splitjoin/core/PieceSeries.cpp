#include "splitjoin/core/PieceSeries.h"

#include <algorithm>
#include <map>
#include <set>

#include "splitjoin/core/PieceNames.h"

namespace splitjoin {

namespace {

bool AllDigits(const std::string& text, std::size_t from) {
    for (std::size_t i = from; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

// Up to 20 digits fit 64 bits only below 18446744073709551616; callers bound
// the count, so this only has to refuse what does not fit.
std::optional<std::uint64_t> ParseDigits(const std::string& text, std::size_t from, std::size_t maxDigits) {
    const std::size_t count = text.size() - from;
    if (count > maxDigits || count > 19 || !AllDigits(text, from)) return std::nullopt;
    std::uint64_t value = 0;
    for (std::size_t i = from; i < text.size(); ++i) value = value * 10 + static_cast<unsigned>(text[i] - '0');
    return value;
}

std::string ZeroPadded(std::uint64_t value, std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return digits;
}

bool StepPieceName(std::string& name, bool up, const FileExistsFn& exists, LeadBytePredicate isLead) {
    const std::size_t dot = ExtensionDotPos(name, isLead);
    if (dot == std::string::npos) return false;
    const std::optional<std::uint64_t> value = ParseDigits(name, dot + 1, kMaxPieceDigits);
    if (!value) return false;
    if (!up && *value == 0) return false;
    const std::size_t width = name.size() - dot - 1;
    name = name.substr(0, dot + 1) + ZeroPadded(up ? *value + 1 : *value - 1, width);
    return exists(name);
}

}  // namespace

bool IsPieceName(const std::string& path, LeadBytePredicate isLead) {
    const std::size_t dot = ExtensionDotPos(path, isLead);
    if (dot == std::string::npos) return false;
    return path.size() - dot - 1 <= kMaxPieceDigits && AllDigits(path, dot + 1);
}

bool PrevPieceName(std::string& name, const FileExistsFn& exists, LeadBytePredicate isLead) {
    return StepPieceName(name, false, exists, isLead);
}

bool NextPieceName(std::string& name, const FileExistsFn& exists, LeadBytePredicate isLead) {
    return StepPieceName(name, true, exists, isLead);
}

std::vector<std::string> ListPieceSeries(const std::string& start, const FileExistsFn& exists,
                                         LeadBytePredicate isLead) {
    std::vector<std::string> below;
    std::string name = start;
    while (PrevPieceName(name, exists, isLead)) below.push_back(name);
    std::vector<std::string> series(below.rbegin(), below.rend());
    name = start;
    series.push_back(name);
    while (NextPieceName(name, exists, isLead)) series.push_back(name);
    return series;
}

std::string ProposedJoinOutput(const std::string& piece, LeadBytePredicate isLead) {
    return CutExtension(piece, isLead);
}

std::optional<std::uint64_t> NumberAfterPrefix(const std::string& prefix, const std::string& path,
                                               std::size_t maxDigits, const SameTextFn& sameText) {
    if (path.size() <= prefix.size()) return std::nullopt;
    if (!sameText(path.substr(0, prefix.size()), prefix)) return std::nullopt;
    return ParseDigits(path, prefix.size(), maxDigits);
}

DropRows ClassifyDrop(const std::vector<DroppedItem>& items, const FileExistsFn& exists, const SameTextFn& sameText,
                      LeadBytePredicate isLead) {
    DropRows result;
    if (items.empty()) return result;
    if (items.size() == 1 && !items[0].isFolder && IsPieceName(items[0].path, isLead)) {
        result.rows = ListPieceSeries(items[0].path, exists, isLead);
        result.output = ProposedJoinOutput(items[0].path, isLead);
        return result;
    }
    const std::string& first = items[0].path;
    result.firstDroppedItem = first;
    if (!items[0].isFolder) {
        if (IsPieceName(first, isLead)) {
            result.output = ProposedJoinOutput(first, isLead);
            result.rows = ListPieceSeries(first, exists, isLead);
        } else {
            result.rows.push_back(first);
        }
    }
    const std::string firstBase = SplitPathBaseName(first, isLead);
    for (std::size_t i = 1; i < items.size(); ++i) {
        if (sameText(SplitPathBaseName(items[i].path, isLead), firstBase)) continue;
        if (items[i].isFolder) continue;
        result.rows.push_back(items[i].path);
    }
    return result;
}

std::optional<SeriesGap> FindSeriesGap(const std::vector<std::string>& rows, const SiblingsFn& siblings,
                                       const SameTextFn& sameText, LeadBytePredicate isLead) {
    // Group the listed pieces by everything up to their number.
    struct Group {
        std::string prefix;
        std::size_t width = 0;
        std::set<std::uint64_t> listed;
    };
    std::vector<Group> groups;
    for (const std::string& row : rows) {
        if (!IsPieceName(row, isLead)) continue;
        const std::size_t dot = ExtensionDotPos(row, isLead);
        const std::string prefix = row.substr(0, dot + 1);
        const std::optional<std::uint64_t> number = ParseDigits(row, dot + 1, kMaxPieceDigits);
        if (!number) continue;
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const Group& g) { return sameText(g.prefix, prefix); });
        if (group == groups.end()) {
            groups.push_back(Group{prefix, row.size() - dot - 1, {}});
            group = groups.end() - 1;
        }
        group->listed.insert(*number);
    }
    for (const Group& group : groups) {
        std::set<std::uint64_t> onDisk;
        for (const std::string& sibling : siblings(group.prefix)) {
            const std::optional<std::uint64_t> number =
                NumberAfterPrefix(group.prefix, sibling, kMaxPieceDigits, sameText);
            if (number) onDisk.insert(*number);
        }
        std::set<std::uint64_t> all = onDisk;
        all.insert(group.listed.begin(), group.listed.end());
        // A number missing between the lowest and the highest piece known.
        std::uint64_t expected = *all.begin();
        for (std::uint64_t number : all) {
            if (number != expected) return SeriesGap{group.prefix + ZeroPadded(expected, group.width), false};
            ++expected;
        }
        // A piece that exists but was left out of the middle of the list.
        expected = *group.listed.begin();
        for (std::uint64_t number : group.listed) {
            if (number != expected) return SeriesGap{group.prefix + ZeroPadded(expected, group.width), true};
            ++expected;
        }
    }
    return std::nullopt;
}

std::uint64_t PlannedPieceNumber(const std::string& prefix, const std::string& path, std::uint64_t count,
                                 const SameTextFn& sameText) {
    const std::optional<std::uint64_t> number = NumberAfterPrefix(prefix, path, 19, sameText);
    if (!number || *number < 1 || *number > count) return 0;
    return sameText(PieceName(prefix, *number), path) ? *number : 0;
}

ExistingPieces FindExistingPieces(const std::string& prefix, std::uint64_t count,
                                  const std::vector<std::string>& siblings, const SameTextFn& sameText,
                                  const IsSourceFn& isSource) {
    std::map<std::uint64_t, std::string> pieces;
    for (const std::string& sibling : siblings) {
        const std::optional<std::uint64_t> number = NumberAfterPrefix(prefix, sibling, 19, sameText);
        if (number && sameText(PieceName(prefix, *number), sibling)) pieces.emplace(*number, sibling);
    }
    ExistingPieces found;
    for (const auto& [number, path] : pieces)
        if (number >= 1 && number <= count) found.planned.push_back(path);
    for (std::uint64_t number = count + 1;; ++number) {
        const auto it = pieces.find(number);
        if (it == pieces.end() || isSource(it->second)) break;
        found.stale.push_back(it->second);
    }
    return found;
}

std::vector<std::string> FindExistingCabVolumes(const std::string& base, const std::vector<std::string>& siblings,
                                                const SameTextFn& sameText, const IsSourceFn& isSource) {
    std::map<std::uint64_t, std::string> found;
    for (const std::string& sibling : siblings) {
        if (sibling.size() <= base.size() + 4) continue;
        const std::string tail = sibling.substr(sibling.size() - 4);
        if (!sameText(tail, ".cab")) continue;
        const std::string stem = sibling.substr(0, sibling.size() - 4);
        const std::optional<std::uint64_t> number = NumberAfterPrefix(base, stem, 19, sameText);
        if (number && sameText(CabVolumeName(base, *number), sibling)) found.emplace(*number, sibling);
    }
    std::vector<std::string> volumes;
    for (std::uint64_t number = 1;; ++number) {
        const auto it = found.find(number);
        if (it == found.end() || isSource(it->second)) break;
        volumes.push_back(it->second);
    }
    return volumes;
}

std::string DescribeFiles(const std::vector<std::string>& files) {
    std::string text;
    if (files.size() <= 5) {
        for (const std::string& file : files) text += file + "\n";
        return text;
    }
    return files[0] + "\n" + files[1] + "\n...\n" + files.back() + "\n(" + std::to_string(files.size()) + " files)\n";
}

}  // namespace splitjoin
