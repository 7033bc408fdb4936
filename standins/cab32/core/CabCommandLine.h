// The command line of the cabinet archiver stand-in, as the split library
// builds it:  -a -ml:21 -v:<KB> "<set name>" "<file>" ...
// It comes from another module, so every malformed form is refused with a
// reason instead of being guessed at.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cabinet {

enum class CabMethod { Store, MsZip, Lzx };

struct CabCommand {
    bool add = false;
    CabMethod method = CabMethod::MsZip;
    int lzxWindow = 0;            // 15-21 with Lzx
    std::uint32_t volumeKB = 0;   // 0: one cabinet, no volumes
    std::string setName;          // volumes are <setName>1.cab, <setName>2.cab, ...
    std::vector<std::string> files;
};

// Largest volume that a cabinet's 32-bit sizes can describe, in KB.
constexpr std::uint32_t kMaxVolumeKB = 0x3FFFFF;

std::optional<CabCommand> ParseCabCommand(const std::string& text, std::string& error);

}  // namespace cabinet
