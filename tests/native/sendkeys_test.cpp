#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "tests/native/RecordingKeySink.h"
#include "main/components/core/SendKeysScript.h"

using namespace components;

namespace {

std::string Repeat(const std::string& tokens, int times) {
    std::string out;
    for (int n = 0; n < times; ++n) out += (out.empty() ? "" : " ") + tokens;
    return out;
}

struct ScriptCase {
    std::string script;
    bool result;
    std::string trace;
};

void ExpectScript(const ScriptCase& c, bool wait = false) {
    RecordingKeySink sink;
    EXPECT_EQ(RunKeyScript(c.script, wait, sink), c.result);
    EXPECT_EQ(sink.trace, c.trace);
    // A key left down here would stay down for the whole desktop.
    EXPECT_TRUE(sink.KeysLeftDown().empty());
}

TEST(SendKeysScript, TypesKeysModifiersAndGroups) {
    const std::vector<ScriptCase> cases = {
        {"+{Left 24}", true, "10d " + Repeat("25xd 25xu", 24) + " 10u"},
        {"+ab", true, "10d 41d 41u 10u 42d 42u"},
        {"+(ab)", true, "10d 41d 41u 42d 42u 10u"},
        {"%^+a", true, "12d 11d 10d 41d 41u 10u 11u 12u"},
        {"^{DEL}", true, "11d 2Exd 2Exu 11u"},
        {"aB", true, "41d 41u 10d 42d 42u 10u"},
        {"~", true, "0Dd 0Du"},
        {"+~", true, "10d 0Dd 0Du 10u"},
        {")a", true, "41d 41u"},
        {"(a)", true, "41d 41u"},
        // An invalid key name releases nothing, so Shift still applies to 'a'.
        {"+{XYZ}a", true, "10d <Invalid Key Name> 41d 41u 10u"},
        {"{XYZ}a", true, "<Invalid Key Name> 41d 41u"},
        {"\x80" "b", true, "<Invalid KeyName> 42d 42u"},
        // A one-character name without a key is skipped silently.
        {"{\x80}b", true, "42d 42u"},
        {std::string("ab\0cd", 5), true, "41d 41u 42d 42u"},
    };
    for (const ScriptCase& c : cases) {
        SCOPED_TRACE(c.script);
        ExpectScript(c);
    }
}

TEST(SendKeysScript, BracedNamesCountsAndBraces) {
    const std::vector<ScriptCase> cases = {
        {"{Tab 5}", true, Repeat("09d 09u", 5)},
        {"{TAB  2}", true, Repeat("09d 09u", 2)},
        {"{LEFT 0}", true, ""},
        {"{a}", true, "10d 41d 41u 10u"},
        {"{7 3}", true, Repeat("37d 37u", 3)},
        {"{BS}", true, "08d 08u"},
        {"{BKSP}", true, "08d 08u"},
        {"{BACKSPACE}", true, "08d 08u"},
        {"{bs}", true, "08d 08u"},
        {"{{}", true, "10d DBd DBu 10u"},
        {"{}}", true, "10d DDd DDu 10u"},
        {"{ENTER}}", true, "10d DDd DDu 10u"},
        {"{NUMLOCK}", true, "[numlock]"},
        {"{NUMLOCK 3}", true, "[numlock]"},
        // Counts keep their low 16 bits.
        {"{TAB 65537}", true, "09d 09u"},
        {"{TAB 65536}", true, ""},
        {"{TAB -65535}", true, "09d 09u"},
        // "{{" always moves three on: the character after it is swallowed, and
        // at the end of the script nothing is read beyond it.
        {"{{x}", true, "10d DBd DBu 10u 10d DDd DDu 10u"},
        {"{{", true, "10d DBd DBu 10u"},
        {"a{{", true, "41d 41u 10d DBd DBu 10u"},
        // Only the first 20 characters of a name count.
        {"{LEFT " + std::string(19, '0') + "2}", true, ""},
        {"{TAB 3" + std::string(15, ' ') + "junk}", true, Repeat("09d 09u", 3)},
    };
    for (const ScriptCase& c : cases) {
        SCOPED_TRACE(c.script);
        ExpectScript(c);
    }
}

TEST(SendKeysScript, FailedScriptsReleaseTheirModifiersFirst) {
    const std::vector<ScriptCase> cases = {
        {"", false, ""},
        {std::string("\0ab", 3), false, ""},
        {"{LEFT", false, "<No Close>"},
        {"a{", false, "41d 41u <No Close>"},
        {"+{LEFT", false, "10d 10u <No Close>"},
        {"+^%{LEFT", false, "10d 11d 12d 10u 11u 12u <No Close>"},
        {"+(a{TAB", false, "10d 41d 41u 10u <No Close>"},
        // A group left open at the end would keep Shift down without the release.
        {"+(a", true, "10d 41d 41u 10u"},
        {"^(ab", true, "11d 41d 41u 42d 42u 11u"},
    };
    for (const ScriptCase& c : cases) {
        SCOPED_TRACE(c.script);
        ExpectScript(c);
    }
}

TEST(SendKeysScript, BadCountRaisesConvertErrorWithModifiersReleased) {
    const std::vector<ScriptCase> cases = {
        {"{LEFT x}", false, ""},
        {"+^{LEFT x}", false, "10d 11d 10u 11u"},
        {"+({TAB}{LEFT 1.5}", false, "10d 09d 09u 10u"},
        {"{TAB }", false, ""},
        {"{TAB 99999999999}", false, ""},
    };
    for (const ScriptCase& c : cases) {
        SCOPED_TRACE(c.script);
        RecordingKeySink sink;
        EXPECT_THROW(RunKeyScript(c.script, false, sink), EConvertError);
        EXPECT_EQ(sink.trace, c.trace);
        EXPECT_TRUE(sink.KeysLeftDown().empty());
    }
}

TEST(SendKeysScript, WaitPumpsAfterEveryKeystroke) {
    const std::vector<ScriptCase> cases = {
        {"a", true, "41d | 41u |"},
        {"+{LEFT", false, "10d | 10u | <No Close>"},
        {"{NUMLOCK}", true, "[numlock]"},
    };
    for (const ScriptCase& c : cases) {
        SCOPED_TRACE(c.script);
        ExpectScript(c, true);
    }
}

TEST(SendKeysScript, KeyNameTableAndExtendedKeys) {
    struct Name {
        const char* name;
        int vk;
    };
    const std::vector<Name> names = {
        {"BACKSPACE", 0x08}, {"BKSP", 0x08}, {"BS", 0x08},     {"BREAK", 0x03}, {"CAPSLOCK", 0x14},
        {"CLEAR", 0x0C},     {"DEL", 0x2E},  {"DELETE", 0x2E}, {"DOWN", 0x28},  {"END", 0x23},
        {"ENTER", 0x0D},     {"ESC", 0x1B},  {"ESCAPE", 0x1B}, {"HELP", 0x2F},  {"HOME", 0x24},
        {"INS", 0x2D},       {"LEFT", 0x25}, {"PGDN", 0x22},   {"PGUP", 0x21},  {"PRTSC", 0x2A},
        {"RIGHT", 0x27},     {"SCROLLLOCK", 0x91}, {"TAB", 0x09}, {"UP", 0x26},
    };
    std::vector<Name> all = names;
    std::vector<std::string> fkeys;
    for (int n = 1; n <= 16; ++n) fkeys.push_back("F" + std::to_string(n));
    for (int n = 0; n < 16; ++n) all.push_back({fkeys[n].c_str(), 0x70 + n});
    ASSERT_EQ(all.size() + 1, 41u);  // NUMLOCK sends no keystroke, checked elsewhere

    for (const Name& n : all) {
        SCOPED_TRACE(n.name);
        RecordingKeySink sink;
        EXPECT_EQ(LookUpKeyName(n.name, sink), n.vk);
        EXPECT_TRUE(sink.trace.empty());
        ASSERT_TRUE(RunKeyScript(std::string("{") + n.name + "}", false, sink));
        ASSERT_EQ(sink.keys.size(), 2u);
        const bool extended = (n.vk >= 0x21 && n.vk <= 0x28) || n.vk == 0x2D || n.vk == 0x2E;
        EXPECT_EQ(sink.keys[0].vk, n.vk);
        EXPECT_EQ(sink.keys[0].flags, extended ? 1u : 0u);
        EXPECT_EQ(sink.keys[1].vk, n.vk);
        EXPECT_EQ(sink.keys[1].flags, extended ? 3u : 2u);
    }
    for (const char* bad : {"SHIFT", "F0", "F17", "PRTSCN", "ENTE", "", "LEFT ", "left"}) {
        SCOPED_TRACE(bad);
        RecordingKeySink sink;
        EXPECT_EQ(LookUpKeyName(bad, sink), kNoKey);
        EXPECT_EQ(sink.trace, "<Invalid Key Name>");
    }
}

TEST(SendKeysScript, EventsCarryTheLowByteOfTheScanCode) {
    RecordingKeySink sink;
    ASSERT_TRUE(RunKeyScript("+{LEFT}", false, sink));
    ASSERT_EQ(sink.keys.size(), 4u);
    EXPECT_EQ(sink.keys[0].scan, 0x2A);  // Shift down
    EXPECT_EQ(sink.keys[1].scan, 0x4B);
    EXPECT_EQ(sink.keys[2].scan, 0x4B);
    EXPECT_EQ(sink.keys[3].scan, 0x2A);  // Shift up

    struct WideScanSink : RecordingKeySink {
        std::uint16_t VirtualKeyToScan(std::uint8_t) override { return 0xE04B; }
    } wide;
    ASSERT_TRUE(RunKeyScript("{LEFT}", false, wide));
    ASSERT_EQ(wide.keys.size(), 2u);
    EXPECT_EQ(wide.keys[0].scan, 0x4B);
}

}  // namespace
