// The clock panel on a stand-in bar: the menu built from "Zonefset.ini", the
// text and hint of every tick, the preview while the menu is open, the menu's
// routines, clicks on the panel, and the machine's own zone.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "main/clock/ClockIni.h"
#include "main/clock/core/ClockRules.h"
#include "tests/win/clock/ClockTestSupport.h"
#include "framework/core/StrUtils.h"
#include "framework/forms/SysUtils.h"
#include "main/clock/core/ZoneOffsets.h"

using namespace worldclock;

namespace {

const char kTwoLocations[] =
    "[ZoneMenu]\r\nParis=60\r\nKathmandu=345\r\n"
    "[ZoneMenuDaylight]\r\n0=0\r\n1=0\r\n2=1\r\n"
    "[ZoneMenuNU]\r\nnu=2\r\n"
    "[SelItem]\r\nsel=3\r\n";

// The clock at 10:00 UTC on a machine at UTC, Paris and Kathmandu on the
// menu, "Local Time" shown.
struct LocalTimeWithTwoLocations {
    LocalTimeWithTwoLocations() {
        files.WriteSet(kTwoLocations);
        bar = std::make_unique<TestBar>();
        BuildZoneMenu();
        bar->Clock->LocalClick(bar->Clock->Local);
    }
    FakeClock clock{Civil(2026, 12, 9, 10, 0, 0), 0};
    ClockFiles files;
    std::unique_ptr<TestBar> bar;
};

const std::vector<std::string> kFixedMenu{"Local Time", "-", "Setting...", "Alarm... "};
const std::vector<std::string> kTwoMenu{"Local Time", "-", "Paris", "Kathmandu", "-", "Setting...", "Alarm... "};

std::string Hhmmss(const CivilTime& t) { return ClockPanelText(t.Hour, t.Minute, t.Second); }

std::string HintFor(const std::string& place, const CivilTime& t) {
    return ClockHintText(place, LocaleShortDayName(t.Year, t.Month, t.Day), t.Year, t.Month, t.Day);
}

// ---- start-up ----

struct BuildCase {
    const char* what;
    const char* zonefset;  // nullptr: no file
    const char* zonef;
    std::vector<std::string> menu;
    int checked;
    const char* location;
    int offset;  // with the machine at +05:45
};

TEST(ClockStartUp, MenuChoiceAndOffsetComeFromTheSettings) {
    const BuildCase cases[] = {
        {"no settings file", nullptr, "", kFixedMenu, 0, "Local Time", 345},
        {"two locations, the second shown with its daylight hour", kTwoLocations,
         // [Zone] says otherwise: the menu's own settings win, as a click on the item takes them.
         "[Zone]\r\nKathmandu=-300\r\n", kTwoMenu, 3, "Kathmandu", 405},
        {"the first location", "[ZoneMenu]\r\nParis=60\r\nKathmandu=345\r\n[ZoneMenuNU]\r\nnu=2\r\n[SelItem]\r\nsel=2\r\n",
         "", kTwoMenu, 2, "Paris", 60},
        {"count one more than the names", "[ZoneMenu]\r\nParis=60\r\nKathmandu=345\r\n[ZoneMenuNU]\r\nnu=3\r\n[SelItem]\r\nsel=3\r\n",
         "", kFixedMenu, 0, "Local Time", 345},
        {"choice on the separator", "[ZoneMenu]\r\nParis=60\r\n[ZoneMenuNU]\r\nnu=1\r\n[SelItem]\r\nsel=1\r\n", "",
         {"Local Time", "-", "Paris", "-", "Setting...", "Alarm... "}, 0, "Local Time", 345},
        {"choice past the locations", "[ZoneMenu]\r\nParis=60\r\n[ZoneMenuNU]\r\nnu=1\r\n[SelItem]\r\nsel=3\r\n", "",
         {"Local Time", "-", "Paris", "-", "Setting...", "Alarm... "}, 0, "Local Time", 345},
        {"numbers that are no numbers",
         "[ZoneMenu]\r\nParis=60\r\n[ZoneMenuNU]\r\nnu=one\r\n[SelItem]\r\nsel=x\r\n[ZoneMenuDaylight]\r\n0=yes\r\n", "",
         kFixedMenu, 0, "Local Time", 345},
        {"offset not a number", "[ZoneMenu]\r\nParis=abc\r\n[ZoneMenuNU]\r\nnu=1\r\n[SelItem]\r\nsel=2\r\n", "",
         {"Local Time", "-", "Paris", "-", "Setting...", "Alarm... "}, 2, "Paris", 480},
        {"offset beyond a day", "[ZoneMenu]\r\nParis=5000\r\n[ZoneMenuNU]\r\nnu=1\r\n[SelItem]\r\nsel=2\r\n", "",
         {"Local Time", "-", "Paris", "-", "Setting...", "Alarm... "}, 2, "Paris", 480},
        {"Local Time with its daylight hour", "[ZoneMenuDaylight]\r\n0=1\r\n", "", kFixedMenu, 0, "Local Time", 405},
        {"a location named like Local Time",
         "[ZoneMenu]\r\nlocal time=600\r\n[ZoneMenuDaylight]\r\n1=1\r\n[ZoneMenuNU]\r\nnu=1\r\n[SelItem]\r\nsel=2\r\n", "",
         {"Local Time", "-", "local time", "-", "Setting...", "Alarm... "}, 2, "local time", 405},
    };
    FakeClock clock(Civil(2026, 12, 9, 5, 42), 345);
    for (const BuildCase& c : cases) {
        SCOPED_TRACE(c.what);
        ClockFiles files;
        if (c.zonefset) files.WriteSet(c.zonefset);
        files.WriteZone(c.zonef);
        TestBar bar;
        BuildZoneMenu();
        EXPECT_EQ(bar.MenuCaptions(), c.menu);
        EXPECT_EQ(bar.CheckedIndex(), c.checked);
        EXPECT_EQ(ClockItemIndex, c.checked);
        EXPECT_EQ(ClockLocation, c.location);
        EXPECT_EQ(ClockOffset, c.offset);
    }
}

TEST(ClockStartUp, SelectionIsSavedForTheNextStart) {
    FakeClock clock(Civil(2026, 12, 9, 5, 42), 0);
    ClockFiles files;
    files.WriteSet(kTwoLocations);
    TestBar bar;
    BuildZoneMenu();
    ClockMenuItemClick(bar.Clock->MyPopupMenu->Items()->Items(2));
    SaveZoneSelection();
    EXPECT_EQ(IniSection(files.ReadSet(), "SelItem"), "sel=2\n");
    bar.Clock->LocalClick(bar.Clock->Local);
    SaveZoneSelection();
    EXPECT_EQ(IniSection(files.ReadSet(), "SelItem"), "sel=0\n");
}

// "Zonef.ini" lies beside the program; "Zonefset.ini" is opened by its bare
// name, which the system resolves to the Windows folder.
TEST(ClockStartUp, SettingsFilesLieWhereTheProgramLooks) {
    SetClockIniNames("", "");
    EXPECT_EQ(ZoneIni().FileName(), ProgramFolder() + "Zonef.ini");
    EXPECT_EQ(ZoneSetIni().FileName(), "Zonefset.ini");
    const std::string inWindows = IncludeTrailingBackslash(WindowsFolder()) + "Zonefset.ini";
    const bool existed = FileExists(inWindows);
    const std::string before = existed ? ReadFileBytes(inWindows) : std::string();
    TClockIni set = ZoneSetIni();
    set.WriteInteger("ClockTestProbe", "k", 7);
    EXPECT_NE(ReadFileBytes(inWindows).find("[ClockTestProbe]\r\nk=7\r\n"), std::string::npos);
    set.EraseSection("ClockTestProbe");
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "Zonefset.ini");
    if (existed)
        WriteFileBytes(inWindows, before);
    else
        DeleteFileA(inWindows.c_str());
}

// ---- the tick ----

TEST(ClockTick, PanelShowsTimeAndHintOfTheZone) {
    FakeClock clock(Civil(2026, 12, 31, 23, 30, 5), 345);
    ClockFiles files;
    files.WriteSet(kTwoLocations);
    TestBar bar;
    BuildZoneMenu();  // Kathmandu with its daylight hour: +06:45
    ClockTick();
    EXPECT_EQ(bar.Qtime->Caption(), "06:15:05");
    EXPECT_EQ(bar.Qtime->Hint(), HintFor("Kathmandu", Civil(2027, 1, 1)));
    EXPECT_EQ(ZoneYear, 2027);
    EXPECT_EQ(ZoneMonth, 1);
    EXPECT_EQ(ZoneDay, 1);
    EXPECT_EQ(UtcTime, Civil(2026, 12, 31, 23, 30, 5));
    // Without alarms the mark is hidden and the time centred; the label of a
    // bar narrower than 800 keeps its text.
    EXPECT_FALSE(bar.Clock->AlarmImage->Visible());
    EXPECT_EQ(bar.Qtime->Alignment, TAlignment::taCenter);
    EXPECT_EQ(bar.ZoneHint->Caption(), "Local Time");

    ClockMenuItemClick(bar.Clock->MyPopupMenu->Items()->Items(2));  // Paris
    clock.Utc = Civil(2024, 2, 28, 23, 0, 59);
    ClockTick();
    EXPECT_EQ(bar.Qtime->Caption(), "00:00:59");
    EXPECT_EQ(bar.Qtime->Hint(), HintFor("Paris", Civil(2024, 2, 29)));
}

TEST(ClockTick, AlarmMarkAndCheckGoThroughTheAlarmLink) {
    FakeClock clock(Civil(2026, 6, 1, 12, 0, 0), 0);
    ClockFiles files;
    TestBar bar;
    BuildZoneMenu();
    bool exist = true, listOpen = false;
    int checks = 0;
    ClockAlarmLink.AlarmsExist = [&] { return exist; };
    ClockAlarmLink.AlarmListVisible = [&] { return listOpen; };
    ClockAlarmLink.CheckAlarms = [&] { ++checks; };
    ClockTick();
    EXPECT_TRUE(bar.Clock->AlarmImage->Visible());
    EXPECT_EQ(bar.Qtime->Alignment, TAlignment::taLeftJustify);
    EXPECT_EQ(checks, 1);
    listOpen = true;
    exist = false;
    ClockTick();
    EXPECT_FALSE(bar.Clock->AlarmImage->Visible());
    EXPECT_EQ(bar.Qtime->Alignment, TAlignment::taCenter);
    EXPECT_EQ(checks, 1) << "no check while the alarm list is open";
    ClockAlarmLink = TClockAlarmLink{};
    ClockTick();  // nothing plugged in: nothing called, nothing shown
    EXPECT_FALSE(bar.Clock->AlarmImage->Visible());
}

// The alarm mark stands beside the time, clear of every digit, in whatever
// font the system gives the panel: Wine's stand-in for the bar's font is so
// wide that a mark at a fixed place would cover the seconds.
TEST(ClockTick, AlarmMarkStaysClearOfTheTime) {
    struct Font {
        const char* name;
        int size;
    } fonts[] = {{nullptr, 8}, {nullptr, 7}, {nullptr, 6}, {"Small Fonts", 7}};
    const CivilTime instants[] = {Civil(2026, 12, 9, 0, 0, 0), Civil(2026, 12, 9, 11, 11, 11),
                                  Civil(2026, 12, 9, 23, 58, 48), Civil(2026, 12, 9, 20, 44, 8)};
    ClockAlarmLink.AlarmsExist = [] { return true; };
    FakeClock clock(instants[0], 0);
    ClockFiles files;
    for (const Font& f : fonts) {
        TestBar bar(640, f.name, f.size);
        BuildZoneMenu();
        for (const CivilTime& t : instants) {
            clock.Utc = t;
            ClockTick();
            const std::string shot = std::string("panel-") + (f.name ? f.name : "bar") + "-" +
                                     std::to_string(f.size) + "-" + Hhmmss(t).substr(0, 2);
            SCOPED_TRACE(shot + " " + bar.Qtime->Caption());
            ASSERT_TRUE(bar.Clock->AlarmImage->Visible());
            EXPECT_EQ(bar.Qtime->Alignment, TAlignment::taLeftJustify);
            const PanelInk ink = AlarmMarkAndTime(bar.Clock, bar.Qtime, shot);
            ASSERT_FALSE(IsRectEmpty(&ink.Text)) << "no time to be seen";
            ASSERT_FALSE(IsRectEmpty(&ink.Mark)) << "no mark to be seen";
            EXPECT_FALSE(ink.Overlap()) << "time " << ink.Text.left << ".." << ink.Text.right << ", mark "
                                        << ink.Mark.left << ".." << ink.Mark.right;
            // The whole mark lies inside the bevel.
            TImage* mark = bar.Clock->AlarmImage;
            EXPECT_GE(mark->Left(), ink.Inset);
            EXPECT_GE(mark->Top(), ink.Inset);
            EXPECT_LE(mark->Left() + mark->Width(), bar.Qtime->Width() - ink.Inset);
            EXPECT_LE(mark->Top() + mark->Height(), bar.Qtime->Height() - ink.Inset);
            // Full size wherever the room allows it.
            if (ink.Text.right + 1 + AlarmMarkSize <= bar.Qtime->Width() - ink.Inset) {
                EXPECT_EQ(mark->Width(), AlarmMarkSize);
            }
            EXPECT_EQ(mark->Picture()->Width(), mark->Width());
        }
    }
    ClockAlarmLink = TClockAlarmLink{};
}

TEST(ClockTick, EightHundredPixelBarRepeatsTheHintRightOfCentre) {
    FakeClock clock(Civil(2026, 3, 1, 0, 10, 0), -60);
    ClockFiles files;
    TestBar bar(800);
    BuildZoneMenu();
    ClockTick();
    const std::string hint = HintFor("Local Time", Civil(2026, 2, 28));
    EXPECT_EQ(bar.Qtime->Caption(), "23:10:00");
    EXPECT_EQ(bar.ZoneHint->Caption(), hint);
    EXPECT_GT(bar.ZoneHint->Width(), 0);
    EXPECT_EQ(bar.ZoneHint->Left(), Screen->Width() - bar.Qtime->Width() - bar.ZoneHint->Width() - 5);
}

// Every zone of the list, with and without its daylight hour, at instants
// around month and year ends, leap days (2000 and 2024 leap, 2023 and 2100
// not) and at spread-out instants from 1901 to 2099, against the system's own
// file-time arithmetic.
TEST(ClockTick, EveryListZoneShowsTheRightDateAndTime) {
    std::vector<CivilTime> instants = {
        Civil(2025, 12, 31, 23, 59, 59), Civil(2026, 1, 1, 0, 0, 0),   Civil(2024, 2, 28, 23, 30, 30),
        Civil(2024, 2, 29, 12, 0, 0),    Civil(2024, 3, 1, 0, 10, 0),  Civil(2023, 2, 28, 23, 45, 0),
        Civil(2023, 3, 1, 0, 15, 0),     Civil(2100, 2, 28, 23, 0, 0), Civil(2100, 3, 1, 0, 30, 0),
        Civil(2000, 2, 28, 22, 0, 0),    Civil(2026, 7, 31, 23, 59, 0), Civil(2026, 4, 30, 12, 0, 0),
        Civil(1901, 1, 1, 0, 0, 1),      Civil(2099, 12, 31, 23, 59, 58),
    };
    unsigned seed = 20261209u;
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % range;
    };
    for (int i = 0; i < 16; ++i) {
        const int year = 1901 + static_cast<int>(next(199));
        const int month = 1 + static_cast<int>(next(12));
        instants.push_back(Civil(year, month, 1 + static_cast<int>(next(DaysInMonth(year, month))),
                                 static_cast<int>(next(24)), static_cast<int>(next(60)), static_cast<int>(next(60))));
    }
    std::string names, flagsOff, flagsOn;
    for (int i = 0; i < ZoneOffsetCount; ++i) {
        names += "Zone" + std::to_string(i) + "=" + std::to_string(ZoneOffsets[i]) + "\r\n";
        flagsOff += std::to_string(i + 1) + "=0\r\n";
        flagsOn += std::to_string(i + 1) + "=1\r\n";
    }
    FakeClock clock(instants[0], 0);
    for (bool daylight : {false, true}) {
        ClockFiles files;
        // More locations than the dialog ever writes: a hand-edited file the menu takes as it is.
        files.WriteSet("[ZoneMenu]\r\n" + names + "[ZoneMenuDaylight]\r\n" + (daylight ? flagsOn : flagsOff) +
                       "[ZoneMenuNU]\r\nnu=49\r\n");
        TestBar bar;
        BuildZoneMenu();
        ASSERT_EQ(bar.Clock->LocationItemCount(), ZoneOffsetCount);
        for (int i = 0; i < ZoneOffsetCount; ++i) {
            TMenuItem* item = bar.Clock->MyPopupMenu->Items()->Items(MenuIndexOfPosition(i + 1));
            ClockMenuItemClick(item);
            const int offset = ZoneOffsets[i] + (daylight ? 60 : 0);
            ASSERT_EQ(ClockOffset, offset);
            for (const CivilTime& utc : instants) {
                clock.Utc = utc;
                ClockTick();
                const CivilTime expected = SystemZoneTime(utc, offset);
                SCOPED_TRACE(testing::Message() << item->Caption << " at " << utc.Year << "-" << utc.Month << "-"
                                                << utc.Day << " " << Hhmmss(utc) << ", offset " << offset);
                EXPECT_EQ(bar.Qtime->Caption(), Hhmmss(expected));
                EXPECT_EQ(bar.Qtime->Hint(), HintFor(item->Caption, expected));
                EXPECT_EQ(LeapYear, IsLeapYear(expected.Year) ? 1 : 0);
            }
        }
    }
}

// Real zones from the IANA data: with the machine's offset of each row, Local
// Time shows the row's local date and time.
TEST(ClockTick, LocalTimeMatchesTheIanaGoldenVectors) {
    std::ifstream in(std::string(MIVORA_TEST_DATA) + "/clock/golden.tsv");
    ASSERT_TRUE(in) << "golden vectors missing";
    FakeClock clock(Civil(2026, 1, 1), 0);
    ClockFiles files;
    TestBar bar;
    BuildZoneMenu();
    std::string line;
    int rows = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string zone, utcDate, utcTime, localDate, localTime;
        int offset = 0, daylight = 0, weekday = 0;
        std::getline(fields, zone, '\t');
        fields >> utcDate >> utcTime >> localDate >> localTime >> offset >> daylight >> weekday;
        auto parse = [](const std::string& d, const std::string& t) {
            CivilTime c;
            std::sscanf(d.c_str(), "%d-%d-%d", &c.Year, &c.Month, &c.Day);
            std::sscanf(t.c_str(), "%d:%d:%d", &c.Hour, &c.Minute, &c.Second);
            return c;
        };
        const CivilTime utc = parse(utcDate, utcTime), local = parse(localDate, localTime);
        SCOPED_TRACE(line);
        clock.Utc = utc;
        clock.LocalOffset = offset;
        ClockTick();
        EXPECT_EQ(ClockOffset, offset);
        EXPECT_EQ(bar.Qtime->Caption(), localTime);
        EXPECT_EQ(bar.Qtime->Hint(), HintFor("Local Time", local));
        EXPECT_EQ(DayOfWeek(local.Year, local.Month, local.Day), weekday);
        ++rows;
    }
    EXPECT_GT(rows, 100);
}

// ---- the machine's offset changing ----

TEST(ClockLocalTime, TimeChangeNoticeMovesOnlyLocalTime) {
    FakeClock clock(Civil(2026, 10, 25, 0, 59, 0), 120);
    ClockFiles files;
    files.WriteSet(kTwoLocations);
    TestBar bar;
    BuildZoneMenu();  // Kathmandu
    clock.LocalOffset = 60;
    SendMessageA(bar.Form->Handle(), WM_TIMECHANGE, 0, 0);
    EXPECT_EQ(ClockOffset, 405) << "a location keeps its offset";
    bar.Clock->LocalClick(bar.Clock->Local);
    EXPECT_EQ(ClockOffset, 60);
    clock.LocalOffset = 120;
    SendMessageA(bar.Form->Handle(), WM_TIMECHANGE, 0, 0);
    EXPECT_EQ(ClockOffset, 120);
}

// The clock shares the bar's WM_TIMECHANGE: a handler the bar had before
// keeps getting the notice.
TEST(ClockLocalTime, TimeChangeNoticeStillReachesTheBarsOwnHandler) {
    FakeClock clock(Civil(2026, 10, 25, 0, 59, 0), 120);
    ClockFiles files;
    auto* form = new TForm(Application);
    form->BorderStyle = TBorderStyle::bsNone;
    form->SetBounds(100, 100, 200, 22);
    form->HandleNeeded();
    int barNotices = 0;
    form->SetMessageHandler(WM_TIMECHANGE, [&](TMessage& m) {
        ++barNotices;
        m.Result = 0;
    });
    auto* qtime = new TPanel(form);
    qtime->SetBounds(142, 0, 58, 22);
    qtime->SetParent(form);
    int openMenuKind = 0;
    HWND tip = nullptr;
    TClockHost host;
    host.Bar = form;
    host.Qtime = qtime;
    host.OpenMenuKind = &openMenuKind;
    host.TipHandle = &tip;
    AttachClockPanel(host);
    BuildZoneMenu();
    ASSERT_EQ(ClockOffset, 120);
    clock.LocalOffset = 60;
    SendMessageA(form->Handle(), WM_TIMECHANGE, 0, 0);
    EXPECT_EQ(ClockOffset, 60);
    EXPECT_EQ(barNotices, 1);
    delete form;
    EXPECT_EQ(ClockPanel, nullptr);
}

TEST(ClockLocalTime, DaylightSwitchReachesThePanelWithoutANotice) {
    FakeClock clock(Civil(2026, 3, 29, 0, 59, 59), 60);
    ClockFiles files;
    files.WriteSet("[ZoneMenuDaylight]\r\n0=1\r\n");
    TestBar bar;
    BuildZoneMenu();
    ClockTick();
    EXPECT_EQ(bar.Qtime->Caption(), "02:59:59");
    // The machine moves its clock; no WM_TIMECHANGE arrives (as under Wine).
    clock.Utc = Civil(2026, 3, 29, 1, 0, 0);
    clock.LocalOffset = 120;
    ClockTick();
    EXPECT_EQ(ClockOffset, 180);
    EXPECT_EQ(bar.Qtime->Caption(), "04:00:00");
}

// ---- the menu ----

TEST(ClockMenu, RoutinesCheckTheItemAndTakeItsOffset) {
    FakeClock clock(Civil(2026, 12, 9), -300);
    ClockFiles files;
    files.WriteSet(
        "[ZoneMenu]\r\nParis=60\r\nKathmandu=345\r\n[ZoneMenuDaylight]\r\n0=1\r\n1=0\r\n2=1\r\n"
        "[ZoneMenuNU]\r\nnu=2\r\n");
    TestBar bar;
    BuildZoneMenu();
    TMenuItem* items = bar.Clock->MyPopupMenu->Items();
    ClockMenuItemClick(items->Items(2));
    EXPECT_EQ(ClockItemIndex, 2);
    EXPECT_EQ(ClockLocation, "Paris");
    EXPECT_EQ(ClockOffset, 60);
    EXPECT_EQ(bar.CheckedIndex(), 2);
    EXPECT_FALSE(items->Items(3)->Checked);
    bar.Clock->LocalClick(bar.Clock->Local);
    EXPECT_EQ(ClockItemIndex, 0);
    EXPECT_EQ(ClockLocation, "Local Time");
    EXPECT_EQ(ClockOffset, -240) << "the machine's offset and Local Time's daylight hour";
    EXPECT_EQ(bar.CheckedIndex(), 0);
    EXPECT_EQ(GetLocationOffset("Kathmandu", 2), 405);
    EXPECT_EQ(GetLocationOffset("Nowhere", 5), 480);
    // Opening the menu checks the chosen item again (new items come unchecked).
    items->Items(0)->Checked = false;
    ClockItemIndex = 3;
    bar.Clock->MyPopupMenuPopup(bar.Clock->MyPopupMenu);
    EXPECT_EQ(bar.CheckedIndex(), 3);
}

TEST(ClockMenu, OpenMenuPreviewsTheHighlightedLocation) {
    LocalTimeWithTwoLocations shown;
    TestBar& bar = *shown.bar;
    TMenuItem* items = bar.Clock->MyPopupMenu->Items();
    bar.OpenMenuKind = 9;
    SavedClockOffset = ClockOffset;
    struct Hover {
        TMenuItem* item;
        int offset;
        const char* text;
    } hovers[] = {
        {items->Items(3), 405, "16:45:00"},  // Kathmandu with its daylight hour
        {items->Items(2), 60, "11:00:00"},
        {items->Items(0), 0, "10:00:00"},  // Local Time: the offset of when the menu opened
        {items->Items(1), 0, "10:00:00"},  // separators
        {items->Items(4), 0, "10:00:00"},
        {bar.Clock->Setting1, 0, "10:00:00"},
        {bar.Clock->Alarm1, 0, "10:00:00"},
        {nullptr, 0, "10:00:00"},  // nothing highlighted
    };
    for (const Hover& h : hovers) {
        SCOPED_TRACE(h.item ? h.item->Caption : "nothing");
        ClockHoverCommand = h.item ? h.item->Command() : 0;
        ClockTick();
        EXPECT_EQ(ClockOffset, h.offset);
        EXPECT_EQ(bar.Qtime->Caption(), h.text);
    }
    ClockHoverCommand = 0;
    bar.OpenMenuKind = 0;
}

// A double click opens the date and time settings and no menu; the click that
// comes before it waits for it.
TEST(ClockPanelClicks, DoubleClickRunsTheSettingsAndOpensNoMenu) {
    FakeClock clock(Civil(2026, 12, 9), 0);
    ClockFiles files;
    TestBar bar;
    BuildZoneMenu();
    RecordedCommands commands;
    bool menuOpened = false;
    HWND q = bar.Qtime->Handle();
    UiScript script;
    script.Watch([&] {
        if (bar.OpenMenuKind != 9) return;
        menuOpened = true;
        EndMenu();
    });
    script.Run(
        [&] {
            PostMessageA(q, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            PostMessageA(q, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
            PostMessageA(q, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
            PostMessageA(q, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
            PumpFor(700);
        },
        10);
    EXPECT_FALSE(menuOpened);
    EXPECT_EQ(commands.lines, std::vector<std::string>{"rundll32.exe shell32.dll,Control_RunDLL timedate.cpl,,0"});
    EXPECT_FALSE(ClockDblClicked);
    EXPECT_EQ(bar.OpenMenuKind, 0);
}

// The real menu: a click opens it under the panel, the highlighted location
// shows on the panel, and a chosen location stays after the menu has closed.
TEST(ClockPanelClicks, MenuPreviewsAndChoosesALocation) {
    LocalTimeWithTwoLocations shown;
    TestBar& bar = *shown.bar;
    bar.Tip = CreateWindowExA(0, "STATIC", "tip", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr, nullptr,
                              nullptr);
    TMenuItem* kathmandu = bar.Clock->MyPopupMenu->Items()->Items(3);
    HWND q = bar.Qtime->Handle();
    std::string previewText;
    UiScript script;
    script
        .When("the clock menu is open",
              [&] { return bar.OpenMenuKind == 9 && FindWindowA("#32768", nullptr) != nullptr; },
              [&] {
                  EXPECT_FALSE(IsWindowVisible(bar.Tip)) << "the info tip goes when the panel is clicked";
                  EXPECT_FALSE(Application->ShowHint());
                  // Local Time, Paris, Kathmandu: the separator is skipped.
                  for (int i = 0; i < 3; ++i) PostMessageA(bar.Form->Handle(), WM_KEYDOWN, VK_DOWN, 0);
              })
        .When("Kathmandu is highlighted", [&] { return ClockHoverCommand == kathmandu->Command(); },
              [&] {
                  ClockTick();
                  previewText = bar.Qtime->Caption();
                  PostMessageA(bar.Form->Handle(), WM_KEYDOWN, VK_RETURN, 0);
              });
    script.Run([&] {
        PostMessageA(q, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageA(q, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        PumpUntil([&] { return ClockLocation == "Kathmandu"; }, 5000);
    });
    EXPECT_EQ(previewText, "16:45:00");
    EXPECT_EQ(ClockLocation, "Kathmandu");
    EXPECT_EQ(ClockOffset, 405) << "the chosen place's offset replaces the one restored after the menu";
    EXPECT_EQ(ClockItemIndex, 3);
    EXPECT_EQ(bar.OpenMenuKind, 0);
    EXPECT_TRUE(Application->ShowHint());
    DestroyWindow(bar.Tip);
}

// ---- the machine's own zone (run with TZ set; see run-in-zone.sh) ----

int ExpectedOffset(const char* text) {
    // "+0545" or "-0330", as GNU date prints it.
    const int sign = text[0] == '-' ? -1 : 1;
    const int hhmm = std::atoi(text + 1);
    return sign * (hhmm / 100 * 60 + hhmm % 100);
}

TEST(LocalZone, MachineOffsetAndLocalTimeFollowTheZone) {
    const char* expectedText = std::getenv("MIVORA_EXPECTED_OFFSET");
    if (!expectedText) GTEST_SKIP() << "run through run-in-zone.sh";
    const int expected = ExpectedOffset(expectedText);
    EXPECT_EQ(GetLocalZoneMinutes(), expected);
    ClockFiles files;
    TestBar bar;
    BuildZoneMenu();
    EXPECT_EQ(ClockLocation, "Local Time");
    EXPECT_EQ(ClockOffset, expected);
    // The panel shows the machine's local time; taken again when a second
    // boundary falls between the readings.
    for (int attempt = 0; attempt < 5; ++attempt) {
        SYSTEMTIME before{}, after{};
        GetLocalTime(&before);
        ClockTick();
        GetLocalTime(&after);
        if (before.wSecond != after.wSecond) continue;
        EXPECT_EQ(bar.Qtime->Caption(), ClockPanelText(before.wHour, before.wMinute, before.wSecond));
        EXPECT_EQ(bar.Qtime->Hint(), HintFor("Local Time", Civil(before.wYear, before.wMonth, before.wDay)));
        return;
    }
    ADD_FAILURE() << "no stable second";
}

// The golden rows of the zone the process runs in: the machine turns each UTC
// instant into its local time by the zone's rules for that year, and the
// clock, given the offset that makes, shows the local time the IANA data gives.
TEST(LocalZone, GoldenInstantsOfTheZone) {
    const char* zone = std::getenv("MIVORA_ZONE");
    const char* expectedText = std::getenv("MIVORA_EXPECTED_OFFSET");
    if (!zone || !expectedText) GTEST_SKIP() << "run through run-in-zone.sh";
    std::ifstream in(std::string(MIVORA_TEST_DATA) + "/clock/golden.tsv");
    ASSERT_TRUE(in) << "golden vectors missing";
    // Newer than the systems the program is built for: looked up by name.
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    using GetDynamicFn = DWORD(WINAPI*)(DYNAMIC_TIME_ZONE_INFORMATION*);
    using ForYearFn = BOOL(WINAPI*)(USHORT, DYNAMIC_TIME_ZONE_INFORMATION*, TIME_ZONE_INFORMATION*);
    const auto getDynamic = reinterpret_cast<GetDynamicFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "GetDynamicTimeZoneInformation")));
    const auto forYear = reinterpret_cast<ForYearFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "GetTimeZoneInformationForYear")));
    ASSERT_TRUE(getDynamic && forYear);
    DYNAMIC_TIME_ZONE_INFORMATION dynamic{};
    ASSERT_NE(getDynamic(&dynamic), TIME_ZONE_ID_INVALID);
    std::set<int> offsets;
    std::string line;
    int rows = 0;
    while (std::getline(in, line)) {
        if (line.rfind(std::string(zone) + "\t", 0) != 0) continue;
        std::istringstream fields(line.substr(std::strlen(zone) + 1));
        std::string utcDate, utcTime, localDate, localTime;
        int offset = 0;
        fields >> utcDate >> utcTime >> localDate >> localTime >> offset;
        CivilTime utc, local;
        std::sscanf(utcDate.c_str(), "%d-%d-%d", &utc.Year, &utc.Month, &utc.Day);
        std::sscanf(utcTime.c_str(), "%d:%d:%d", &utc.Hour, &utc.Minute, &utc.Second);
        std::sscanf(localDate.c_str(), "%d-%d-%d", &local.Year, &local.Month, &local.Day);
        std::sscanf(localTime.c_str(), "%d:%d:%d", &local.Hour, &local.Minute, &local.Second);
        offsets.insert(offset);
        ++rows;
        SCOPED_TRACE(line);
        TIME_ZONE_INFORMATION rules{};
        ASSERT_TRUE(forYear(static_cast<USHORT>(utc.Year), &dynamic, &rules));
        const SYSTEMTIME u = SystemTimeOf(utc);
        SYSTEMTIME l{};
        ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(&rules, &u, &l));
        const CivilTime machine = Civil(l.wYear, l.wMonth, l.wDay, l.wHour, l.wMinute, l.wSecond);
        const int machineOffset = LocalOffsetFromCivil(utc, machine);
        EXPECT_EQ(machineOffset, offset);
        EXPECT_EQ(ZoneTimeFromUtc(utc, machineOffset), local);
    }
    EXPECT_GE(rows, 10) << "no golden rows for " << zone;
    EXPECT_EQ(offsets.count(ExpectedOffset(expectedText)), 1u) << "today's offset is none the zone has";
}

}  // namespace
