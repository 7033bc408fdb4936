// The LZH self-extractor stub that UNLHA32.dll's "s" puts in front of an
// archive: it finds the first member header behind its own program image.
#include "standins/archive/sfx/SelfExtractor.h"

#include "standins/archive/core/LzhHeader.h"
#include "standins/archive/core/PeImage.h"

int main(int argc, char** argv) {
    return RunSelfExtractor(argc, argv, [](InputFile& self, UnpackTarget& target, ArchiverReport& report) {
        const std::optional<std::uint64_t> image = PeImageEnd(self);
        const std::optional<std::uint64_t> start = image ? FindLzhStart(self, *image) : std::nullopt;
        if (!start) {
            report.Fail(kArchiverDamaged, "no archive is attached");
            return;
        }
        UnpackLzh(self, *start, target, report);
    });
}
