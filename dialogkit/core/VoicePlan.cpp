#include "dialogkit/core/VoicePlan.h"

#include <cstdio>

namespace dialogkit {

namespace {
const char kVoiceSet[] = "VoiceSet";
}

std::optional<VoicePlayback> PlanVoiceEvent(VoiceSettings& ini, int event, const std::function<int()>& seededNext) {
    int artist = ini.GetInt(kVoiceSet, "UserSelect", 1);
    if (artist == 0) return std::nullopt;
    const int artists = ini.GetInt(kVoiceSet, "ARTIST", 1);
    if (artist > artists) {
        // "Any artist" needs at least one artist to choose from; a count of 0
        // or less would divide by zero.
        if (artists <= 0) return std::nullopt;
        artist = seededNext() % artists + 1;
    }
    // The product keeps the artist's section name in a 10-byte buffer.
    const std::string section = ini.GetString(kVoiceSet, std::to_string(artist) + "Name", 10);
    if (section.empty()) return std::nullopt;

    char eventKey[16];
    std::snprintf(eventKey, sizeof eventKey, "%.3d", event);
    const int variants = ini.GetInt(section, eventKey, 1);
    if (variants < 1) return std::nullopt;
    const int variant = seededNext() % variants + 1;

    std::string folder = ini.GetString(kVoiceSet, "PATH", 255);
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    VoicePlayback playback;
    playback.path = folder + section + "HV" + eventKey + std::to_string(variant) + ".wav";
    if (playback.path.size() > kMaxVoicePath) return std::nullopt;
    // Event 2 is played to its end before the caller goes on; the others are not waited for.
    playback.flags = event == 2 ? kSoundNoDefault : (kSoundAsync | kSoundNoDefault);
    return playback;
}

std::string VoiceHelpFile(const std::string& pathValue, LeadBytePredicate isLead) {
    if (pathValue.empty()) return std::string();
    return FolderWithBackslash(pathValue, isLead) + "Halvet.hlp";
}

}  // namespace dialogkit
