#include "main/clock/core/AlarmRules.h"

#include "framework/core/MbcsPath.h"
#include "framework/core/StrUtils.h"
#include "main/clock/core/ZoneIni.h"
#include "main/clock/core/ZoneMath.h"
#include "main/clock/core/ZoneOffsets.h"

namespace worldclock {

const char* const SoundChoiceCaptions[SoundChoiceCount] = {"Alarm", "Bell", "Time signal", "Others"};

namespace {
std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + IntToStr(n); }

// Fields of one or two digits between `separator`s, exactly `count` of them.
bool SplitNumbers(const std::string& text, char separator, int* out, int count) {
    size_t pos = 0;
    for (int i = 0; i < count; ++i) {
        const size_t end = i + 1 < count ? text.find(separator, pos) : text.size();
        if (end == std::string::npos) return false;
        const size_t length = end - pos;
        if (length < 1 || length > 2) return false;
        int value = 0;
        for (size_t j = pos; j < end; ++j) {
            if (text[j] < '0' || text[j] > '9') return false;
            value = value * 10 + (text[j] - '0');
        }
        out[i] = value;
        pos = end + 1;
    }
    return true;
}
}  // namespace

std::string AlarmDateText(int year, int month, int day) {
    return TwoDigits(year % 100) + "-" + IntToStr(month) + "-" + IntToStr(day);
}

std::string AlarmTimeText(int hour, int minute, int second) {
    return IntToStr(hour) + ":" + TwoDigits(minute) + ":" + TwoDigits(second);
}

bool ParseAlarmDate(const std::string& text, int& year, int& month, int& day) {
    int f[3];
    if (!SplitNumbers(text, '-', f, 3)) return false;
    const int y = FirstAlarmYear + f[0];
    if (f[1] < 1 || f[1] > 12 || f[2] < 1 || f[2] > DaysInMonth(y, f[1])) return false;
    year = y;
    month = f[1];
    day = f[2];
    return true;
}

bool ParseAlarmTime(const std::string& text, int& hour, int& minute, int& second) {
    int f[3];
    if (!SplitNumbers(text, ':', f, 3) || f[0] > 23 || f[1] > 59 || f[2] > 59) return false;
    hour = f[0];
    minute = f[1];
    second = f[2];
    return true;
}

std::string CityZoneText(const std::string& name, int minutes) {
    return name + ZoneOffsetText(minutes, ZoneTextStyle::Bracket);
}

std::string ExtractCityName(const std::string& location, LeadBytePredicate isLead) {
    for (size_t i = 0; i < location.size(); ++i) {
        if (isLead(static_cast<unsigned char>(location[i])) && i + 1 < location.size()) {
            ++i;
            continue;
        }
        if (location[i] == '[') return location.substr(0, i);
    }
    return std::string();
}

std::string AlarmStyleText(bool text, bool sound) {
    if (text && sound) return "T/S";
    if (text) return "T";
    return sound ? "S" : "";
}

bool StyleHasText(const std::string& style) { return style == "T" || style == "T/S"; }
bool StyleHasSound(const std::string& style) { return style == "S" || style == "T/S"; }

std::string BuiltInSoundPath(const std::string& soundFolder, int choice) {
    if (choice < 0 || choice >= OtherSoundChoice) return std::string();
    return soundFolder + "\\" + LowerCaseAscii(SoundChoiceCaptions[choice]);
}

int SoundChoiceOfPath(const std::string& path, LeadBytePredicate isLead) {
    const std::string name = NameAfterLastBackslash(path, isLead);
    for (int choice = 0; choice < OtherSoundChoice; ++choice)
        if (name == LowerCaseAscii(SoundChoiceCaptions[choice])) return choice;
    return OtherSoundChoice;
}

std::string WavFileOf(const std::string& path) {
    const std::string ext = ".wav";
    if (path.size() >= ext.size() && SameTextAscii(path.substr(path.size() - ext.size()), ext)) return path;
    return path + ext;
}

std::string OneLineMemo(const std::string& text, LeadBytePredicate isLead) {
    std::string out;
    for (size_t i = 0; i < text.size() && out.size() < static_cast<size_t>(MaxMemoLength); ++i) {
        const char c = text[i];
        if (isLead(static_cast<unsigned char>(c)) && i + 1 < text.size()) {
            if (out.size() + 2 > static_cast<size_t>(MaxMemoLength)) break;
            out += c;
            out += text[++i];
        } else if (c == '\r' || c == '\n') {
            // A line break of either kind, or both, is one blank.
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

std::string AlarmNoticeText(const std::string& name, int zoneMinutes, int year, int month, int day, int hour,
                            int minute, int second) {
    return name + "\r\n" + ZoneOffsetToText(zoneMinutes) + "\r\n" + IntToStr(year) + "-" + IntToStr(month) + "-" +
           IntToStr(day) + " " + IntToStr(hour) + ":" + IntToStr(minute) + ":" + TwoDigits(second);
}

TFrequencyLayout FrequencyLayout(bool everyDay) {
    if (everyDay) return TFrequencyLayout{false, {16, 73}, {15, 56}};
    return TFrequencyLayout{true, {232, 73}, {232, 56}};
}

TSoundControls SoundControls(bool soundTicked, int choice) {
    return TSoundControls{soundTicked, soundTicked && choice == OtherSoundChoice};
}

EditorFault CheckEditor(bool fileBoxEnabled, const std::string& fileName, int zoneIndex, const std::string& location,
                        LeadBytePredicate isLead) {
    if (fileBoxEnabled && fileName.empty()) return EditorFault::NoWaveFile;
    if (zoneIndex < 0 || zoneIndex >= ZoneOffsetCount) return EditorFault::NoZone;
    if (!location.empty() && CheckLocationName(location, isLead) != LocationNameFault::None)
        return EditorFault::BadName;
    return EditorFault::None;
}

}  // namespace worldclock
