// What the user is told after a backup or restore run.
#pragma once
#include <functional>
#include <string>

#include "backup/core/CopyEngine.h"

namespace backup {

// The system's text for an error code, "" when it has none.
using ErrorTextFn = std::function<std::string(int code)>;

// Why a run did not happen, the files it could not copy and what it passed
// over; empty when there is nothing to tell. It says the earlier backup
// copies were kept only where that is so.
std::string CopySummaryText(const CopyOutcome& outcome, const ErrorTextFn& errorText);

}  // namespace backup
