// Numbered piece series on disk: recognising a piece name, stepping to the
// neighbouring numbers, listing the run of pieces around a dropped one, and
// the safety checks that keep a join from taking a broken or stale series and
// a split from overwriting its own source or old pieces unasked.
//
// File names come from the user's drop and from the disk: a digit run of any
// length must neither overflow nor loop, so piece numbers have at most nine digits.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/core/MbcsPath.h"

namespace splitjoin {

using FileExistsFn = std::function<bool(const std::string& path)>;
// True when two names are the same text without regard to case.
using SameTextFn = std::function<bool(const std::string& a, const std::string& b)>;

constexpr std::size_t kMaxPieceDigits = 9;

// The last "." comes after the last "\" and only digits follow it (a dot at
// the very end counts too); at most nine digits.
bool IsPieceName(const std::string& path, LeadBytePredicate isLead);

// Steps `name` to the previous or next number, keeping the digit count (zeros
// in front; the number may grow past it: .999 -> .1000), and tells whether
// that file exists. Previous of 0 is false with `name` unchanged.
bool PrevPieceName(std::string& name, const FileExistsFn& exists, LeadBytePredicate isLead);
bool NextPieceName(std::string& name, const FileExistsFn& exists, LeadBytePredicate isLead);

// The unbroken run of existing pieces around `start`, in ascending order.
std::vector<std::string> ListPieceSeries(const std::string& start, const FileExistsFn& exists,
                                         LeadBytePredicate isLead);

// The join's proposed output for a piece: the piece less its number
// (movie.003 -> movie, movie.7 -> movie).
std::string ProposedJoinOutput(const std::string& piece, LeadBytePredicate isLead);

// The value of the digits that follow `prefix` in `path`: 1 to maxDigits
// digits and nothing else, compared without regard to case; none otherwise.
std::optional<std::uint64_t> NumberAfterPrefix(const std::string& prefix, const std::string& path,
                                               std::size_t maxDigits, const SameTextFn& sameText);

// What the join dialog lists for a drop.
struct DroppedItem {
    std::string path;
    bool isFolder = false;
};
struct DropRows {
    std::vector<std::string> rows;
    std::string output;
    // Set when the drop was walked item by item (more than one item, or one
    // that is not a piece).
    std::optional<std::string> firstDroppedItem;
};
DropRows ClassifyDrop(const std::vector<DroppedItem>& items, const FileExistsFn& exists, const SameTextFn& sameText,
                      LeadBytePredicate isLead);

// A join must not take a series with a hole: neither a piece missing on disk
// between two that exist (listed or not), nor a listed series with a piece in
// its middle left out of the list. `siblings` lists the files of a folder
// whose names start with the given text.
struct SeriesGap {
    std::string name;  // the missing piece
    bool onDisk = false;  // it exists but is not in the list
};
using SiblingsFn = std::function<std::vector<std::string>(const std::string& prefix)>;
std::optional<SeriesGap> FindSeriesGap(const std::vector<std::string>& rows, const SiblingsFn& siblings,
                                       const SameTextFn& sameText, LeadBytePredicate isLead);

// The piece number that `path` would get from a split into `prefix` with
// `count` pieces, 0 when none: a source such as movie.001 split into its own
// folder would be overwritten by its first piece.
std::uint64_t PlannedPieceNumber(const std::string& prefix, const std::string& path, std::uint64_t count,
                                 const SameTextFn& sameText);

// Tells whether a path names the split's source, whatever its spelling.
using IsSourceFn = std::function<bool(const std::string& path)>;

// Pieces already on disk that a split into `prefix` with `count` pieces would
// replace, and the stale run after them (count + 1, count + 2, ...) left by an
// earlier, longer split, which a later join would take in. The source is
// never stale: the run stops before it.
struct ExistingPieces {
    std::vector<std::string> planned;
    std::vector<std::string> stale;
    bool Any() const { return !planned.empty() || !stale.empty(); }
};
ExistingPieces FindExistingPieces(const std::string& prefix, std::uint64_t count,
                                  const std::vector<std::string>& siblings, const SameTextFn& sameText,
                                  const IsSourceFn& isSource);

// The unbroken run of existing volumes base1.cab, base2.cab, ... among
// `siblings`, stopping before the source. A volume after a gap belongs to no
// set that starts at volume 1, so it is left alone.
std::vector<std::string> FindExistingCabVolumes(const std::string& base, const std::vector<std::string>& siblings,
                                                const SameTextFn& sameText, const IsSourceFn& isSource);

// Names for a question, one per line: all of them up to five, otherwise the
// first two, the last and how many there are, which names a run exactly.
std::string DescribeFiles(const std::vector<std::string>& files);

}  // namespace splitjoin
