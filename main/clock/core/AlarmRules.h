// Texts and rules of the alarms that need no platform: the stored date and
// time forms, the location text, the style, the sound file, the memo, the
// notice's text, and what the single-alarm editor shows and accepts.
#pragma once
#include <string>

#include "framework/core/LeadBytes.h"

namespace worldclock {

// The store holds two-digit years: an alarm can be set within these years only.
constexpr int FirstAlarmYear = 2000;
constexpr int LastAlarmYear = 2099;

// The stored forms, the same whatever the user's locale: "26-3-1" and "7:05:00".
std::string AlarmDateText(int year, int month, int day);
std::string AlarmTimeText(int hour, int minute, int second);
// Each field one or two digits, within its range (the day within its month);
// false, fields untouched, for anything else.
bool ParseAlarmDate(const std::string& text, int& year, int& month, int& day);
bool ParseAlarmTime(const std::string& text, int& hour, int& minute, int& second);

// The location column: the name, then its zone as "[GMT +09:00]".
std::string CityZoneText(const std::string& name, int minutes);
// The name in a location text: what stands before its first "[" ("" without one).
std::string ExtractCityName(const std::string& location, LeadBytePredicate isLead);

// "T/S" with text and sound, "T" or "S" with one, "" with neither.
std::string AlarmStyleText(bool text, bool sound);
bool StyleHasText(const std::string& style);
bool StyleHasSound(const std::string& style);

// The built-in sounds, in the order of the editor's choices; the fourth
// choice ("Others") is a file the user picks.
constexpr int SoundChoiceCount = 4;
constexpr int OtherSoundChoice = 3;
extern const char* const SoundChoiceCaptions[SoundChoiceCount];  // "Alarm", "Bell", "Time signal", "Others"
// A built-in sound is stored as the sound folder, "\" and its lower-cased caption.
std::string BuiltInSoundPath(const std::string& soundFolder, int choice);
// The choice a stored path stands for: a built-in one when its file name is
// one's lower-cased caption, else OtherSoundChoice.
int SoundChoiceOfPath(const std::string& path, LeadBytePredicate isLead);
// The file that plays: ".wav" is added unless the path already ends in it, in
// any letter case.
std::string WavFileOf(const std::string& path);

// A memo is one value of the file: one line, at most this many bytes, never
// cut inside a double-byte character.
constexpr int MaxMemoLength = 256;
std::string OneLineMemo(const std::string& text, LeadBytePredicate isLead);

// The notice: the location's name, its zone, then the date and time of the
// alarm at the location.
std::string AlarmNoticeText(const std::string& name, int zoneMinutes, int year, int month, int day, int hour,
                            int minute, int second);

// ---- the single-alarm editor ----

struct TControlPlace {
    int Left, Top;
};
// Where the time picker and its label stand: left for a daily alarm, whose
// date is hidden, right of the date for a one-time alarm.
struct TFrequencyLayout {
    bool DateShown;
    TControlPlace TimePicker, TimeLabel;
};
TFrequencyLayout FrequencyLayout(bool everyDay);

// Which sound controls can be used.
struct TSoundControls {
    bool Choices;  // the four choices
    bool FileBox;  // the file name box and the browse button
};
TSoundControls SoundControls(bool soundTicked, int choice);

// What Ok refuses, in the order it checks: a sound file still to be chosen, no
// zone selected (its minutes would be read from outside the table), a
// location name the settings file could not hold as typed. An empty name is
// left to the alarm list, which asks for a location.
enum class EditorFault { None, NoWaveFile, NoZone, BadName };
EditorFault CheckEditor(bool fileBoxEnabled, const std::string& fileName, int zoneIndex, const std::string& location,
                        LeadBytePredicate isLead);

}  // namespace worldclock
