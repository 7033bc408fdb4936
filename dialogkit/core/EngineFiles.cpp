#include "EngineFiles.h"

#include <algorithm>

#include "MbcsPath.h"

std::string TemporaryNameBeside(const std::string& targetName, const char* stem, unsigned number,
                                LeadBytePredicate isLead) {
    // Characters, not bytes: the path limit counts a double-byte one once.
    std::size_t characters = 0;
    for (std::size_t i = 0; i < targetName.size(); ++i, ++characters)
        if (isLead(static_cast<unsigned char>(targetName[i]))) ++i;
    if (characters >= 11) return stem + std::to_string(10000 + number % 10000).substr(1) + ".tmp";
    std::string name(std::max<std::size_t>(characters, 1), '0');
    name[0] = '~';
    for (std::size_t i = name.size(); i-- > 1; number /= 36) name[i] = "0123456789abcdefghijklmnopqrstuvwxyz"[number % 36];
    return name;
}

std::unique_ptr<EngineOutput> CreateTemporaryBeside(EngineFiles& files, const std::string& target, const char* stem,
                                                    unsigned& number, std::string& path, int& error,
                                                    LeadBytePredicate isLead) {
    const std::string folder = FolderWithBackslash(target, isLead);
    const std::string name = NameAfterLastBackslash(target, isLead);
    std::string first;
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        path = folder + TemporaryNameBeside(name, stem, number++, isLead);
        if (path == first) break;  // a short name has few to try
        if (first.empty()) first = path;
        bool created = false;
        std::uint64_t previous = 0;
        if (auto output = files.OpenOutput(path, OutputOpen::CreateNew, created, previous, error)) return output;
        FileStat stat;
        if (!files.Stat(path, stat)) return nullptr;  // not a name clash
    }
    return nullptr;
}
