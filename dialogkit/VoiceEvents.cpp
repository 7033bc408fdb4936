#include "dialogkit/VoiceEvents.h"

#include <cstdlib>
#include <ctime>
#include <string>

#include "framework/dialogs/Services.h"
#include "framework/dialogs/Text.h"
#include "dialogkit/core/VoicePlan.h"

namespace dialogkit {

namespace {

// The profile functions look for a bare file name in the Windows folder.
class VoiceIni : public VoiceSettings {
public:
    explicit VoiceIni(std::string file) : file_(std::move(file)) {}
    int GetInt(const std::string& section, const std::string& key, int fallback) override {
        return static_cast<int>(GetPrivateProfileIntA(section.c_str(), key.c_str(), fallback, file_.c_str()));
    }
    std::string GetString(const std::string& section, const std::string& key, std::size_t bufferSize) override {
        std::string value(bufferSize, '\0');
        const DWORD got = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", &value[0],
                                                   static_cast<DWORD>(bufferSize), file_.c_str());
        value.resize(got);
        return value;
    }

private:
    std::string file_;
};

std::string WindowsFolder() {
    std::string folder(MAX_PATH, '\0');
    const UINT got = GetWindowsDirectoryA(&folder[0], MAX_PATH);
    folder.resize(got < MAX_PATH ? got : 0);
    return folder;
}

}  // namespace

void PlayVoiceEvent(int event) {
    VoiceIni ini("HALVET.INI");
    const auto plan = PlanVoiceEvent(ini, event, [] {
        // Seeded anew for each choice, as the product's own tools do.
        std::srand(static_cast<unsigned>(std::time(nullptr)));
        return std::rand();
    });
    if (!plan) return;
    if (Services().playSound) Services().playSound(plan->path, plan->flags);
}

void ShowVoiceHelp(HWND owner, DWORD context) {
    std::string ini = WindowsFolder();
    if (!ini.empty() && ini.back() != '\\') ini += '\\';
    ini += "halvet.ini";
    std::string path(255, '\0');
    path.resize(GetPrivateProfileStringA("VoiceSet", "PATH", "", &path[0], 255, ini.c_str()));
    const std::string helpFile = VoiceHelpFile(path, SystemLeadByte);
    if (helpFile.empty()) return;
    if (Services().winHelp) Services().winHelp(owner, helpFile, HELP_CONTEXT, context);
}

}  // namespace dialogkit
