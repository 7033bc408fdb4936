// Builds the software search's table of known programs from its text source:
//   qappgen SOURCE.txt OUT_DIR      writes OUT_DIR/qapp.idx and OUT_DIR/qapp.dat
// A fault in the source stops the build with the line it is on.
#include <fstream>
#include <iostream>
#include <sstream>

#include "main/bar/core/KnownPrograms.h"

namespace bar {

namespace {
bool WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}
}  // namespace

}  // namespace bar

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: qappgen SOURCE.txt OUT_DIR\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << argv[1] << ": can't read\n";
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::vector<bar::KnownProgramLine> lines;
    std::string error;
    if (!bar::ParseKnownProgramSource(text.str(), lines, error)) {
        std::cerr << argv[1] << ": " << error << "\n";
        return 1;
    }
    const bar::KnownProgramFiles files = bar::BuildKnownProgramFiles(lines);
    const std::string dir = argv[2];
    if (!bar::WriteFile(dir + "/qapp.idx", files.index) || !bar::WriteFile(dir + "/qapp.dat", files.records)) {
        std::cerr << dir << ": can't write the table\n";
        return 1;
    }
    return 0;
}
