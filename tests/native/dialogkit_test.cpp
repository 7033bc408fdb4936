// Platform-free routines shared by the tool libraries: multi-byte path
// scanning, the parent rule of CreateDirectoryTree, the voice-event plan and
// the icon button's geometry.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "dialogkit/core/DirTree.h"
#include "dialogkit/core/IconButtonLayout.h"
#include "framework/core/MbcsPath.h"
#include "dialogkit/core/VoicePlan.h"

using namespace dialogkit;

namespace {

// "ソ" is 0x83 0x5C in code page 932: its trail byte is a backslash.
const std::string kSo = "\x83\x5C";
// "表" is 0x95 0x5C.
const std::string kHyo = "\x95\x5C";

TEST(MbcsPath, TrailBytesThatLookLikeBackslashesAreNotSeparators) {
    struct Case {
        std::string path;
        std::string name;
        std::string folder;
        std::string lessExtension;
        std::string base;
    };
    const std::vector<Case> cases = {
        {"C:\\Data\\movie.avi", "movie.avi", "C:\\Data\\", "C:\\Data\\movie", "movie"},
        {"C:\\" + kSo + "\\a.txt", "a.txt", "C:\\" + kSo + "\\", "C:\\" + kSo + "\\a", "a"},
        {"C:\\d\\" + kHyo + ".doc", kHyo + ".doc", "C:\\d\\", "C:\\d\\" + kHyo, kHyo},
        {"C:\\d\\" + kSo, kSo, "C:\\d\\", "C:\\d\\" + kSo, kSo},
        {"C:\\a.b\\file", "file", "C:\\a.b\\", "C:\\a.b\\file", "file"},
        {"noslash.txt", "noslash.txt", "", "noslash", "noslash"},
        {"C:file.ext", "C:file.ext", "", "C:file", "file"},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NameAfterLastBackslash(c.path, Cp932LeadByte), c.name) << c.path;
        EXPECT_EQ(FolderWithBackslash(c.path, Cp932LeadByte), c.folder) << c.path;
        EXPECT_EQ(CutExtension(c.path, Cp932LeadByte), c.lessExtension) << c.path;
        EXPECT_EQ(SplitPathBaseName(c.path, Cp932LeadByte), c.base) << c.path;
    }
    // A single-byte code page sees the same bytes as two characters.
    EXPECT_EQ(NameAfterLastBackslash("C:\\" + kSo + "\\a.txt", SingleByteCodePage), "a.txt");
    EXPECT_EQ(NameAfterLastBackslash("C:\\d\\" + kSo, SingleByteCodePage), "");
}

TEST(MbcsPath, LongPathsWrapAfterBackslashesAndWholeCharacters) {
    EXPECT_EQ(WrapPathLines("C:\\ab\\cd\\ef", 6, Cp932LeadByte), "C:\\ab\\\ncd\\ef");
    EXPECT_EQ(WrapPathLines("abcdefg", 3, Cp932LeadByte), "abc\ndef\ng");
    EXPECT_EQ(WrapPathLines("ab" + kSo + "c", 3, Cp932LeadByte), "ab\n" + kSo + "c");
    EXPECT_EQ(WrapPathLines("ab" + kSo + "c", 3, SingleByteCodePage), "ab\x83\n\x5C" "c");
}

TEST(MbcsPath, LowerCasingLeavesTrailBytesAlone) {
    // 0x83 0x41 is "ア"; its trail byte is an ASCII "A".
    EXPECT_EQ(LowerAsciiMbcs("X.CAB\x83\x41", Cp932LeadByte), "x.cab\x83\x41");
    EXPECT_EQ(LowerAsciiMbcs("X.CAB\x83\x41", SingleByteCodePage), "x.cab\x83\x61");
    EXPECT_EQ(TrimBlanks("  a b \t"), "a b");
    EXPECT_EQ(TrimBlanks(" \t "), "");
}

TEST(DirTreeParent, CutsTheLastLevel) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"C:\\a\\b\\", "C:\\a"}, {"C:\\a\\b", "C:\\a"}, {"C:\\", ""},   {"C:", ""},
        {"", ""},                {"\\", ""},          {"a", ""},     {"C:\\" + kSo + "\\x", "C:\\" + kSo},
        // The last character is a double-byte one: it goes whole.
        {"C:\\d\\" + kSo, "C:\\d"},
    };
    for (const auto& [path, parent] : cases) EXPECT_EQ(DirTreeParent(path, Cp932LeadByte), parent) << path;
}

class FakeVoiceIni : public VoiceSettings {
public:
    std::map<std::string, std::string> values;  // "section/key" -> text
    int GetInt(const std::string& section, const std::string& key, int fallback) override {
        const auto it = values.find(section + "/" + key);
        return it == values.end() ? fallback : std::stoi(it->second);
    }
    std::string GetString(const std::string& section, const std::string& key, std::size_t bufferSize) override {
        const auto it = values.find(section + "/" + key);
        if (it == values.end()) return "";
        return it->second.substr(0, bufferSize - 1);
    }
};

struct Random {
    std::vector<int> values;
    std::size_t calls = 0;
    std::function<int()> Fn() {
        return [this] { return values[calls++ % values.size()]; };
    }
};

TEST(PlanVoiceEvent, ChoosesArtistVariantAndFlags) {
    struct Case {
        const char* userSelect;  // nullptr: absent
        const char* artists;
        int event;
        const char* eventCount;  // nullptr: absent
        std::vector<int> random;
        std::string path;  // "" : nothing is played
        unsigned flags;
    };
    const std::vector<Case> cases = {
        {"0", "2", 3, "3", {0}, "", 0},                                        // voice off
        {"2", "5", 16, "3", {4}, "C:\\Voice\\BenHV0162.wav", 3},               // artist 2, variant 4%3+1
        {"3", "2", 16, "2", {1, 0}, "C:\\Voice\\BenHV0161.wav", 3},            // random artist 1%2+1 = 2
        {"3", "2", 16, "2", {0, 1}, "C:\\Voice\\MikaHV0162.wav", 3},           // random artist 1
        {nullptr, nullptr, 4, nullptr, {7}, "C:\\Voice\\MikaHV0041.wav", 3},   // defaults: artist 1, one variant
        {"1", "1", 2, "1", {0}, "C:\\Voice\\MikaHV0021.wav", 2},               // event 2 waits for its end
        {"1", "1", 17, "0", {0}, "", 0},                                       // a count of 0 is silent
        {"1", "1", 17, "-4", {0}, "", 0},                                      // a negative count too
        {"3", "0", 17, "1", {5}, "", 0},                                       // no artists: nothing, no crash
        {"4", "-2", 17, "1", {5}, "", 0},
        {"9", "9", 11, "1", {0}, "", 0},                                       // artist 9 has no name key
    };
    for (const Case& c : cases) {
        FakeVoiceIni ini;
        if (c.userSelect) ini.values["VoiceSet/UserSelect"] = c.userSelect;
        if (c.artists) ini.values["VoiceSet/ARTIST"] = c.artists;
        ini.values["VoiceSet/1Name"] = "Mika";
        ini.values["VoiceSet/2Name"] = "Ben";
        ini.values["VoiceSet/PATH"] = "C:\\Voice";
        char key[8];
        std::snprintf(key, sizeof key, "%.3d", c.event);
        if (c.eventCount) {
            ini.values[std::string("Mika/") + key] = c.eventCount;
            ini.values[std::string("Ben/") + key] = c.eventCount;
        }
        Random random{c.random};
        const auto plan = PlanVoiceEvent(ini, c.event, random.Fn());
        if (c.path.empty()) {
            EXPECT_FALSE(plan.has_value()) << c.event << " " << (c.userSelect ? c.userSelect : "-");
            continue;
        }
        ASSERT_TRUE(plan.has_value()) << c.path;
        EXPECT_EQ(plan->path, c.path);
        EXPECT_EQ(plan->flags, c.flags) << c.path;
    }
}

TEST(PlanVoiceEvent, BoundsNamesAndPaths) {
    FakeVoiceIni ini;
    // Only nine characters of the artist's name are read.
    ini.values["VoiceSet/1Name"] = "ABCDEFGHIJKLMNOP";
    ini.values["VoiceSet/PATH"] = "D:\\W\\";
    Random random{{0}};
    auto plan = PlanVoiceEvent(ini, 3, random.Fn());
    ASSERT_TRUE(plan.has_value());
    EXPECT_EQ(plan->path, "D:\\W\\ABCDEFGHIHV0031.wav");
    // An empty PATH gives a lone backslash.
    ini.values["VoiceSet/PATH"] = "";
    plan = PlanVoiceEvent(ini, 3, random.Fn());
    ASSERT_TRUE(plan.has_value());
    EXPECT_EQ(plan->path, "\\ABCDEFGHIHV0031.wav");
    // 254 characters of PATH plus the wave name pass MAX_PATH: not played.
    ini.values["VoiceSet/PATH"] = "C:\\" + std::string(260, 'p');
    EXPECT_FALSE(PlanVoiceEvent(ini, 3, random.Fn()).has_value());
}

TEST(VoiceHelpFile, TakesTheFolderOfPath) {
    EXPECT_EQ(VoiceHelpFile("C:\\Voice\\Wave", Cp932LeadByte), "C:\\Voice\\Halvet.hlp");
    EXPECT_EQ(VoiceHelpFile("C:\\Voice\\Wave\\", Cp932LeadByte), "C:\\Voice\\Wave\\Halvet.hlp");
    EXPECT_EQ(VoiceHelpFile("", Cp932LeadByte), "");
    EXPECT_EQ(VoiceHelpFile("C:\\" + kSo, Cp932LeadByte), "C:\\Halvet.hlp");
}

TEST(IconButtonLayout, PlacesIconCaptionAndFocus) {
    // Caption-less 20 x 20 button with a 16 x 16 icon.
    Point p = IconOrigin(0, 20, 20, 16, 16, false, false);
    EXPECT_EQ(p.x, 2);
    EXPECT_EQ(p.y, 2);
    p = IconOrigin(0, 20, 20, 16, 16, false, true);
    EXPECT_EQ(p.x, 3);
    EXPECT_EQ(p.y, 3);
    // An icon larger than the button starts left of and above it.
    p = IconOrigin(0, 10, 10, 16, 16, false, false);
    EXPECT_EQ(p.x, -3);
    EXPECT_EQ(p.y, -3);
    // With a caption the icon sits at the margin.
    p = IconOrigin(0, 100, 24, 16, 16, true, false);
    EXPECT_EQ(p.x, 4);
    // Caption centred in the room right of the icon, one pixel higher.
    p = CaptionOrigin(0, 100, 24, 40, 14, true, 16, false);
    EXPECT_EQ(p.x, 8 + (100 - 8 - 16 - 4 - 40) / 2 + 16 + 4);
    EXPECT_EQ(p.y, 4);
    // A caption wider than the room starts right after margin + icon + gap.
    p = CaptionOrigin(0, 60, 24, 200, 14, true, 16, false);
    EXPECT_EQ(p.x, 4 + 16 + 8);
    p = CaptionOrigin(0, 60, 24, 20, 14, false, 0, true);
    EXPECT_EQ(p.x, 21);
    EXPECT_EQ(p.y, 5);

    EXPECT_EQ(FocusInset(24, 24), 3);
    EXPECT_EQ(FocusInset(12, 15), 3);
    EXPECT_EQ(FocusInset(10, 40), 2);
    EXPECT_EQ(FocusInset(16, 16), 3);
    EXPECT_EQ(FocusInset(3, 3), 0);
}

TEST(IconButtonLayout, FocusRectangleToggles) {
    struct Case {
        unsigned state, last, action;
        bool draw;
    };
    const unsigned drawEntire = 1;
    const std::vector<Case> cases = {
        {kStateFocus, 0, kActionFocus, true},                      // tabbing onto it
        {0, kStateFocus, kActionFocus, true},                      // tabbing away erases it
        {kStateFocus, kStateFocus, drawEntire, true},              // a full repaint redraws it
        {kStateFocus, kStateFocus, kActionFocus, false},           // no change
        {0, 0, drawEntire, false},
        {kStateFocus | kStateDisabled, 0, kActionFocus, false},    // never on a disabled button
        {kStateFocus | kStateDisabled, 0, drawEntire, false},
    };
    for (const Case& c : cases) EXPECT_EQ(ShouldDrawFocus(c.state, c.last, c.action), c.draw) << c.state << c.last;
}

}  // namespace
