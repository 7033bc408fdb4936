#include "framework/core/TempFolder.h"

#include <cstdlib>

std::string TempFolder() {
    const char* named = std::getenv("TMPDIR");
    std::string folder = named && *named ? named : "/tmp";
    return folder.back() == '/' ? folder : folder + '/';
}
