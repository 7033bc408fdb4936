// The two self-extractor stubs: programs without a window that unpack the
// archive appended to their own file, keeping every member inside the
// target folder. "-d <folder>" names the folder; without it they unpack
// beside themselves. The exit code is 0 or the ArchiverResult of the worst failure.
#pragma once
#include <functional>

#include "standins/archive/win/ArchiveUnpack.h"

namespace archivers {

int RunSelfExtractor(int argc, char** argv,
                     const std::function<void(InputFile& self, UnpackTarget& target, ArchiverReport& report)>& unpack);

}  // namespace archivers
