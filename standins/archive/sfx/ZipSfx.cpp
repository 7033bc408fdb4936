// "sfx.bin", the ZIP self-extractor stub: the archive library writes it and
// a ZIP archive into one file, and the stub reads the archive from the end
// of its own file, allowing for its own length in front.
#include "standins/archive/sfx/SelfExtractor.h"

int main(int argc, char** argv) {
    return archivers::RunSelfExtractor(argc, argv, [](archivers::InputFile& self, archivers::UnpackTarget& target,
                                                      archivers::ArchiverReport& report) {
        archivers::UnpackZip(self, target, report);
    });
}
