// The clock-setting and location dialogs worked as the user works them: add,
// edit, remove, daylight flags, close and cancel, with "Zonefset.ini" and
// "Zonef.ini" before and after, and the clock menu and clock they change.
#include <gtest/gtest.h>

#include <memory>

#include "main/clock/AddCity.h"
#include "main/clock/ClockIni.h"
#include "main/clock/core/ClockRules.h"
#include "tests/win/clock/ClockTestSupport.h"
#include "main/clock/TimeChangeClock.h"
#include "main/clock/core/ZoneIni.h"

using namespace worldclock;

namespace {

// The machine at +05:45 at 05:42:07 UTC.
class DialogRig {
public:
    DialogRig(const std::string& zonefset, const std::string& zonef) {
        if (!zonefset.empty()) files.WriteSet(zonefset);
        files.WriteZone(zonef);
        bar = std::make_unique<TestBar>();
        BuildZoneMenu();
        SetTimerForm = TForm::Create<TSetTimerForm>(Application);
        AddCityForm = TForm::Create<TAddCityForm>(Application);
    }
    ~DialogRig() {
        delete SetTimerForm;
        delete AddCityForm;
    }
    // Shows the clock-setting dialog from the clock menu's "Setting..." while
    // `script` works it; gives the way it was closed.
    TModalResult Show(UiScript& script) {
        script.Run([&] { bar->Clock->Setting1Click(bar->Clock->Setting1); });
        return SetTimerForm->ModalResult;
    }
    // Ready once `count` message boxes have been answered.
    std::function<bool()> Answered(size_t count) {
        return [this, count] { return answers.texts.size() == count; };
    }
    // The committed places of "Zonefset.ini": [ZoneMenu], [ZoneMenuDaylight], [ZoneMenuNU].
    void ExpectCommitted(const char* places, const char* daylight, const char* count) const {
        const std::string set = files.ReadSet();
        EXPECT_EQ(IniSection(set, "ZoneMenu"), places);
        EXPECT_EQ(IniSection(set, "ZoneMenuDaylight"), daylight);
        EXPECT_EQ(IniSection(set, "ZoneMenuNU"), count);
    }
    void ExpectMenu(const std::vector<std::string>& captions, int checked) const {
        EXPECT_EQ(bar->MenuCaptions(), captions);
        EXPECT_EQ(bar->CheckedIndex(), checked);
    }
    FakeClock clock{Civil(2026, 12, 9, 5, 42, 7), 345};
    ClockFiles files;
    DialogAnswers answers;
    RecordedCommands commands;
    std::unique_ptr<TestBar> bar;
};

TSetTimerForm* S() { return SetTimerForm; }
TAddCityForm* A() { return AddCityForm; }
bool Up(const TForm* form) { return Showing(form); }
bool EnabledNow(const TStdControl* c) { return c->Handle() && IsWindowEnabled(c->Handle()); }
std::vector<std::string> V(std::initializer_list<const char*> items) { return {items.begin(), items.end()}; }

// Names a location in the location dialog, picks its zone when given, and clicks OK.
std::function<void()> NameLocation(std::string name, int zone = -1) {
    return [name, zone] {
        TypeInto(A()->CityName, name);
        if (zone >= 0) PickFrom(A()->ComboBoxZone, zone);
        ClickButton(A()->AddCityOk);
    };
}

// Makes the list's entry `index` current once the dialog is up, then removes it.
UiScript& RemoveAtOpening(UiScript& script, int index) {
    return script.When("the dialog is up", [] { return Up(S()); }, [index] { ClickListEntry(S()->ListBoxCity, index); })
        .When("the entry is current", [index] { return S()->ListBoxCity->ItemIndex() == index; },
              [] { ClickButton(S()->MoveButton); });
}

// What the next start of the bar shows in the clock menu.
void ExpectMenuAtNextStart(const std::vector<std::string>& captions) {
    TestBar next;
    BuildZoneMenu();
    EXPECT_EQ(next.MenuCaptions(), captions);
}

const char kThree[] =
    "[ZoneMenu]\r\nParis=60\r\nKathmandu=345\r\nLima=-300\r\n"
    "[ZoneMenuDaylight]\r\n0=0\r\n1=0\r\n2=0\r\n3=1\r\n"
    "[ZoneMenuNU]\r\nnu=3\r\n"
    "[SelItem]\r\nsel=3\r\n";
const char kThreeZones[] = "[Zone]\r\nParis=60\r\nKathmandu=345\r\nLima=-300\r\n";

TEST(ClockSettingDialog, AddsALocationAndCommitsItOnClose) {
    DialogRig rig("", "[Zone]\r\nParis=60\r\nKathmandu=345\r\nlondon=0\r\n");
    UiScript script;
    script
        .When("the dialog is up", [] { return Up(S()); },
              [&] {
                  EXPECT_EQ(S()->Caption(), "Clock Setting ");
                  EXPECT_EQ(S()->ListBoxCity->Items(), V({"Local Time"}));
                  EXPECT_EQ(S()->ListBoxCity->ItemIndex(), 0);
                  EXPECT_TRUE(EnabledNow(S()->AddButton));
                  EXPECT_FALSE(EnabledNow(S()->EditButton));
                  EXPECT_FALSE(EnabledNow(S()->MoveButton));
                  EXPECT_FALSE(S()->Daylight->Checked());
                  EXPECT_EQ(S()->TimeZoneEdit->Text(), "GMT +05:45");
                  EXPECT_EQ(S()->Edit1->Text(), LocationTimeText(2026, 12, 9, LocaleLongTime(Civil(2026, 12, 9, 11, 27, 7))));
                  ClickButton(S()->AddButton);
              })
        .When("the location dialog is up", [] { return Up(A()); },
              [&] {
                  EXPECT_EQ(A()->Caption(), "New Clock");
                  EXPECT_EQ(A()->CityName->Text(), "Please select a location.");
                  EXPECT_EQ(A()->CityName->Items(), V({"Kathmandu", "london", "Paris"}));
                  EXPECT_EQ(A()->ComboBoxZone->ItemIndex(), -1);
                  EXPECT_EQ(A()->ComboBoxZone->Count(), 49);
                  EXPECT_EQ(A()->ComboBoxZone->Strings(48), "(GMT+12:00)");
                  EXPECT_EQ(A()->Left(), S()->Left() - 40);
                  EXPECT_EQ(A()->Top(), S()->Top());
                  PickFrom(A()->ComboBoxZone, 30);
                  ClickButton(A()->AddCityOk);
              })
        .When("the placeholder is refused", rig.Answered(1),
              [&] {
                  EXPECT_EQ(rig.answers.texts[0], "Please select a location!");
                  EXPECT_EQ(rig.answers.types[0], TMsgDlgType::mtError);
                  TypeInto(A()->CityName, "Atlantis");
                  EXPECT_EQ(A()->ComboBoxZone->ItemIndex(), 14) << "an unknown name starts at (GMT-05:00)";
                  EXPECT_TRUE(EnabledNow(A()->AddCityOk));
                  TypeInto(A()->CityName, "");
                  EXPECT_FALSE(EnabledNow(A()->AddCityOk));
                  TypeInto(A()->CityName, "Paris");
                  EXPECT_EQ(A()->ComboBoxZone->ItemIndex(), 25);
                  NameLocation("local TIME")();
              })
        .When("a listed name is refused", rig.Answered(2),
              [&] {
                  EXPECT_EQ(rig.answers.texts[1], "The location name you specified already exist!");
                  NameLocation("a=b")();
              })
        .When("a name the files cannot hold is refused", rig.Answered(3),
              [&] {
                  EXPECT_EQ(rig.answers.texts[2], LocationNameFaultText(LocationNameFault::ReservedCharacter));
                  EXPECT_TRUE(Up(A()));
                  PickFrom(A()->CityName, 0);
                  EXPECT_EQ(A()->CityName->Text(), "Kathmandu");
                  EXPECT_EQ(A()->ComboBoxZone->ItemIndex(), 35) << "a picked name takes its stored zone";
                  PickFrom(A()->ComboBoxZone, 34);
                  ClickButton(A()->AddCityOk);
              })
        .When("the new location stands in the list", [] { return !Up(A()) && S()->ListBoxCity->Count() == 2; },
              [&] {
                  EXPECT_EQ(rig.answers.texts.size(), 3u);
                  EXPECT_EQ(S()->ListBoxCity->Items(), V({"Local Time", "Kathmandu"}));
                  EXPECT_EQ(S()->ListBoxCity->ItemIndex(), 1);
                  EXPECT_EQ(S()->TimeZoneEdit->Text(), "GMT +05:30");
                  EXPECT_FALSE(S()->Daylight->Checked());
                  EXPECT_TRUE(EnabledNow(S()->EditButton));
                  EXPECT_TRUE(EnabledNow(S()->MoveButton));
                  EXPECT_EQ(IniSection(rig.files.ReadSet(), "ZoneMenuTemp"), "Kathmandu=330\n");
                  EXPECT_EQ(IniContent(rig.files.ReadZone()), "[Zone]\nParis=60\nKathmandu=330\nlondon=0\n");
                  EXPECT_EQ(IniSection(rig.files.ReadSet(), "ZoneMenu"), "") << "nothing committed before Close";
                  ClickButton(S()->Daylight);
              })
        .When("the daylight hour shows", [] { return S()->TimeZoneEdit->Text() == "GMT +06:30"; },
              [&] {
                  EXPECT_EQ(ClockOffset, 345) << "the clock shows Local Time and stays";
                  rig.clock.Utc = Civil(2026, 12, 9, 5, 43, 7);
              })
        .When("the preview follows the clock every second",
              [] { return S()->Edit1->Text() == LocationTimeText(2026, 12, 9, LocaleLongTime(Civil(2026, 12, 9, 12, 13, 7))); },
              [] { ClickButton(S()->Button1); });
    EXPECT_EQ(rig.Show(script), mrOk);
    // Byte for byte, as the profile functions lay the file out.
    EXPECT_EQ(rig.files.ReadSet(),
              "[ZoneMenuTempDaylight]\r\n0=0\r\n1=1\r\n"
              "[ZoneMenuTemp]\r\nKathmandu=330\r\n"
              "[ZoneMenuDaylight]\r\n0=0\r\n1=1\r\n"
              "[ZoneMenu]\r\nKathmandu=330\r\n"
              "[ZoneMenuNU]\r\nnu=1\r\n");
    EXPECT_EQ(rig.files.ReadZone(), "[Zone]\r\nParis=60\r\nKathmandu=330\r\nlondon=0\r\n");
    rig.ExpectMenu(V({"Local Time", "-", "Kathmandu", "-", "Setting...", "Alarm... "}), 0);
    // The next start reads back what Close wrote.
    ExpectMenuAtNextStart(V({"Local Time", "-", "Kathmandu", "-", "Setting...", "Alarm... "}));
}


TEST(ClockSettingDialog, EditRenamesTheShownLocationAtOnce) {
    DialogRig rig(kThree, kThreeZones);
    ASSERT_EQ(ClockLocation, "Kathmandu");
    UiScript script;
    script
        .When("the dialog is up", [] { return Up(S()); }, [] { ClickListEntry(S()->ListBoxCity, 2, true); })
        .When("the location dialog is up", [] { return Up(A()); },
              [&] {
                  EXPECT_EQ(A()->Caption(), "Edit Clock");
                  EXPECT_EQ(A()->CityName->Text(), "Kathmandu");
                  EXPECT_EQ(A()->ComboBoxZone->ItemIndex(), 35);
                  NameLocation("paris")();
              })
        .When("another entry's name is refused", rig.Answered(1),
              [&] {
                  EXPECT_EQ(rig.answers.texts[0], "The location name you specified already exist!");
                  NameLocation("LOCAL TIME")();
              })
        .When("Local Time's name is refused", rig.Answered(2),
              [&] {
                  EXPECT_EQ(rig.answers.texts[1], "The location name you specified already exist!");
                  NameLocation("Kathmandu ")();
              })
        .When("a blank at the end is refused", rig.Answered(3),
              [&] {
                  EXPECT_EQ(rig.answers.texts[2], LocationNameFaultText(LocationNameFault::EdgeBlank));
                  TypeInto(A()->CityName, "Pokhara");
                  EXPECT_EQ(A()->ComboBoxZone->ItemIndex(), 14);
                  PickFrom(A()->ComboBoxZone, 34);
                  ClickButton(A()->AddCityOk);
              })
        .When("the entry is renamed", [] { return !Up(A()) && S()->ListBoxCity->Strings(2) == "Pokhara"; },
              [&] {
                  EXPECT_EQ(S()->ListBoxCity->Items(), V({"Local Time", "Paris", "Pokhara", "Lima"}));
                  EXPECT_EQ(S()->ListBoxCity->ItemIndex(), 2);
                  EXPECT_EQ(S()->TimeZoneEdit->Text(), "GMT +05:30");
                  EXPECT_EQ(ClockLocation, "Pokhara");
                  EXPECT_EQ(ClockOffset, 330);
                  EXPECT_EQ(rig.bar->MenuCaptions()[3], "Pokhara");
                  ClickButton(S()->Daylight);
              })
        .When("a daylight change of the renamed entry moves the clock", [] { return ClockOffset == 390; },
              [] {
                  EXPECT_EQ(S()->TimeZoneEdit->Text(), "GMT +06:30");
                  ClickButton(S()->Button1);
              });
    EXPECT_EQ(rig.Show(script), mrOk);
    // Byte for byte: the committed section comes back after its erasure at the
    // end of the file; the working sections keep every name they were given.
    EXPECT_EQ(rig.files.ReadSet(),
              "[ZoneMenuDaylight]\r\n0=0\r\n1=0\r\n2=1\r\n3=1\r\n"
              "[ZoneMenuNU]\r\nnu=3\r\n"
              "[SelItem]\r\nsel=3\r\n"
              "[ZoneMenuTemp]\r\nParis=60\r\nKathmandu=345\r\nLima=-300\r\nPokhara=330\r\n"
              "[ZoneMenuTempDaylight]\r\n0=0\r\n1=0\r\n2=1\r\n3=1\r\n"
              "[ZoneMenu]\r\nParis=60\r\nPokhara=330\r\nLima=-300\r\n");
    EXPECT_EQ(rig.files.ReadZone(), "[Zone]\r\nParis=60\r\nKathmandu=345\r\nLima=-300\r\nPokhara=330\r\n");
    rig.ExpectCommitted("Paris=60\nPokhara=330\nLima=-300\n", "0=0\n1=0\n2=1\n3=1\n", "nu=3\n");
    EXPECT_EQ(IniSection(rig.files.ReadZone(), "Zone"), "Paris=60\nKathmandu=345\nLima=-300\nPokhara=330\n")
        << "the old name stays known";
    rig.ExpectMenu(V({"Local Time", "-", "Paris", "Pokhara", "Lima", "-", "Setting...", "Alarm... "}), 3);
    SaveZoneSelection();
    EXPECT_EQ(IniSection(rig.files.ReadSet(), "SelItem"), "sel=3\n");
}

// "Z\xfcrich" and "Z\xdcRICH" are one key to the profile functions: were both
// listed, the next start would find fewer keys than the count and show no
// location at all.
TEST(ClockSettingDialog, AnAccentedNameInAnotherLetterCaseIsTaken) {
    DialogRig rig("", "[Zone]\r\n");
    UiScript script;
    script.When("the dialog is up", [] { return Up(S()); }, [] { ClickButton(S()->AddButton); })
        .When("the location dialog is up", [] { return Up(A()); },
              NameLocation("Z\xfcrich", 25))
        .When("the location is listed", [] { return !Up(A()) && S()->ListBoxCity->Count() == 2; },
              [] { ClickButton(S()->AddButton); })
        .When("the location dialog is up again", [] { return Up(A()); },
              NameLocation("Z\xdcRICH", 25))
        .When("the other letter case is refused", rig.Answered(1),
              [&] {
                  EXPECT_EQ(rig.answers.texts[0], "The location name you specified already exist!");
                  ClickButton(A()->AddCityCancel);
              })
        .When("the location dialog is closed", [] { return !Up(A()); }, [] { ClickButton(S()->Button1); });
    EXPECT_EQ(rig.Show(script), mrOk);
    EXPECT_EQ(IniSection(rig.files.ReadSet(), "ZoneMenu"), "Z\xfcrich=60\n");
    EXPECT_EQ(IniSection(rig.files.ReadSet(), "ZoneMenuNU"), "nu=1\n");
    ExpectMenuAtNextStart(V({"Local Time", "-", "Z\xfcrich", "-", "Setting...", "Alarm... "}));
}

TEST(ClockSettingDialog, RemoveMovesClockAndFlagsToTheNextEntry) {
    DialogRig rig(kThree, kThreeZones);
    UiScript script;
    RemoveAtOpening(script, 2)
        .When("the shown location is gone", [] { return S()->ListBoxCity->Count() == 3; },
              [&] {
                  ASSERT_EQ(rig.answers.texts.size(), 1u);
                  EXPECT_EQ(rig.answers.texts[0], "Kathmandu will be removed,\r\nAre you sure ?");
                  EXPECT_EQ(rig.answers.types[0], TMsgDlgType::mtConfirmation);
                  EXPECT_EQ(S()->ListBoxCity->Items(), V({"Local Time", "Paris", "Lima"}));
                  EXPECT_EQ(S()->ListBoxCity->ItemIndex(), 2);
                  // Lima's daylight flag moved up with it; the clock shows Lima with it.
                  EXPECT_TRUE(S()->Daylight->Checked());
                  EXPECT_EQ(IniSection(rig.files.ReadSet(), "ZoneMenuTempDaylight"), "0=0\n1=0\n2=1\n3=1\n");
                  EXPECT_EQ(S()->TimeZoneEdit->Text(), "GMT -04:00");
                  EXPECT_EQ(ClockLocation, "Lima");
                  EXPECT_EQ(ClockOffset, -240);
                  EXPECT_EQ(ClockItemIndex, 3);
                  rig.ExpectMenu(V({"Local Time", "-", "Paris", "Lima", "-", "Setting...", "Alarm... "}), 3);
                  rig.answers.answers = {mrNo};
                  ClickButton(S()->MoveButton);
              })
        .When("No keeps the entry", rig.Answered(2),
              [&] {
                  EXPECT_EQ(S()->ListBoxCity->Count(), 3);
                  EXPECT_EQ(ClockLocation, "Lima");
                  ClickButton(S()->MoveButton);
              })
        .When("the last entry is gone", [] { return S()->ListBoxCity->Count() == 2; },
              [&] {
                  EXPECT_EQ(S()->ListBoxCity->ItemIndex(), 1);
                  EXPECT_EQ(ClockLocation, "Paris");
                  EXPECT_EQ(ClockItemIndex, 2);
                  EXPECT_EQ(ClockOffset, 60);
                  EXPECT_FALSE(S()->Daylight->Checked());
                  ClickButton(S()->AddButton);
              })
        .When("the location dialog is up", [] { return Up(A()); },
              NameLocation("Quito"))
        .When("the new entry stands where the removed one stood",
              [] { return !Up(A()) && S()->ListBoxCity->Count() == 3; },
              [&] {
                  EXPECT_FALSE(S()->Daylight->Checked()) << "a new entry starts without the daylight hour";
                  EXPECT_EQ(IniSection(rig.files.ReadSet(), "ZoneMenuTempDaylight"), "0=0\n1=0\n2=0\n3=1\n");
                  EXPECT_EQ(S()->TimeZoneEdit->Text(), "GMT -05:00");
                  ClickButton(S()->Button1);
              });
    EXPECT_EQ(rig.Show(script), mrOk);
    // Byte for byte: the flag of the old last position stays, and no one reads it.
    EXPECT_EQ(rig.files.ReadSet(),
              "[ZoneMenuDaylight]\r\n0=0\r\n1=0\r\n2=0\r\n3=1\r\n"
              "[ZoneMenuNU]\r\nnu=2\r\n"
              "[SelItem]\r\nsel=3\r\n"
              "[ZoneMenuTemp]\r\nParis=60\r\nKathmandu=345\r\nLima=-300\r\nQuito=-300\r\n"
              "[ZoneMenuTempDaylight]\r\n0=0\r\n1=0\r\n2=0\r\n3=1\r\n"
              "[ZoneMenu]\r\nParis=60\r\nQuito=-300\r\n");
    EXPECT_EQ(rig.files.ReadZone(), "[Zone]\r\nParis=60\r\nKathmandu=345\r\nLima=-300\r\nQuito=-300\r\n");
    rig.ExpectCommitted("Paris=60\nQuito=-300\n", "0=0\n1=0\n2=0\n3=1\n", "nu=2\n");
    rig.ExpectMenu(V({"Local Time", "-", "Paris", "Quito", "-", "Setting...", "Alarm... "}), 2);
    EXPECT_EQ(ClockLocation, "Paris");
    EXPECT_EQ(ClockOffset, 60);
}

// Closing by the title bar commits nothing, puts the clock and its menu back
// as they were, and leaves nothing behind that a later Close would commit.
TEST(ClockSettingDialog, TitleBarCloseIsARealCancel) {
    const std::string committed =
        "[ZoneMenu]\r\nParis=60\r\nKathmandu=345\r\nLima=-300\r\n"
        "[ZoneMenuDaylight]\r\n0=0\r\n1=1\r\n2=0\r\n3=0\r\n"
        "[ZoneMenuNU]\r\nnu=3\r\n"
        "[SelItem]\r\nsel=4\r\n"
        // Left by an earlier visit closed by its title bar.
        "[ZoneMenuTemp]\r\nParis=-600\r\n"
        "[ZoneMenuTempDaylight]\r\n0=1\r\n1=0\r\n2=1\r\n";
    DialogRig rig(committed, kThreeZones);
    const std::vector<std::string> menu = rig.bar->MenuCaptions();
    ASSERT_EQ(ClockLocation, "Lima");
    UiScript script;
    script
        .When("the dialog is up", [] { return Up(S()); },
              [] {
                  EXPECT_FALSE(S()->Daylight->Checked()) << "Local Time's committed flag";
                  ClickListEntry(S()->ListBoxCity, 1);
              })
        .When("Paris is current", [] { return S()->ListBoxCity->ItemIndex() == 1; },
              [] {
                  EXPECT_EQ(S()->TimeZoneEdit->Text(), "GMT +02:00") << "the committed offset and flag";
                  EXPECT_TRUE(S()->Daylight->Checked());
                  ClickButton(S()->MoveButton);
              })
        .When("Paris is gone", [] { return S()->ListBoxCity->Count() == 3; },
              [&] {
                  EXPECT_EQ(ClockItemIndex, 3);
                  EXPECT_EQ(ClockLocation, "Lima");
                  ClickListEntry(S()->ListBoxCity, 2, true);
              })
        .When("the location dialog is up", [] { return Up(A()); },
              NameLocation("Cusco"))
        .When("Lima is renamed", [] { return !Up(A()) && S()->ListBoxCity->Strings(2) == "Cusco"; },
              [&] {
                  EXPECT_EQ(ClockLocation, "Cusco");
                  EXPECT_EQ(ClockOffset, -300);
                  CloseByTitleBar(S());
              });
    EXPECT_EQ(rig.Show(script), mrCancel);
    rig.ExpectCommitted("Paris=60\nKathmandu=345\nLima=-300\n", "0=0\n1=1\n2=0\n3=0\n", "nu=3\n");
    EXPECT_EQ(rig.bar->MenuCaptions(), menu);
    EXPECT_EQ(rig.bar->CheckedIndex(), 4);
    EXPECT_EQ(ClockItemIndex, 4);
    EXPECT_EQ(ClockLocation, "Lima");
    EXPECT_EQ(ClockOffset, -300);
    SaveZoneSelection();
    EXPECT_EQ(IniSection(rig.files.ReadSet(), "SelItem"), "sel=4\n");

    // Opened again and closed at once: the committed list stays as it is.
    UiScript again;
    again.When("the dialog is up again", [] { return Up(S()); }, [] { ClickButton(S()->Button1); });
    EXPECT_EQ(rig.Show(again), mrOk);
    const std::string after = rig.files.ReadSet();
    EXPECT_EQ(IniSection(after, "ZoneMenu"), "Paris=60\nKathmandu=345\nLima=-300\n");
    EXPECT_EQ(IniSection(after, "ZoneMenuDaylight"), "0=0\n1=1\n2=0\n3=0\n");
    EXPECT_EQ(rig.bar->MenuCaptions(), menu);
}

// A "Zonefset.ini" that can't be written is reported once as the dialog
// opens (not once a key), the dialog still lists the committed places, and
// Close reports again instead of pretending to commit.
TEST(ClockSettingDialog, ASettingsFileThatCantBeWrittenIsReportedOnceAnOperation) {
    DialogRig rig(kThree, kThreeZones);
    ErrorReports reports;
    HANDLE held =
        CreateFileA(rig.files.SetPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::vector<std::string> report{"Unable to write to " + rig.files.SetPath()};
    UiScript script;
    script
        .When("the dialog is up", [] { return Up(S()); },
              [&] {
                  EXPECT_EQ(S()->ListBoxCity->Items(), V({"Local Time", "Paris", "Kathmandu", "Lima"}));
                  EXPECT_EQ(reports.messages, report);
                  ClickButton(S()->Button1);
              })
        .When("Close is reported", [&] { return reports.messages.size() == 2; },
              [&] {
                  EXPECT_EQ(reports.messages[1], report[0]);
                  EXPECT_TRUE(Up(S()));
                  CloseByTitleBar(S());
              });
    EXPECT_EQ(rig.Show(script), mrCancel);
    CloseHandle(held);
    EXPECT_EQ(rig.files.ReadSet(), kThree);
}

// Removing an entry above the shown one leaves the menu as it is until Close
// while the clock's index already counts without it: renaming the shown entry
// then must rename its own item, not the one the index now points at.
TEST(ClockSettingDialog, RenameAfterRemovingAnEntryAboveItRenamesItsOwnItem) {
    const std::string withLimaShown =
        "[ZoneMenu]\r\nParis=60\r\nKathmandu=345\r\nLima=-300\r\n"
        "[ZoneMenuDaylight]\r\n0=0\r\n1=0\r\n2=0\r\n3=0\r\n"
        "[ZoneMenuNU]\r\nnu=3\r\n"
        "[SelItem]\r\nsel=4\r\n";
    DialogRig rig(withLimaShown, kThreeZones);
    ASSERT_EQ(ClockLocation, "Lima");
    UiScript script;
    RemoveAtOpening(script, 1)
        .When("Paris is gone", [] { return S()->ListBoxCity->Count() == 3; },
              [&] {
                  EXPECT_EQ(ClockItemIndex, 3);
                  EXPECT_EQ(rig.bar->CheckedIndex(), 4) << "the menu keeps Paris until Close";
                  ClickListEntry(S()->ListBoxCity, 2, true);
              })
        .When("the location dialog is up", [] { return Up(A()); },
              NameLocation("Cusco"))
        .When("Lima is renamed", [] { return !Up(A()) && S()->ListBoxCity->Strings(2) == "Cusco"; },
              [&] {
                  EXPECT_EQ(rig.bar->MenuCaptions(),
                            V({"Local Time", "-", "Paris", "Kathmandu", "Cusco", "-", "Setting...", "Alarm... "}));
                  ClockTick();
                  EXPECT_EQ(rig.bar->Qtime->Hint().substr(0, 7), "Cusco, ");
                  ClickButton(S()->Button1);
              });
    EXPECT_EQ(rig.Show(script), mrOk);
    rig.ExpectMenu(V({"Local Time", "-", "Kathmandu", "Cusco", "-", "Setting...", "Alarm... "}), 3);
    EXPECT_EQ(ClockItemIndex, 3);
    EXPECT_EQ(ClockLocation, "Cusco");
    EXPECT_EQ(ClockOffset, -300);
    EXPECT_EQ(IniSection(rig.files.ReadSet(), "ZoneMenu"), "Kathmandu=345\nCusco=-300\n");
}

TEST(ClockSettingDialog, CancelBringsBackARemovedShownLocation) {
    DialogRig rig("[ZoneMenu]\r\nParis=60\r\nKathmandu=345\r\n[ZoneMenuDaylight]\r\n1=1\r\n[ZoneMenuNU]\r\nnu=2\r\n"
                  "[SelItem]\r\nsel=2\r\n",
                  "");
    ASSERT_EQ(ClockOffset, 120);
    UiScript script;
    RemoveAtOpening(script, 1)
        .When("Paris is gone", [] { return S()->ListBoxCity->Count() == 2; },
              [&] {
                  EXPECT_EQ(ClockLocation, "Kathmandu");
                  EXPECT_EQ(ClockOffset, 345);
                  EXPECT_EQ(rig.bar->MenuCaptions(), V({"Local Time", "-", "Kathmandu", "-", "Setting...", "Alarm... "}));
                  CloseByTitleBar(S());
              });
    EXPECT_EQ(rig.Show(script), mrCancel);
    EXPECT_EQ(rig.bar->MenuCaptions(), V({"Local Time", "-", "Paris", "Kathmandu", "-", "Setting...", "Alarm... "}));
    EXPECT_EQ(ClockLocation, "Paris");
    EXPECT_EQ(ClockItemIndex, 2);
    EXPECT_EQ(rig.bar->CheckedIndex(), 2);
    EXPECT_EQ(ClockOffset, 120);
}

TEST(ClockSettingDialog, TwentyThreeLocationsAtMost) {
    std::string set = "[ZoneMenu]\r\n";
    for (int i = 1; i <= 22; ++i) set += "L" + std::to_string(i) + "=0\r\n";
    set += "[ZoneMenuNU]\r\nnu=22\r\n";
    DialogRig rig(set, "");
    UiScript script;
    script
        .When("the dialog is up", [] { return Up(S()); },
              [] {
                  EXPECT_EQ(S()->ListBoxCity->Count(), 23);
                  EXPECT_TRUE(EnabledNow(S()->AddButton));
                  ClickButton(S()->AddButton);
              })
        .When("the location dialog is up", [] { return Up(A()); },
              NameLocation("L23", 24))
        .When("the list is full", [] { return !Up(A()) && S()->ListBoxCity->Count() == 24; },
              [] {
                  EXPECT_FALSE(EnabledNow(S()->AddButton));
                  ClickListEntry(S()->ListBoxCity, 0);
              })
        .When("Local Time is current", [] { return S()->ListBoxCity->ItemIndex() == 0; },
              [] {
                  EXPECT_FALSE(EnabledNow(S()->EditButton));
                  EXPECT_FALSE(EnabledNow(S()->MoveButton));
                  ClickListEntry(S()->ListBoxCity, 5);
              })
        .When("an entry is current", [] { return S()->ListBoxCity->ItemIndex() == 5; },
              [] {
                  EXPECT_TRUE(EnabledNow(S()->EditButton));
                  ClickButton(S()->MoveButton);
              })
        .When("one entry less", [] { return S()->ListBoxCity->Count() == 23; },
              [] {
                  EXPECT_TRUE(EnabledNow(S()->AddButton));
                  ClickButton(S()->adjust);
                  ClickButton(S()->Button1);
              });
    EXPECT_EQ(rig.Show(script), mrOk);
    EXPECT_EQ(IniSection(rig.files.ReadSet(), "ZoneMenuNU"), "nu=22\n");
    EXPECT_EQ(rig.bar->Clock->LocationItemCount(), 22);
    EXPECT_EQ(rig.commands.lines, std::vector<std::string>{"rundll32.exe shell32.dll,Control_RunDLL timedate.cpl,,1"});
}

TEST(ClockSettingDialog, DaylightOnLocalTimeMovesTheClockByOneHour) {
    DialogRig rig("", "");
    ASSERT_EQ(ClockOffset, 345);
    UiScript script;
    script.When("the dialog is up", [] { return Up(S()); }, [] { ClickButton(S()->Daylight); })
        .When("Local Time has its daylight hour", [] { return S()->TimeZoneEdit->Text() == "GMT +06:45"; },
              [&] {
                  EXPECT_EQ(ClockOffset, 405);
                  ClockTick();  // the tick reads the machine's offset again and keeps the hour
                  EXPECT_EQ(ClockOffset, 405);
                  EXPECT_EQ(rig.bar->Qtime->Caption(), "12:27:07");
                  CloseByTitleBar(S());
              });
    EXPECT_EQ(rig.Show(script), mrCancel);
    EXPECT_EQ(ClockOffset, 345);
    ClockTick();
    EXPECT_EQ(rig.bar->Qtime->Caption(), "11:27:07");
    EXPECT_EQ(IniSection(rig.files.ReadSet(), "ZoneMenuDaylight"), "");
}

// The location dialog on its own: the zone each name selects, the checks of
// OK in their order, and the keys and the title bar.
TEST(LocationDialog, ZoneLookUpChecksAndCancel) {
    DialogRig rig("", "[Zone]\r\nParis=60\r\nBad=abc\r\nOdd=605\r\nFar=5000\r\nPlease select a location.=120\r\n");
    A()->SetCaption("New Clock");
    A()->CityName->SetText(LocationPlaceholder);
    A()->ComboBoxZone->SetItemIndex(-1);
    A()->ListedNames = {"Local Time", "Lima"};
    A()->EditedPosition = -1;
    struct Refused {
        const char* name;
        LocationNameFault fault;
    };
    const Refused refused[] = {
        {"x]", LocationNameFault::ReservedCharacter}, {";x", LocationNameFault::LeadingSemicolon},
        {"-", LocationNameFault::Separator},          {" x", LocationNameFault::EdgeBlank},
        {"lima", LocationNameFault::Taken},           {"LIMA", LocationNameFault::Taken},
    };
    size_t next = 0;
    UiScript script;
    script
        .When("the dialog is up", [] { return Up(A()); },
              [] {
                  EXPECT_EQ(A()->ComboBoxZone->ItemIndex(), -1) << "a new location starts without a zone";
                  struct Typed {
                      const char* name;
                      int zone;
                  } typed[] = {{"Paris", 25}, {"Bad", -1}, {"Paris", 25}, {"Odd", -1}, {"Far", -1}, {"Nowhere", 14}};
                  for (const Typed& t : typed) {
                      TypeInto(A()->CityName, t.name);
                      EXPECT_EQ(A()->ComboBoxZone->ItemIndex(), t.zone) << t.name;
                  }
                  TypeInto(A()->CityName, LocationPlaceholder);
                  EXPECT_EQ(A()->ComboBoxZone->ItemIndex(), 27);
                  ClickButton(A()->AddCityOk);
              })
        .When("the placeholder is refused with a zone selected", rig.Answered(1),
              [&] {
                  EXPECT_EQ(rig.answers.texts[0], "Please select a location!");
                  NameLocation("Bad")();
              })
        .When("no zone is refused", rig.Answered(2),
              [&] {
                  EXPECT_EQ(rig.answers.texts[1], "The Time Zone box can not be blank ");
                  EXPECT_EQ(rig.answers.types[1], TMsgDlgType::mtConfirmation);
                  PickFrom(A()->ComboBoxZone, 24);
              });
    for (const Refused& r : refused) {
        script.Then(std::string("type ") + r.name, NameLocation(r.name));
        script.When(
            std::string("refused: ") + r.name, [&rig, &next] { return rig.answers.texts.size() == 3 + next; },
            [&rig, &next, r] {
                EXPECT_EQ(rig.answers.texts.back(), LocationNameFaultText(r.fault)) << r.name;
                ++next;
            });
    }
    script.Then("Esc", [] {
        EXPECT_TRUE(Up(A()));
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    TModalResult result = mrNone;
    script.Run([&] { result = A()->ShowModal(); });
    EXPECT_EQ(result, mrCancel);

    // Edit mode looks the name up when it opens; a name [Zone] lacks is eight hours east.
    A()->SetCaption("Edit Clock");
    A()->CityName->SetText("Unknown");
    UiScript edit;
    edit.When("the dialog is up in edit mode", [] { return Up(A()); },
              [] {
                  EXPECT_EQ(A()->ComboBoxZone->ItemIndex(), 40);
                  CloseByTitleBar(A());
              });
    edit.Run([&] { result = A()->ShowModal(); });
    EXPECT_EQ(result, mrCancel);

    UiScript enter;
    enter.When("the dialog is up once more", [] { return Up(A()); },
               [] {
                   TypeInto(A()->CityName, "Cuzco");
                   PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
               });
    enter.Run([&] { result = A()->ShowModal(); });
    EXPECT_EQ(result, mrOk) << "Enter confirms";
    EXPECT_EQ(A()->CityName->Text(), "Cuzco");
    EXPECT_EQ(A()->ZoneOffsetToText(-225), "(GMT-03:45)");
}

}  // namespace
