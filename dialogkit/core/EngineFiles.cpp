#include "EngineFiles.h"

#include "MbcsPath.h"

std::unique_ptr<EngineOutput> CreateTemporaryBeside(EngineFiles& files, const std::string& target, const char* stem,
                                                    unsigned& number, std::string& path, int& error,
                                                    LeadBytePredicate isLead) {
    const std::string folder = FolderWithBackslash(target, isLead);
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        path = folder + stem + std::to_string(10000 + number++ % 10000).substr(1) + ".tmp";
        bool created = false;
        std::uint64_t previous = 0;
        if (auto output = files.OpenOutput(path, OutputOpen::CreateNew, created, previous, error)) return output;
        FileStat stat;
        if (!files.Stat(path, stat)) return nullptr;  // not a name clash
    }
    return nullptr;
}
