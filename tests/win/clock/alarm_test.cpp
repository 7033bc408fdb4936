// The alarms on the real bar: a stored alarm shows one notice and plays its
// sound when the clock passes its moment, and the alarm list and editor write
// the store as the user sets them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "main/clock/AlarmCheck.h"
#include "main/clock/AlarmMes.h"
#include "main/clock/core/AlarmRules.h"
#include "main/clock/ClockIni.h"
#include "main/clock/ClockOnBar.h"
#include "tests/win/clock/ClockTestSupport.h"
#include "main/clock/SetAlarm.h"
#include "framework/core/StrUtils.h"
#include "framework/forms/SysUtils.h"
#include "main/clock/UnitSingleAla.h"
#include "main/clock/core/ZoneOffsets.h"
#include "main/bar/mainfrm.h"

using namespace bar;
using namespace worldclock;

namespace {

// The notices on screen.
std::vector<HWND> Notices() {
    std::vector<HWND> found;
    HWND w = nullptr;
    while ((w = FindWindowExA(nullptr, w, nullptr, "Mivora Alarm")))
        if (IsWindowVisible(w)) found.push_back(w);
    return found;
}

class AlarmsOnTheBar : public ::testing::Test {
protected:
    void Start(const std::string& store, int localOffset) {
        clock_ = std::make_unique<FakeClock>(Civil(2026, 12, 9, 5, 42, 7), localOffset);
        files_.WriteZone(store);
        bar_ = std::make_unique<TForm1>(nullptr);
        // The program's own wiring, and the call the bar makes with it while
        // its window is created.
        AttachClockToBar();
        BarExtensions.BuildZoneMenu(bar_.get());
        Alarm = TForm::Create<TAlarm>(Application);
        SingleAlarm = TForm::Create<TSingleAlarm>(Application);
        ConnectAlarms();
        ResetAlarmCheck();
        previousSound_ = AlarmPlaySound;
        AlarmPlaySound = [this](const std::string& path) { played_.push_back(path); };
        bar_->Show();
    }
    void TearDown() override {
        AlarmPlaySound = previousSound_;
        delete Alarm;
        delete SingleAlarm;
        BarExtensions = TBarExtensions{};
        ClockAlarmLink = TClockAlarmLink{};
        bar_.reset();
    }
    // A tick at 05:42:07 UTC shows nothing; the tick a second later shows
    // one notice, and a second tick within that second no other one.
    void ExpectOneNotice(const std::string& text, const std::string& memo) {
        bar_->Timer1Timer(bar_->Timer1);
        EXPECT_TRUE(Notices().empty());
        EXPECT_TRUE(ClockPanel->AlarmImage->Visible()) << "the alarm mark";
        clock_->Utc = Civil(2026, 12, 9, 5, 42, 8);
        UiScript script;
        script.When(
            "the notice is up", [] { return Notices().size() == 1; },
            [&] {
                bar_->Timer1Timer(bar_->Timer1);
                EXPECT_EQ(AlarmMes->Label1->Text(), text);
                EXPECT_EQ(AlarmMes->Memo1->Text(), memo);
                EXPECT_EQ(Notices().size(), 1u);
                KeepSnapshot(SnapWindow(Notices().front()), "alarm-notice");
                ClickButton(AlarmMes->Button1);
            });
        script.Run([&] { bar_->Timer1Timer(bar_->Timer1); });
        EXPECT_TRUE(Notices().empty());
        EXPECT_EQ(AlarmMes, nullptr) << "each notice goes when it closes";
    }
    std::unique_ptr<FakeClock> clock_;
    ClockFiles files_;
    std::unique_ptr<TForm1> bar_;
    std::vector<std::string> played_;
    std::function<void(const std::string&)> previousSound_;
};

const char kParis[] =
    "[Zone]\r\nParis=60\r\n[ItemNU]\r\nItemnu=2\r\n[city]\r\nMyCity1=Paris[GMT +01:00]\r\nMyCity2=Paris[GMT +01:00]\r\n"
    "[date]\r\nmyDate1=26-12-9\r\nmyDate2=26-12-9\r\n[time]\r\nmyTime1=6:42:08\r\nmyTime2=6:42:08\r\n"
    "[sound]\r\nmySound1=T/S\r\nmySound2=T/S\r\n[soundfile]\r\nmySoundfile1=C:\\Mivora\\bell\r\n"
    "[Memo]\r\nmyMemo1=Call home\r\n[image]\r\nmyImageList1=1\r\nmyImageList2=2\r\n";

TEST_F(AlarmsOnTheBar, OneTimeAlarmShowsOneNoticePlaysItsSoundAndIsDone) {
    Start(kParis, 345);
    ExpectOneNotice("Paris\r\n(GMT+01:00)\r\n2026-12-9 6:42:08", "Call home");
    EXPECT_EQ(played_, std::vector<std::string>{"C:\\Mivora\\bell.wav"});
    EXPECT_EQ(IniSection(files_.ReadZone(), "image"), "myImageList1=3\nmyImageList2=2\n");
}

// Run again by run-in-zone.sh in zones of half and three-quarter hours: a
// "Local Time" alarm follows the machine's own offset, not the stored one.
class LocalZoneAlarm : public AlarmsOnTheBar {};

TEST_F(LocalZoneAlarm, DailyAlarmFollowsTheMachine) {
    const int offset = SystemClockReading().LocalOffset;
    if (const char* expected = std::getenv("MIVORA_EXPECTED_OFFSET")) {
        const int hhmm = std::atoi(expected);
        EXPECT_EQ(offset, (hhmm / 100) * 60 + hhmm % 100);
    }
    const CivilTime local = ZoneTimeFromUtc(Civil(2026, 12, 9, 5, 42, 8), offset);
    Start(
        "[Zone]\r\nLocal Time=480\r\n[ItemNU]\r\nItemnu=1\r\n[city]\r\nMyCity1=Local Time[GMT +08:00]\r\n"
        "[daySetting]\r\nmyDaySetting1=Every day\r\n[time]\r\nmyTime1=" +
            AlarmTimeText(local.Hour, local.Minute, local.Second) +
            "\r\n[sound]\r\nmySound1=S\r\n[soundfile]\r\nmySoundfile1=C:\\x\\CHIME.WAV\r\n[image]\r\nmyImageList1="
            "1\r\n",
        offset);
    ExpectOneNotice("Local Time\r\n" + ZoneOffsetToText(offset) + "\r\n" + IntToStr(local.Year) + "-" +
                        IntToStr(local.Month) + "-" + IntToStr(local.Day) + " " + IntToStr(local.Hour) + ":" +
                        IntToStr(local.Minute) + ":08",
                    "");
    EXPECT_EQ(played_, std::vector<std::string>{"C:\\x\\CHIME.WAV"});
    EXPECT_EQ(IniSection(files_.ReadZone(), "image"), "myImageList1=1\n") << "a daily alarm stays on";
}

// ---- the alarm list and the editor ----

// Clicks a cell of the grid with the mouse, as the user does.
void ClickCell(const TStringGrid* grid, int col, int row) {
    RECT r{};
    r.top = col;
    r.left = LVIR_BOUNDS;
    SendMessageA(grid->Handle(), LVM_GETSUBITEMRECT, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&r));
    POINT at{col == 0 ? r.left + 8 : (r.left + r.right) / 2, (r.top + r.bottom) / 2};
    const LPARAM lp = MAKELPARAM(at.x, at.y);
    ClientToScreen(grid->Handle(), &at);
    SetCursorPos(at.x, at.y);
    PostMessageA(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, lp);
    PostMessageA(grid->Handle(), WM_LBUTTONUP, 0, lp);
}

std::vector<std::string> RowCells(int row) {
    std::vector<std::string> cells;
    for (int c = 1; c < 5; ++c) cells.push_back(Alarm->StringGrid1->Cells(c, row));
    return cells;
}

SYSTEMTIME At(int y, int mo, int d, int h, int mi, int s) {
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(y), t.wMonth = static_cast<WORD>(mo), t.wDay = static_cast<WORD>(d);
    t.wHour = static_cast<WORD>(h), t.wMinute = static_cast<WORD>(mi), t.wSecond = static_cast<WORD>(s);
    return t;
}

// The store after a Close: row 1, the 33 slots (slot 1 with its sound file,
// memo and state), the daylight flags, then the sections new to the file.
std::string StoreAfterClose(const std::string& firstRows, const std::string& memo, int state, bool daylight,
                            const std::string& added = "") {
    std::string sound = "[soundfile]\r\n", memos = "[Memo]\r\n", states = "[image]\r\n";
    for (int s = 0; s <= 32; ++s) {
        const std::string n = IntToStr(s);
        sound += "mySoundfile" + n + "=" + (s == 1 ? ProgramFolder() + "bell" : "") + "\r\n";
        memos += "myMemo" + n + "=" + (s == 1 ? memo : "") + "\r\n";
        states += "myImageList" + n + "=" + IntToStr(s == 1 ? state : 0) + "\r\n";
    }
    const std::string flag = daylight ? "]\r\n1=1\r\n" : "]\r\n1=0\r\n";
    return firstRows + sound + memos + states + "[ZoneMenuAlarmTempDaylight" + flag + "[ZoneMenuAlarmDaylight" + flag +
           added;
}

TEST_F(AlarmsOnTheBar, ListAndEditorWriteTheStore) {
    Start("[Zone]\r\nParis=60\r\n", 345);
    DialogAnswers answers;
    TSingleAlarm* e = SingleAlarm;
    UiScript visit;
    visit.When(
        "the empty list is up", [] { return Showing(Alarm); },
        [&] {
            EXPECT_EQ(Alarm->Caption(), "Alarm Setting");
            EXPECT_EQ(Alarm->StringGrid1->RowCount(), 2);
            EXPECT_FALSE(IsWindowEnabled(Alarm->Apply->Handle()) || IsWindowEnabled(Alarm->RemoveBu->Handle()));
            ClickButton(Alarm->AddBu);
        });
    visit.When(
        "the editor is up for a new alarm", [&] { return Showing(e); },
        [&] {
            EXPECT_EQ(e->ComboBoxCityName->Text(), "Local Time");
            EXPECT_EQ(e->ComboBoxZone->ItemIndex(), 35) << "(GMT+05:45)";
            EXPECT_FALSE(e->MyDate->Visible());
            EXPECT_TRUE(e->RaB1->Checked() && e->CheckBox1->Checked() && e->CheckBox2->Checked());
            PickFrom(e->ComboBoxCityName, e->ComboBoxCityName->IndexOf("Paris"));
            EXPECT_EQ(e->ComboBoxZone->ItemIndex(), 25) << "(GMT+01:00)";
            e->DaySetting->SetItemIndex(0);
            EXPECT_TRUE(e->MyDate->Visible());
            EXPECT_EQ(e->labTime->Left(), 232);
            e->MyDate->SetDateTime(At(2026, 12, 24, 0, 0, 0));
            e->MyTime->SetDateTime(At(2026, 12, 9, 7, 5, 0));
            e->Memo1->SetText("Call\r\nhome");
            ClickButton(e->RaB4);
            ClickButton(e->Button1);
        });
    visit.When(
        "Others wants a file", [&] { return answers.texts.size() == 1; },
        [&] {
            EXPECT_EQ(answers.texts[0], "Please select a wave file.");
            ClickButton(e->RaB2);
        });
    visit.When(
        "Bell needs no file", [&] { return e->RaB2->Checked(); },
        [&] {
            EXPECT_FALSE(IsWindowEnabled(e->Edit1->Handle()));
            KeepSnapshot(SnapWindow(e->Handle()), "alarm-editor");
            ClickButton(e->Button1);
        });
    visit.When(
        "the list holds the alarm", [&] { return !Showing(e) && Alarm->StringGrid1->RowCount() == 3; },
        [&] {
            EXPECT_EQ(RowCells(1), (std::vector<std::string>{"26-12-24", "7:05:00", "Paris[GMT +01:00]", "T/S"}));
            KeepSnapshot(SnapWindow(Alarm->Handle()), "alarm-list");
            ClickButton(Alarm->Button2);
        });
    visit.Run([&] { ClockAlarmLink.ShowAlarmList(); });
    const std::string rows =
        "[Zone]\r\nParis=60\r\n[ItemNU]\r\nItemnu=1\r\n"
        "[city]\r\nMyCity1=Paris[GMT +01:00]\r\n[date]\r\nmyDate1=26-12-24\r\n"
        "[time]\r\nmyTime1=7:05:00\r\n[sound]\r\nmySound1=T/S\r\n";
    EXPECT_EQ(files_.ReadZone(), StoreAfterClose(rows, "Call home", 1, false));

    // Daylight, switched off, then edited into a daily sound alarm; an edit
    // with neither text nor sound is refused and changes nothing.
    UiScript again;
    again.When(
        "the list is up again", [] { return Showing(Alarm); },
        [&] {
            ClickButton(Alarm->daylight);
            ClickCell(Alarm->StringGrid1, 0, 1);
            ClickButton(Alarm->Apply);
        });
    again.When(
        "the editor shows the alarm", [&] { return Showing(e); },
        [&] {
            EXPECT_EQ(Alarm->StringGrid1->Cells(3, 1), "Paris[GMT +02:00]");
            EXPECT_EQ(e->DaySetting->ItemIndex(), 0);
            EXPECT_TRUE(e->RaB2->Checked());
            EXPECT_EQ(e->Memo1->Text(), "Call home");
            ClickButton(e->CheckBox1);
            ClickButton(e->CheckBox2);
            ClickButton(e->Button1);
        });
    again.When(
        "the empty style is refused", [&] { return answers.texts.size() == 2 && !Showing(e); },
        [&] {
            EXPECT_EQ(answers.texts[1], "The Alarm Option must set.");
            EXPECT_EQ(RowCells(1)[3], "T/S");
            EXPECT_EQ(Alarm->Alarms[0].State, asOff);
            ClickButton(Alarm->Apply);
        });
    again.When(
        "the editor is up once more", [&] { return Showing(e); },
        [&] {
            e->DaySetting->SetItemIndex(1);
            ClickButton(e->CheckBox1);
            ClickButton(e->Button1);
        });
    again.When(
        "the alarm is daily", [&] { return !Showing(e) && RowCells(1)[0] == "Every day"; },
        [&] {
            EXPECT_EQ(RowCells(1), (std::vector<std::string>{"Every day", "7:05:00", "Paris[GMT +02:00]", "S"}));
            ClickButton(Alarm->Button2);
        });
    again.Run([&] { ClockAlarmLink.ShowAlarmList(); });
    const std::string daily =
        "[Zone]\r\nParis=60\r\n[ItemNU]\r\nItemnu=1\r\n"
        "[city]\r\nMyCity1=Paris[GMT +02:00]\r\n[date]\r\nmyDate1=26-12-24\r\n"
        "[time]\r\nmyTime1=7:05:00\r\n[sound]\r\nmySound1=S\r\n";
    EXPECT_EQ(files_.ReadZone(), StoreAfterClose(daily, "", 1, true, "[daySetting]\r\nmyDaySetting1=Every day\r\n"));
}

// A visit closed by the title bar after a Remove leaves the store byte for
// byte, daylight flags included: the next Close cannot move them.
TEST_F(AlarmsOnTheBar, TitleBarCloseAfterRemoveKeepsTheStore) {
    const std::string store =
        "[Zone]\r\nParis=60\r\nRome=60\r\n[ItemNU]\r\nItemnu=3\r\n[city]\r\nMyCity1=Paris[GMT +01:00]\r\n"
        "MyCity2=Rome[GMT +02:00]\r\nMyCity3=Paris[GMT +01:00]\r\n[date]\r\nmyDate1=26-12-24\r\nmyDate2=26-12-25\r\n"
        "myDate3=26-12-26\r\n[time]\r\nmyTime1=7:05:00\r\nmyTime2=7:05:00\r\nmyTime3=7:05:00\r\n[sound]\r\n"
        "mySound1=T\r\nmySound2=T\r\nmySound3=T\r\n[image]\r\nmyImageList1=1\r\nmyImageList2=1\r\nmyImageList3=1\r\n"
        "[ZoneMenuAlarmTempDaylight]\r\n1=0\r\n2=1\r\n3=0\r\n[ZoneMenuAlarmDaylight]\r\n1=0\r\n2=1\r\n3=0\r\n";
    Start(store, 0);
    UiScript visit;
    visit.When(
        "the list is up", [] { return Showing(Alarm); }, [] { ClickCell(Alarm->StringGrid1, 1, 3); });
    visit.When(
        "the last alarm is selected", [] { return Alarm->CurrentRow() == 3; },
        [] { ClickButton(Alarm->RemoveBu); });
    visit.When(
        "it is removed", [] { return Alarm->Alarms.size() == 2; }, [] { CloseByTitleBar(Alarm); });
    visit.Run([&] { ClockAlarmLink.ShowAlarmList(); });
    EXPECT_EQ(files_.ReadZone(), store);
}

}  // namespace
