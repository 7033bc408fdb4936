// Adding files to an LZH archive. The archive is rewritten into a temporary
// file beside it, members not replaced copied as they are, and put in place
// only when complete: a failure leaves the old archive as it was.
#pragma once
#include <string>
#include <vector>

#include "standins/archive/core/ArchiverCommands.h"
#include "standins/archive/win/ArchiverReport.h"
#include "standins/archive/win/PackSources.h"

namespace archivers {

struct LzhUpdateOptions {
    LzhMethod method = LzhMethod::Lh5;
    int headerLevel = 2;
    bool timeCheck = true;  // replace a member only with a newer file
};

// `packed` receives the items written into the archive (for a move).
bool UpdateLzh(const std::string& archive, const std::vector<SourceItem>& items, const LzhUpdateOptions& options,
               ArchiverReport& report, std::vector<const SourceItem*>& packed);

}  // namespace archivers
