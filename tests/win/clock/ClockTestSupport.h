// What the clock tests share: a clock set to any instant and zone, the two
// settings files in a folder of their own, a stand-in bar carrying the clock
// panel, scripted answers to message boxes, and a script that works modal
// dialogs from inside their message loops.
#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "main/clock/ClockPanel.h"
#include "main/clock/ClockSource.h"
#include "tests/win/support/FormDriver.h"
#include "framework/forms/MessageDlg.h"
#include "tests/win/support/TestSupport.h"

worldclock::CivilTime Civil(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
// UTC plus `minutes`, carried by the system's own file-time conversions.
worldclock::CivilTime SystemZoneTime(const worldclock::CivilTime& utc, int minutes);
// The locale's short day name, from the locale's list of names.
std::string LocaleShortDayName(int year, int month, int day);
// The locale's long time format of a time of day.
std::string LocaleLongTime(const worldclock::CivilTime& t);

// The clock stands at Utc with the machine at LocalOffset until destroyed.
class FakeClock {
public:
    FakeClock(const worldclock::CivilTime& utc, int localOffset);
    ~FakeClock();
    worldclock::CivilTime Utc;
    int LocalOffset;

private:
    worldclock::TClockSource previous_;
};

// "Zonef.ini" and "Zonefset.ini" in a fresh folder.
class ClockFiles {
public:
    ClockFiles();
    ~ClockFiles();
    std::string ZonePath() const { return dir_.File("Zonef.ini"); }
    std::string SetPath() const { return dir_.File("Zonefset.ini"); }
    void WriteZone(const std::string& text) const { WriteFileBytes(ZonePath(), text); }
    void WriteSet(const std::string& text) const { WriteFileBytes(SetPath(), text); }
    std::string ReadZone() const { return ReadFileBytes(ZonePath()); }
    std::string ReadSet() const { return ReadFileBytes(SetPath()); }

private:
    TempDir dir_;
};

// An INI file as sections of key=value lines, in file order: "[S]\nk=v\n...".
// Lines are taken as the profile functions take them (blanks around keys and
// values dropped); a line without "=" is kept as it is.
std::string IniContent(const std::string& bytes);
// One section of that: "k=v\n..." ("" when absent).
std::string IniSection(const std::string& bytes, const std::string& section);

// A bar with a clock panel, a hint label and the menu state the clock reads,
// in the bar's font unless told another.
class TestBar {
public:
    explicit TestBar(int width = 640, const char* fontName = nullptr, int fontSize = 8);
    ~TestBar();
    TestBar(const TestBar&) = delete;
    TestBar& operator=(const TestBar&) = delete;
    TForm* Form;
    TPanel* Qtime;
    TLabel* ZoneHint;
    int OpenMenuKind = 0;
    HWND Tip = nullptr;
    worldclock::TClockPanel* Clock;
    // Captions of the clock menu's items, top to bottom.
    std::vector<std::string> MenuCaptions() const;
    // Index of the checked item, -1 when none (the last one when several).
    int CheckedIndex() const;
};

// A window's pixels as the screen shows them, row by row, 0x00RRGGBB.
struct Snapshot {
    int Width = 0, Height = 0;
    std::vector<unsigned> Pixels;
    unsigned At(int x, int y) const {
        return Pixels[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)];
    }
};
Snapshot SnapWindow(HWND hwnd);
// Also writes the snapshot, as a BMP, into the folder named by the variable
// MIVORA_CLOCK_SHOTS when it is set, for a person to look at.
void KeepSnapshot(const Snapshot& shot, const std::string& name);

// Where the alarm mark and the time stand inside a clock panel (its bevel
// left out), found from what the screen shows: the mark is what changes when
// it is hidden, the time what is not background without it. Empty rectangles
// when either is not seen.
struct PanelInk {
    RECT Text{0, 0, 0, 0};
    RECT Mark{0, 0, 0, 0};
    int Inset = 1;
    bool Overlap() const;
};
PanelInk AlarmMarkAndTime(worldclock::TClockPanel* clock, TPanel* qtime, const std::string& shotName);

// Answers message boxes from a queue (by default Yes to a question with Yes,
// else OK) and keeps their texts.
class DialogAnswers {
public:
    DialogAnswers();
    ~DialogAnswers();
    std::deque<int> answers;
    std::vector<std::string> texts;
    std::vector<TMsgDlgType> types;

private:
    TMessageDlgHook previous_;
};

// Command lines the clock would have started.
class RecordedCommands {
public:
    RecordedCommands();
    ~RecordedCommands();
    std::vector<std::string> lines;

private:
    std::function<void(const std::string&)> previous_;
};
