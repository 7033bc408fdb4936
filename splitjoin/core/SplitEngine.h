// Cuts one file into consecutive pieces of a fixed size: prefix.001,
// prefix.002, ... The pieces carry no header: joining them in number order
// gives the source back.
#pragma once
#include <cstdint>
#include <string>

#include "dialogkit/core/EngineFiles.h"
#include "framework/core/MbcsPath.h"

namespace splitjoin {

// Reads never cross a piece boundary; one buffer of at most kCopyBlockSize.

struct SplitRequest {
    std::string source;
    std::string destination;
    std::uint64_t pieceBytes = 0;
};

// Writes floor(L / P) + 1 pieces (an exact multiple ends with an empty piece).
// Cancel is looked at before every piece and every kStopCheckBytes within one.
// A cancelled run keeps the pieces it completed (a split onto removable disks
// keeps what is done) and removes only a piece it left incomplete. A failed
// run removes every piece it made, so no piece is left that a later join
// could take for part of a finished series. Events: Item(n) and Percent when
// piece n starts.
RunResult RunSplit(EngineFiles& files, const SplitRequest& request, EngineEvents& events, LeadBytePredicate isLead);

}  // namespace splitjoin
