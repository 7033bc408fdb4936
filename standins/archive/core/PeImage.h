// Where a Windows program's own image ends in its file: a self-extractor's
// archive follows it there.
#pragma once
#include <cstdint>
#include <optional>

#include "standins/archive/core/ByteStreams.h"

namespace archivers {

// The end of the last section's data; nothing when the file is no PE image.
std::optional<std::uint64_t> PeImageEnd(RandomSource& file);

}  // namespace archivers
