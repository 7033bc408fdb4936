// The alarm store's file, the stored forms, the editor's rules and the due
// rule, the last against a fake clock that ticks late, skips, is set back and
// forward, and crosses the year while locations switch to daylight time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/clock/core/AlarmDue.h"
#include "main/clock/core/AlarmRules.h"
#include "main/clock/core/AlarmStore.h"
#include "framework/core/LeadBytes.h"
#include "framework/core/MbcsPath.h"

using namespace worldclock;

namespace {

TStoredAlarm Alarm(const std::string& date, const std::string& time, const std::string& location, int state = asOn) {
    TStoredAlarm a;
    a.Date = date;
    a.Time = time;
    a.Location = location;
    a.Style = "T/S";
    a.State = state;
    return a;
}

TEST(AlarmStore, SavesEveryRowAndSlotAndLoadsThemBack) {
    TIniText ini("[daySetting]\r\nmyDaySetting5=Every day\r\n");
    std::vector<TStoredAlarm> alarms{Alarm(EveryDayText, "7:05:00", "Paris[GMT +01:00]"),
                               Alarm("26-3-1", "0:00:05", "Kathmandu[GMT +05:45]", asDone)};
    alarms[0].SoundFile = "C:\\Mivora\\bell";
    alarms[1].Memo = "call home";
    alarms[1].Daylight = true;
    SaveAlarms(ini, alarms, {});
    EXPECT_EQ(LoadAlarms(ini), alarms);
    EXPECT_EQ(ini.ReadString("ItemNU", "Itemnu", ""), "2");
    EXPECT_EQ(ini.ReadString("daySetting", "myDaySetting5", "gone"), "gone");
    EXPECT_EQ(ini.ReadString("date", "myDate1", "none"), "none");
    EXPECT_EQ(ini.ReadString("image", "myImageList0", ""), "0");
    EXPECT_EQ(ini.ReadString("image", "myImageList32", ""), "0");
    EXPECT_EQ(ini.ReadString("ZoneMenuAlarmDaylight", "1", ""), "1");
    EXPECT_EQ(ini.ReadString("ZoneMenuAlarmDaylight", "2", ""), "0");
    EXPECT_EQ(ini.ReadString("ZoneMenuAlarmTempDaylight", "1", ""), "1");

    // A daily alarm keeps an older row's date, which loading ignores.
    alarms = {Alarm("26-3-1", "7:05:00", "x[GMT 00:00]")};
    SaveAlarms(ini, alarms, {});
    alarms[0].Date = EveryDayText;
    SaveAlarms(ini, alarms, {});
    EXPECT_EQ(ini.ReadString("date", "myDate1", ""), "26-3-1");
    EXPECT_TRUE(LoadAlarms(ini)[0].Daily());

    SaveAlarms(ini, {}, {});
    EXPECT_EQ(ini.ReadString("ItemNU", "Itemnu", ""), "0");
    EXPECT_FALSE(AlarmsStored(ini));
    for (int s = 0; s < AlarmSlotCount; ++s)
        EXPECT_EQ(ini.ReadString("image", "myImageList" + std::to_string(s), ""), "0");
}

TEST(AlarmStore, HandEditedValuesCannotOverrunAnything) {
    struct Case {
        const char* count;
        const char* state;
        size_t rows;
        int firstState;
    } cases[] = {
        {"2", "1", 2, asOn},     {"999", "2", 32, asOff}, {"-3", "1", 0, asOn},  {"x", "1", 0, asOn},
        {"32", "3", 32, asDone}, {"33", "1", 32, asOn},   {"1", "7", 1, asNone}, {"1", "on", 1, asNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count + std::string(" ") + c.state);
        const TIniText ini(std::string("[itemnu]\nITEMNU = ") + c.count + "\n[IMAGE]\nMyImageList1=" + c.state +
                           "\n[date]\nmyDate1=\n");
        const std::vector<TStoredAlarm> alarms = LoadAlarms(ini);
        ASSERT_EQ(alarms.size(), c.rows);
        if (c.rows) {
            EXPECT_EQ(alarms[0].State, c.firstState);
            EXPECT_EQ(alarms[0].Date, "99-1-1");  // written empty: not a row without an alarm
            EXPECT_EQ(alarms[0].Location, "Hong kong(GMT+08:00)");
        }
    }
}

// The daylight flags of the rows left move with them, and the next alarm
// added starts without the hour of the one removed.
TEST(AlarmStore, DaylightFlagsStayWithTheirAlarms) {
    struct Case {
        const char* before;  // keys 1.. of the flags
        int removedKey;
        const char* after;  // once one alarm more is added
    } cases[] = {
        {"101", 2, "110"},  // the middle one of three
        {"101", 3, "100"},  // the top one
        {"101", 1, "010"},
        {"1", 1, "0"},
    };
    for (const Case& c : cases) {
        const int count = static_cast<int>(std::string(c.before).size());
        std::vector<TStoredAlarm> alarms(static_cast<size_t>(count), Alarm("26-3-1", "7:00:00", "x[GMT 00:00]"));
        for (int n = 1; n <= count; ++n) alarms[static_cast<size_t>(n - 1)].Daylight = c.before[count - n] == '1';
        TIniText ini;
        SaveAlarms(ini, alarms, {});
        alarms = LoadAlarms(ini);
        alarms.erase(alarms.begin() + (count - c.removedKey));
        alarms.insert(alarms.begin(), Alarm("26-3-2", "7:00:00", "x[GMT 00:00]"));
        SaveAlarms(ini, alarms, {});
        std::string committed, working;
        for (int k = 1; k <= count; ++k) committed += ini.ReadString("ZoneMenuAlarmDaylight", std::to_string(k), "-");
        for (int k = 1; k <= count; ++k) working += ini.ReadString("ZoneMenuAlarmTempDaylight", std::to_string(k), "-");
        EXPECT_EQ(committed, c.after) << c.before << " less " << c.removedKey;
        EXPECT_EQ(working, committed);
    }
    EXPECT_EQ(DaylightKey(1, 3), 3);
    EXPECT_EQ(DaylightKey(3, 3), 1);
}

// A count out of range shows what it can, and a save of the list as shown
// changes no key but the count: not the rows past 32, nor those a count below
// 0 left unshown.
TEST(AlarmStore, SavingWhatWasShownKeepsWhatWasNot) {
    std::string text = "[daySetting]\r\n";
    for (int n = 1; n <= 40; n += 4) text += "myDaySetting" + std::to_string(n) + "=Every day\r\n";
    TIniText rows(text);
    for (int n = 0; n <= 40; ++n) {
        const std::string k = std::to_string(n);
        rows.WriteString("city", "MyCity" + k, "c" + k + "[GMT +01:00]");
        rows.WriteString("Memo", "myMemo" + k, "memo " + k);
        rows.WriteString("image", "myImageList" + k, std::to_string(n % 4));
        rows.WriteString("ZoneMenuAlarmDaylight", k, n % 3 ? "0" : "1");
        rows.WriteString("ZoneMenuAlarmTempDaylight", k, n % 3 ? "0" : "1");
    }
    const struct {
        const char* count;
        size_t shown;
    } cases[] = {{"40", 32}, {"99999", 32}, {"32", 32}, {"-3", 0}, {"x", 0}, {"5", 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        TIniText ini(rows);
        ini.WriteString("ItemNU", "Itemnu", c.count);
        TSpareRows spare;
        const std::vector<TStoredAlarm> alarms = LoadAlarms(ini, &spare);
        ASSERT_EQ(alarms.size(), c.shown);
        if (c.shown) EXPECT_EQ(alarms[0].Daylight, c.shown % 3 == 0) << "the flag of key " << c.shown;
        TIniText saved(ini);
        SaveAlarms(saved, alarms, spare);
        for (const char* section :
             {"city", "daySetting", "Memo", "image", "ZoneMenuAlarmDaylight", "ZoneMenuAlarmTempDaylight"})
            for (const std::string& key : ini.ReadKeys(section))
                EXPECT_EQ(saved.ReadString(section, key, "gone"), ini.ReadString(section, key, "")) << section << key;
        EXPECT_EQ(saved.ReadString("ItemNU", "Itemnu", ""), std::to_string(c.shown));
    }
}

TEST(AlarmStore, TextProfileReadsAsTheSystemDoes) {
    const TIniText ini("junk=1\n[A]\n  Key = \"quoted\" \nkey=second\n;c=1\nnoequals\n[a]\nz=1\n");
    EXPECT_EQ(ini.ReadString("a", "KEY", "-"), "quoted");
    EXPECT_EQ(ini.ReadString("A", "z", "-"), "1");
    EXPECT_EQ(ini.ReadString("A", ";c", "-"), "-");
    EXPECT_EQ(ini.ReadString("", "junk", "-"), "-");
    TIniText out;
    out.WriteString("S", "k", "v");
    out.WriteString("s", "K", "w");
    out.WriteString("T", "k", "");
    EXPECT_EQ(out.Text(), "[S]\r\nk=w\r\n[T]\r\nk=\r\n");
}

TEST(AlarmTexts, StoredFormsIgnoreTheLocale) {
    EXPECT_EQ(AlarmDateText(2026, 3, 1), "26-3-1");
    EXPECT_EQ(AlarmDateText(2005, 12, 31), "05-12-31");
    EXPECT_EQ(AlarmTimeText(7, 5, 0), "7:05:00");
    EXPECT_EQ(AlarmTimeText(0, 0, 9), "0:00:09");
    EXPECT_EQ(AlarmTimeText(23, 59, 59), "23:59:59");
    struct Case {
        const char* date;
        bool ok;
        int ymd;
    } dates[] = {
        {"26-3-1", true, 20260301},
        {"26-03-01", true, 20260301},
        {"0-1-1", true, 20000101},
        {"99-12-31", true, 20991231},
        {"28-2-29", true, 20280229},
        {"26-2-29", false, 0},
        {"26-13-1", false, 0},
        {"26-0-1", false, 0},
        {"2026-3-1", false, 0},
        {"26-3", false, 0},
        {"", false, 0},
        {"--", false, 0},
        {"26-3-1-", false, 0},
        {"a-b-c", false, 0},
        {" 26-3-1", false, 0},
        {"26/3/1", false, 0},
    };
    for (const auto& c : dates) {
        int y = -1, m = -1, d = -1;
        EXPECT_EQ(ParseAlarmDate(c.date, y, m, d), c.ok) << c.date;
        if (c.ok) EXPECT_EQ(y * 10000 + m * 100 + d, c.ymd) << c.date;
        if (!c.ok) EXPECT_EQ(y, -1) << c.date;
    }
    struct TimeCase {
        const char* time;
        bool ok;
        int seconds;
    } times[] = {
        {"7:05:00", true, 25500}, {"0:0:0", true, 0},    {"23:59:59", true, 86399},
        {"24:00:00", false, 0},   {"7:60:00", false, 0}, {"12:12", false, 0},
        {"7:05:00 PM", false, 0}, {"a:b:c", false, 0},   {"123:1:1", false, 0},
    };
    for (const auto& c : times) {
        int h = 0, m = 0, s = 0;
        EXPECT_EQ(ParseAlarmTime(c.time, h, m, s), c.ok) << c.time;
        if (c.ok) EXPECT_EQ(h * 3600 + m * 60 + s, c.seconds) << c.time;
    }
}

TEST(AlarmTexts, LocationStyleSoundMemoAndNotice) {
    EXPECT_EQ(CityZoneText("Tokyo", 540), "Tokyo[GMT +09:00]");
    EXPECT_EQ(CityZoneText("x", -225), "x[GMT -03:45]");
    EXPECT_EQ(CityZoneText("x", 0), "x[GMT 00:00]");
    EXPECT_EQ(ExtractCityName("Tokyo[GMT +09:00]", SingleByteCodePage), "Tokyo");
    EXPECT_EQ(ExtractCityName("Hong kong(GMT+08:00)", SingleByteCodePage), "");
    // The second byte of a double-byte character may look like "[".
    EXPECT_EQ(ExtractCityName("\x83\x5B\x83\x5B[GMT +09:00]", Cp932LeadByte), "\x83\x5B\x83\x5B");
    EXPECT_EQ(AlarmStyleText(true, true), "T/S");
    EXPECT_EQ(AlarmStyleText(true, false), "T");
    EXPECT_EQ(AlarmStyleText(false, true), "S");
    EXPECT_EQ(AlarmStyleText(false, false), "");
    EXPECT_TRUE(StyleHasSound("S") && StyleHasText("T/S") && !StyleHasText("S") && !StyleHasSound("t/s"));

    struct SoundCase {
        const char* stored;
        int choice;
        const char* played;
    } sounds[] = {
        {"C:\\Mivora\\bell", 1, "C:\\Mivora\\bell.wav"},
        {"C:\\Mivora\\time signal", 2, "C:\\Mivora\\time signal.wav"},
        {"alarm", 0, "alarm.wav"},
        {"C:\\SOUNDS\\CHIME.WAV", 3, "C:\\SOUNDS\\CHIME.WAV"},
        {"C:\\x.wav.d\\bell", 1, "C:\\x.wav.d\\bell.wav"},
        {"C:\\x\\bell.wav", 3, "C:\\x\\bell.wav"},
        {"C:\\x\\Bell", 3, "C:\\x\\Bell.wav"},
        {"", 3, ".wav"},
    };
    for (const auto& c : sounds) {
        EXPECT_EQ(SoundChoiceOfPath(c.stored, SingleByteCodePage), c.choice) << c.stored;
        EXPECT_EQ(WavFileOf(c.stored), c.played);
    }
    EXPECT_EQ(BuiltInSoundPath("C:\\Mivora", 2), "C:\\Mivora\\time signal");
    EXPECT_EQ(BuiltInSoundPath("C:\\Mivora", 3), "");

    EXPECT_EQ(OneLineMemo("a\r\nb\nc\rd", SingleByteCodePage), "a b c d");
    EXPECT_EQ(OneLineMemo(std::string(300, 'm'), SingleByteCodePage), std::string(256, 'm'));
    // A double-byte character that would end past the limit is left out whole.
    EXPECT_EQ(OneLineMemo(std::string(255, 'm') + "\x83\x5C", Cp932LeadByte), std::string(255, 'm'));

    EXPECT_EQ(AlarmNoticeText("Paris", 60, 2026, 3, 1, 7, 5, 0), "Paris\r\n(GMT+01:00)\r\n2026-3-1 7:5:00");
    EXPECT_EQ(AlarmNoticeText("x", -330, 2027, 1, 1, 0, 0, 9), "x\r\n(GMT-05:30)\r\n2027-1-1 0:0:09");
}

TEST(AlarmEditor, LayoutControlsAndOk) {
    const TFrequencyLayout daily = FrequencyLayout(true), once = FrequencyLayout(false);
    EXPECT_FALSE(daily.DateShown);
    EXPECT_EQ(daily.TimePicker.Left * 1000 + daily.TimePicker.Top, 16073);
    EXPECT_EQ(daily.TimeLabel.Left * 1000 + daily.TimeLabel.Top, 15056);
    EXPECT_TRUE(once.DateShown);
    EXPECT_EQ(once.TimePicker.Left * 1000 + once.TimePicker.Top, 232073);
    EXPECT_EQ(once.TimeLabel.Left * 1000 + once.TimeLabel.Top, 232056);
    for (int choice = 0; choice < SoundChoiceCount; ++choice) {
        EXPECT_FALSE(SoundControls(false, choice).Choices || SoundControls(false, choice).FileBox);
        EXPECT_TRUE(SoundControls(true, choice).Choices);
        EXPECT_EQ(SoundControls(true, choice).FileBox, choice == OtherSoundChoice);
    }
    struct Case {
        bool fileBox;
        const char* file;
        int zone;
        const char* location;
        EditorFault fault;
    } cases[] = {
        {true, "", 24, "Paris", EditorFault::NoWaveFile}, {true, "", -1, "Paris", EditorFault::NoWaveFile},
        {false, "", 24, "Paris", EditorFault::None},      {true, "c:\\a.wav", 24, "Paris", EditorFault::None},
        {false, "", -1, "Paris", EditorFault::NoZone},    {false, "", 49, "Paris", EditorFault::NoZone},
        {false, "", 0, "a=b", EditorFault::BadName},      {false, "", 0, "[x", EditorFault::BadName},
        {false, "", 0, " x", EditorFault::BadName},       {false, "", 0, "", EditorFault::None},
        {false, "", 48, "Local Time", EditorFault::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckEditor(c.fileBox, c.file, c.zone, c.location, SingleByteCodePage), c.fault) << c.location;
}

// ---- the due rule ----

CivilTime Utc(int y, int mo, int d, int h, int mi, int s, int ms = 0) { return CivilTime{y, mo, d, h, mi, s, ms}; }

struct Tick {
    CivilTime utc;
    int localOffset;
    const char* fired;               // rows fired at this tick, "" for none
    const char* daylight = nullptr;  // the flags of the rows from this tick on, "1" or "0" each
};

struct DueCase {
    const char* what;
    std::vector<TStoredAlarm> alarms;
    std::vector<int> zones;      // [Zone] minutes of each row's location
    std::vector<bool> daylight;  // committed flag of each row
    std::vector<Tick> ticks;
};

// Runs the ticks as the check does: one window, fired one-time alarms marked done.
void RunTicks(const DueCase& c) {
    SCOPED_TRACE(c.what);
    std::vector<TStoredAlarm> alarms = c.alarms;
    for (size_t n = 0; n < alarms.size(); ++n) alarms[n].Daylight = c.daylight[n];
    TCheckWindow window;
    for (size_t t = 0; t < c.ticks.size(); ++t) {
        const Tick& tick = c.ticks[t];
        const int count = static_cast<int>(alarms.size());
        for (int n = 0; tick.daylight && n < count; ++n)
            alarms[static_cast<size_t>(n)].Daylight = tick.daylight[n] == '1';
        const auto checked = CheckedAlarms(
            alarms,
            [&](const std::string& name) {
                for (int n = 0; n < count; ++n)
                    if (ExtractCityName(alarms[static_cast<size_t>(n)].Location, SingleByteCodePage) == name)
                        return c.zones[static_cast<size_t>(n)];
                return 480;
            },
            SingleByteCodePage);
        std::string fired;
        for (const TDueAlarm& d : window.Due(checked, tick.localOffset, InstantOf(tick.utc))) {
            fired += std::to_string(d.Row);
            if (!d.Alarm.Daily()) alarms[static_cast<size_t>(d.Row - 1)].State = asDone;
        }
        EXPECT_EQ(fired, tick.fired) << "tick " << t;
    }
}

TEST(AlarmDue, FiresOnceInTheSpanSinceThePreviousCheck) {
    const TStoredAlarm at11 = Alarm("26-3-1", "12:00:11", "UTC[GMT 00:00]");
    const std::vector<DueCase> cases = {
        {"every second",
         {at11},
         {0},
         {false},
         {{Utc(2026, 3, 1, 12, 0, 10, 500), 0, ""},
          {Utc(2026, 3, 1, 12, 0, 11, 500), 0, "1"},
          {Utc(2026, 3, 1, 12, 0, 11, 900), 0, ""},
          {Utc(2026, 3, 1, 12, 0, 12, 500), 0, ""}}},
        {"a tick that skips the second",
         {at11},
         {0},
         {false},
         {{Utc(2026, 3, 1, 12, 0, 10, 990), 0, ""}, {Utc(2026, 3, 1, 12, 0, 12, 10), 0, "1"}}},
        {"the first check sees its own second", {at11}, {0}, {false}, {{Utc(2026, 3, 1, 12, 0, 11, 999), 0, "1"}}},
        {"a gap longer than a minute is not made up",
         {at11},
         {0},
         {false},
         {{Utc(2026, 3, 1, 12, 0, 0), 0, ""}, {Utc(2026, 3, 1, 12, 5, 0), 0, ""}}},
        {"a time change forward within a minute is",
         {at11},
         {0},
         {false},
         {{Utc(2026, 3, 1, 12, 0, 0), 0, ""}, {Utc(2026, 3, 1, 12, 0, 50), 0, "1"}}},
        {"the clock set back fires no done alarm again",
         {at11, Alarm(EveryDayText, "12:00:11", "UTC[GMT 00:00]")},
         {0, 0},
         {false, false},
         {{Utc(2026, 3, 1, 12, 0, 11, 300), 0, "12"},
          {Utc(2026, 3, 1, 12, 0, 11, 100), 0, ""},
          {Utc(2026, 3, 1, 12, 0, 11, 400), 0, ""},
          {Utc(2026, 3, 1, 11, 0, 0), 0, ""},
          {Utc(2026, 3, 1, 12, 0, 11), 0, "2"}}},
        {"switched off and done alarms never fire",
         {Alarm("26-3-1", "12:00:11", "a[GMT 00:00]", asOff), Alarm(EveryDayText, "12:00:11", "a[GMT 00:00]", asOff),
          Alarm("26-3-1", "12:00:11", "a[GMT 00:00]", asDone)},
         {0, 0, 0},
         {false, false, false},
         {{Utc(2026, 3, 1, 12, 0, 11), 0, ""}}},
        {"a one-time alarm at +60 on 1 March of a common year",
         {Alarm("26-3-1", "0:00:05", "Paris[GMT +01:00]")},
         {60},
         {false},
         {{Utc(2026, 2, 28, 23, 0, 4), 0, ""}, {Utc(2026, 2, 28, 23, 0, 5), 0, "1"}}},
        {"the location switches to daylight time",
         {Alarm("26-7-1", "8:00:00", "Paris[GMT +01:00]"), Alarm("26-7-1", "8:00:00", "Paris2[GMT +01:00]")},
         {60, 60},
         {true, false},
         {{Utc(2026, 7, 1, 6, 0, 0), 0, "1"}, {Utc(2026, 7, 1, 7, 0, 0), 0, "2"}}},
        {"daily alarms across the year's end at -270 and +345",
         {Alarm(EveryDayText, "19:40:00", "Caracas[GMT -04:30]"),
          Alarm(EveryDayText, "0:00:00", "Kathmandu[GMT +05:45]")},
         {-270, 345},
         {false, false},
         {{Utc(2026, 12, 31, 18, 15, 0), 0, "2"},
          {Utc(2027, 1, 1, 0, 10, 0), 0, "1"},
          {Utc(2027, 1, 1, 18, 15, 0), 0, "2"},
          {Utc(2027, 1, 2, 0, 10, 0), 0, "1"}}},
        {"a one-time alarm on New Year at -270",
         {Alarm("27-1-1", "0:00:05", "x[GMT -04:30]")},
         {-270},
         {false},
         {{Utc(2027, 1, 1, 4, 30, 4), 0, ""}, {Utc(2027, 1, 1, 4, 30, 6), 0, "1"}}},
        {"Local Time follows the machine's offset, not the stored one",
         {Alarm(EveryDayText, "7:00:00", "Local Time[GMT +01:00]"), Alarm(EveryDayText, "7:00:00", "x[GMT +01:00]")},
         {60, 60},
         {false, false},
         {{Utc(2026, 3, 28, 6, 0, 0), 60, "12"},
          {Utc(2026, 3, 29, 5, 0, 0), 120, "1"},
          {Utc(2026, 3, 29, 6, 0, 0), 120, "2"}}},
    };
    for (const DueCase& c : cases) RunTicks(c);
}

// A daylight change moves a location's clock an hour on or back between two
// checks: the machine's own for "Local Time", or the flag the user sets.
TEST(AlarmDue, AnHourSkippedFiresAtItsEndAndAnHourRepeatedFiresOnce) {
    const std::vector<DueCase> cases = {
        {"a one-time alarm in the hour the machine skips",
         {Alarm("26-3-29", "2:30:00", "Local Time[GMT +01:00]")},
         {60},
         {false},
         {{Utc(2026, 3, 29, 0, 59, 59), 60, ""}, {Utc(2026, 3, 29, 1, 0, 0), 120, "1"}}},
        {"a daily alarm in the hour the machine repeats",
         {Alarm(EveryDayText, "2:30:00", "Local Time[GMT +02:00]")},
         {120},
         {false},
         {{Utc(2026, 10, 25, 0, 29, 59), 120, ""}, {Utc(2026, 10, 25, 0, 30, 0), 120, "1"},
          {Utc(2026, 10, 25, 1, 0, 0), 60, ""}, {Utc(2026, 10, 25, 1, 30, 0), 60, ""},
          {Utc(2026, 10, 26, 1, 30, 0), 60, "1"}}},
        {"a one-time alarm in the hour the location's flag skips",
         {Alarm("26-7-1", "10:30:00", "Paris[GMT +01:00]"), Alarm("26-7-1", "10:30:00", "Paris[GMT +01:00]")},
         {60, 60},
         {false, false},
         {{Utc(2026, 7, 1, 9, 0, 0), 0, ""}, {Utc(2026, 7, 1, 9, 0, 1), 0, "1", "10"}}},
        {"a daily alarm in the hour the location's flag repeats",
         {Alarm(EveryDayText, "10:30:00", "Paris[GMT +02:00]")},
         {60},
         {true},
         {{Utc(2026, 7, 1, 8, 30, 0), 0, "1"}, {Utc(2026, 7, 1, 8, 30, 1), 0, "", "0"},
          {Utc(2026, 7, 1, 9, 30, 0), 0, ""}, {Utc(2026, 7, 2, 9, 30, 0), 0, "1"}}},
    };
    for (const DueCase& c : cases) RunTicks(c);
}

TEST(AlarmDue, NoticeShowsTheDateAtTheLocation) {
    const TStoredAlarm daily = Alarm(EveryDayText, "7:05:00", "Kathmandu[GMT +05:45]");
    const auto checked = CheckedAlarms(
        {daily}, [](const std::string&) { return 345; }, SingleByteCodePage);
    TCheckWindow window;
    const auto due = window.Due(checked, 0, InstantOf(Utc(2026, 12, 31, 1, 20, 0)));
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0].NoticeText, "Kathmandu\r\n(GMT+05:45)\r\n2026-12-31 7:5:00");
}

TEST(AlarmDue, StateWhenSet) {
    const TAlarmMoment m = AlarmMomentOf(Alarm("26-3-1", "12:00:00", "x[GMT 00:00]"));
    struct Case {
        CivilTime now;
        int offset;
        AlarmState state;
    } cases[] = {
        {Utc(2026, 3, 1, 11, 59, 59, 999), 0, asOn}, {Utc(2026, 3, 1, 12, 0, 0, 0), 0, asOn},
        {Utc(2026, 3, 1, 12, 0, 0, 1), 0, asDone},   {Utc(2026, 3, 1, 10, 30, 0), 60, asOn},
        {Utc(2026, 3, 1, 11, 30, 0), 60, asDone},  // the daylight hour counts too
        {Utc(2026, 2, 28, 20, 0, 0), -270, asOn},    {Utc(2026, 3, 1, 6, 15, 1), 345, asDone},
    };
    for (const Case& c : cases) EXPECT_EQ(AlarmOneTimeState(m, c.offset, c.now), c.state) << c.offset;
    EXPECT_EQ(AlarmOneTimeState(AlarmMomentOf(Alarm(EveryDayText, "0:00:00", "")), 0, Utc(2099, 1, 1, 1, 1, 1)), asOn);
}

}  // namespace
