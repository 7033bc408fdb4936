#include "framework/core/FileReplace.h"

#include <algorithm>
#include <cerrno>

#include "framework/core/FilePtr.h"

RewriteResult WriteFileReplacing(const std::string& target, const std::function<bool(std::FILE*)>& write) {
    std::string temporary;
    FilePtr file;
    for (int n = 0; n < 100 && !file; ++n) {
        temporary = target + ".tmp" + (n ? std::to_string(n) : std::string());
        errno = 0;
        file.reset(CreateNewFile(temporary));
        if (!file && errno != EEXIST) break;  // not a taken name: the folder refuses
    }
    if (!file) return RewriteResult::CannotCreate;
    bool written = false;
    try {
        written = write(file.get());
    } catch (...) {
        file.reset();
        std::remove(temporary.c_str());
        throw;
    }
    // Buffered data meets the disk only here, so a full disk shows up here.
    written = std::fclose(file.release()) == 0 && written;
    if (written && ReplaceFileWith(target, temporary)) return RewriteResult::Written;
    std::remove(temporary.c_str());
    return RewriteResult::CannotWrite;
}

std::string TemporaryNameBeside(const std::string& targetName, const char* stem, unsigned number,
                                LeadBytePredicate isLead) {
    // Characters, not bytes: the path limit counts a double-byte one once.
    std::size_t characters = 0;
    for (std::size_t i = 0; i < targetName.size(); ++i, ++characters)
        if (isLead(static_cast<unsigned char>(targetName[i]))) ++i;
    if (characters >= 11) return stem + std::to_string(10000 + number % 10000).substr(1) + ".tmp";
    std::string name(std::max<std::size_t>(characters, 1), '0');
    name[0] = '~';
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (std::size_t i = name.size(); i-- > 1; number /= 36) name[i] = digits[number % 36];
    return name;
}
