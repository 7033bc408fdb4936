#include "standins/archive/sfx/SelfExtractor.h"

#include <cstring>

#include "framework/win32/ModulePath.h"

namespace archivers {

int RunSelfExtractor(int argc, char** argv,
                     const std::function<void(InputFile& self, UnpackTarget& target, ArchiverReport& report)>& unpack) {
    try {
        ArchiverReport report;
        const std::string self = ModulePath(nullptr);
        TargetOptions options;
        options.folder = FolderOf(self);
        for (int i = 1; i < argc; ++i) {
            if (std::strcmp(argv[i], "-d") == 0 && i + 1 < argc) {
                options.folder = argv[++i];
            } else {
                return kArchiverBadCommand;
            }
        }
        InputFile file;
        if (!file.Open(self)) return kArchiverCannotRead;
        UnpackTarget target(options, report);
        if (target.Open()) unpack(file, target, report);
        return report.Result();
    } catch (...) {
        return kArchiverFailed;
    }
}

}  // namespace archivers
