// Unpacking of LZH and ZIP archives, shared by the archiver DLLs and the
// self-extractors: every member goes through the target's name checks, and
// every member's data through its checksum.
#pragma once
#include <cstdint>
#include <optional>

#include "standins/archive/win/ArchiverFiles.h"
#include "standins/archive/win/ArchiverReport.h"
#include "standins/archive/win/UnpackTarget.h"

namespace archivers {

// Where the LZH archive in `file` starts: at its start, or behind a
// self-extractor's program.
std::optional<std::uint64_t> LzhArchiveStart(InputFile& file);
void UnpackLzh(InputFile& file, std::uint64_t start, UnpackTarget& target, ArchiverReport& report);

void UnpackZip(InputFile& file, UnpackTarget& target, ArchiverReport& report);

}  // namespace archivers
