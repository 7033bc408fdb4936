#include "dialogkit/core/EngineFiles.h"

#include "framework/core/FileReplace.h"
#include "framework/core/MbcsPath.h"

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
