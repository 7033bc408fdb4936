// The long jobs' files on the Win32 file system.
#pragma once
#include "dialogkit/core/EngineFiles.h"

class Win32EngineFiles : public EngineFiles {
public:
    std::unique_ptr<EngineInput> OpenInput(const std::string& path, bool denyWrite, int& error) override;
    std::unique_ptr<EngineOutput> OpenOutput(const std::string& path, OutputOpen how, bool& created,
                                             std::uint64_t& previousLength, int& error) override;
    bool Remove(const std::string& path) override;
    bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries, int& error) override;
    bool Stat(const std::string& path, FileStat& stat) override;
    FileIdentity FolderIdentity(const std::string& path) override;
    bool MakeFolder(const std::string& path) override;
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override;
    bool Replace(const std::string& target, const std::string& source, int& error) override;
};
