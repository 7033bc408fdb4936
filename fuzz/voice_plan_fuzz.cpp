// The voice product's INI values are outside the system: any number, any
// text. The plan must not crash or divide by zero, and what it plays must be
// a path the ANSI sound call can take.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "dialogkit/core/VoicePlan.h"

namespace {

class BytesIni : public dialogkit::VoiceSettings {
public:
    std::map<std::string, std::string> values;
    int GetInt(const std::string& section, const std::string& key, int fallback) override {
        const auto it = values.find(section + "/" + key);
        if (it == values.end()) return fallback;
        return static_cast<int>(std::strtol(it->second.c_str(), nullptr, 10));
    }
    std::string GetString(const std::string& section, const std::string& key, std::size_t bufferSize) override {
        const auto it = values.find(section + "/" + key);
        if (it == values.end()) return "";
        return it->second.substr(0, bufferSize - 1);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Fields separated by NUL: UserSelect, ARTIST, 1Name, 2Name, PATH, the
    // count of the artist's event key, then the random values.
    std::string fields[7];
    int field = 0;
    for (std::size_t i = 0; i < size && field < 7; ++i) {
        if (data[i] == 0) {
            ++field;
        } else {
            fields[field] += static_cast<char>(data[i]);
        }
    }
    BytesIni ini;
    ini.values["VoiceSet/UserSelect"] = fields[0];
    ini.values["VoiceSet/ARTIST"] = fields[1];
    ini.values["VoiceSet/1Name"] = fields[2];
    ini.values["VoiceSet/2Name"] = fields[3];
    ini.values["VoiceSet/PATH"] = fields[4];
    for (const std::string& name : {fields[2].substr(0, 9), fields[3].substr(0, 9)}) {
        ini.values[name + "/016"] = fields[5];
    }
    std::size_t next = 0;
    const std::string& random = fields[6];
    const auto plan = dialogkit::PlanVoiceEvent(ini, 16, [&] {
        const int value = random.empty() ? 0 : static_cast<unsigned char>(random[next++ % random.size()]) * 131;
        return value;
    });
    if (plan) {
        if (plan->path.empty() || plan->path.size() > dialogkit::kMaxVoicePath) std::abort();
        if (plan->path.compare(plan->path.size() - 4, 4, ".wav") != 0) std::abort();
    }
    (void)dialogkit::VoiceHelpFile(fields[4], Cp932LeadByte);
    return 0;
}
