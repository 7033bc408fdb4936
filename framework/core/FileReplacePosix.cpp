#include "framework/core/FileReplace.h"

#include <fcntl.h>
#include <unistd.h>

std::FILE* CreateNewFile(const std::string& path) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0) return nullptr;
    std::FILE* f = fdopen(fd, "wb");
    if (!f) close(fd);
    return f;
}

bool ReplaceFileWith(const std::string& target, const std::string& source) {
    return std::rename(source.c_str(), target.c_str()) == 0;
}
