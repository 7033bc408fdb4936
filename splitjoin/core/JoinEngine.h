// Appends files, in order, to one output file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "dialogkit/core/EngineFiles.h"

namespace splitjoin {

constexpr unsigned char kTextEndMark = 0x1A;

struct JoinRequest {
    std::vector<std::string> inputs;
    std::string output;
    // Replace the output (the user agreed to) or append to it.
    OutputOpen how = OutputOpen::Append;
    // Drop a text end mark (0x1A) that is the last byte of an input.
    bool dropEndMark = false;
    // Tell the row number (0-based) as each input starts.
    bool reportItems = true;
};

// Cancel is looked at before each input and every kStopCheckBytes within one;
// a percentage is told when it changes.
// Copies at most each input's length, so an input that grows while it is read
// (at worst the output itself under another name) cannot make the copy run on.
// An input that is the output is refused. A cancelled or failed run leaves
// the output as it found it where it can: removed when this run created it,
// cut back to its old length when it appended, and untouched when it was to
// be replaced, since the joined file is written beside it under a temporary
// name and takes its place only when complete.
RunResult RunJoin(EngineFiles& files, const JoinRequest& request, EngineEvents& events, LeadBytePredicate isLead);

}  // namespace splitjoin
