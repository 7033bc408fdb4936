#include "tests/win/support/DialogKitTest.h"

#include "framework/dialogs/Services.h"
#include "framework/forms/SysUtils.h"
#include "framework/dialogs/Text.h"
#include "framework/win32/WideText.h"

void ExpectCp932Texts(std::initializer_list<std::pair<const char*, const wchar_t*>> texts) {
    for (const auto& [cp932, utf16] : texts) EXPECT_EQ(WideFromCodePage(932, cp932), utf16);
}

void DialogKitTest::SetUp() {
    ResetServices();
    // One artist whose every event has one variant; the sounds are recorded.
    voiceFolder = dir.File("voice");
    CreateDirectoryA(voiceFolder.c_str(), nullptr);
    const std::string ini = WindowsFolder() + "\\HALVET.INI";
    WritePrivateProfileStringA("VoiceSet", "UserSelect", "1", ini.c_str());
    WritePrivateProfileStringA("VoiceSet", "ARTIST", "1", ini.c_str());
    WritePrivateProfileStringA("VoiceSet", "1Name", "Mika", ini.c_str());
    WritePrivateProfileStringA("VoiceSet", "PATH", voiceFolder.c_str(), ini.c_str());
    Services().playSound = [this](const std::string& path, UINT flags) {
        const std::size_t at = path.rfind("HV");
        if (at != std::string::npos && at + 5 <= path.size()) events.push_back(std::stoi(path.substr(at + 2, 3)));
        soundFlags.push_back(flags);
        return TRUE;
    };
    Services().winHelp = [this](HWND, const std::string& file, UINT, ULONG_PTR context) {
        helpCalls.push_back(file + "#" + std::to_string(context));
        return TRUE;
    };
    Services().chooseFile = [](const FileDialogRequest&) { return std::optional<std::string>(); };
    Services().chooseFolder = [](const FolderDialogRequest&) { return std::optional<std::string>(); };
    previousSink_ = SetReportSink([this](const std::string& what) { errors.push_back(what); });
}

void DialogKitTest::TearDown() {
    for (const std::string& e : errors) ADD_FAILURE() << "unexpected error: " << e;
    DeleteFileA((WindowsFolder() + "\\HALVET.INI").c_str());
    ResetServices();
    SetReportSink(std::move(previousSink_));
}
