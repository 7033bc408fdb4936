// Which wave file the outside voice product has for a tool event, and where
// its help file lies. The answers come from the product's INI file, which the
// tools only read; its values are untrusted (any number, any length).
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "framework/core/MbcsPath.h"

namespace dialogkit {

// Reads the voice product's INI file ("HALVET.INI"). Strings are returned as
// the profile functions give them from a buffer of `bufferSize` bytes, that is
// at most bufferSize - 1 characters.
class VoiceSettings {
public:
    virtual ~VoiceSettings() = default;
    virtual int GetInt(const std::string& section, const std::string& key, int fallback) = 0;
    virtual std::string GetString(const std::string& section, const std::string& key, std::size_t bufferSize) = 0;
};

// Sound flags of the platform's sndPlaySound.
enum : unsigned { kSoundAsync = 0x0001, kSoundNoDefault = 0x0002 };

struct VoicePlayback {
    std::string path;
    unsigned flags = 0;
};

// The paths the ANSI sound call can take: longer ones are not played.
constexpr std::size_t kMaxVoicePath = 259;

// Plans the sound of `event`. `seededNext` seeds the random generator with the
// current time and returns its next value (never negative); it is called once
// for a random artist and once for the variant. Nothing to play (voice off, no
// artist, no variants, a bad artist count, a path too long) gives nothing.
std::optional<VoicePlayback> PlanVoiceEvent(VoiceSettings& ini, int event, const std::function<int()>& seededNext);

// The help file for the product's PATH value: its folder part (up to and
// including the last "\") plus "Halvet.hlp"; "" when PATH is empty.
std::string VoiceHelpFile(const std::string& pathValue, LeadBytePredicate isLead);

}  // namespace dialogkit
