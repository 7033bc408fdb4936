// The LZH self-extractor stub that UNLHA32.dll's "s" puts in front of an
// archive: it finds the first member header behind its own program image.
#include "standins/archive/sfx/SelfExtractor.h"

#include "standins/archive/core/LzhHeader.h"
#include "standins/archive/core/PeImage.h"

int main(int argc, char** argv) {
    return archivers::RunSelfExtractor(argc, argv, [](archivers::InputFile& self, archivers::UnpackTarget& target,
                                                      archivers::ArchiverReport& report) {
        const std::optional<std::uint64_t> image = archivers::PeImageEnd(self);
        const std::optional<std::uint64_t> start = image ? archivers::FindLzhStart(self, *image) : std::nullopt;
        if (!start) {
            report.Fail(archivers::kArchiverDamaged, "no archive is attached");
            return;
        }
        archivers::UnpackLzh(self, *start, target, report);
    });
}
