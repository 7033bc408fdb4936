// "sfx.bin", the ZIP self-extractor stub: the archive library writes it and
// a ZIP archive into one file, and the stub reads the archive from the end
// of its own file, allowing for its own length in front.
#include "standins/archive/sfx/SelfExtractor.h"

int main(int argc, char** argv) {
    return RunSelfExtractor(argc, argv, [](InputFile& self, UnpackTarget& target, ArchiverReport& report) {
        UnpackZip(self, target, report);
    });
}
