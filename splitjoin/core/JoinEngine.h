// Appends files, in order, to one output file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "EngineFiles.h"

constexpr unsigned char kTextEndMark = 0x1A;

struct JoinRequest {
    std::vector<std::string> inputs;
    std::string output;
    // Empty the output first (the user agreed to replace it) or append to it.
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
// An input that is the output is refused, and so is a list with an input that
// does not open, before the output is touched. A cancelled or failed run
// leaves the output as it found it where it can: removed when this run created
// or emptied it, cut back to its old length when it appended.
RunResult RunJoin(EngineFiles& files, const JoinRequest& request, EngineEvents& events);
