#include "main/components/core/SendKeysScript.h"

#include <algorithm>
#include <array>

#include "framework/core/StrUtils.h"

namespace components {

namespace {

constexpr std::uint8_t kShift = 0x10;
constexpr std::uint8_t kCtrl = 0x11;
constexpr std::uint8_t kAlt = 0x12;
constexpr std::uint8_t kEnter = 0x0D;
constexpr std::uint8_t kNumLock = 0x90;
constexpr std::uint16_t kLeftBrace = 0x01DB;   // Shift + the '[' key, as on a US layout
constexpr std::uint16_t kRightBrace = 0x01DD;  // Shift + the ']' key
constexpr std::uint32_t kExtended = 0x1;
constexpr std::uint32_t kKeyUp = 0x2;
constexpr std::size_t kMaxKeyName = 20;

struct KeyName {
    const char* name;
    std::uint8_t vk;
};

constexpr std::array<KeyName, 41> kKeyNames{{
    {"BACKSPACE", 0x08}, {"BKSP", 0x08}, {"BS", 0x08},
    {"BREAK", 0x03},
    {"CAPSLOCK", 0x14},
    {"CLEAR", 0x0C},
    {"DEL", 0x2E}, {"DELETE", 0x2E},
    {"DOWN", 0x28},
    {"END", 0x23},
    {"ENTER", 0x0D},
    {"ESC", 0x1B}, {"ESCAPE", 0x1B},
    {"F1", 0x70}, {"F2", 0x71}, {"F3", 0x72}, {"F4", 0x73}, {"F5", 0x74}, {"F6", 0x75}, {"F7", 0x76}, {"F8", 0x77},
    {"F9", 0x78}, {"F10", 0x79}, {"F11", 0x7A}, {"F12", 0x7B}, {"F13", 0x7C}, {"F14", 0x7D}, {"F15", 0x7E},
    {"F16", 0x7F},
    {"HELP", 0x2F},
    {"HOME", 0x24},
    {"INS", 0x2D},
    {"LEFT", 0x25},
    {"NUMLOCK", 0x90},
    {"PGDN", 0x22},
    {"PGUP", 0x21},
    {"PRTSC", 0x2A},  // the print key, not VK_SNAPSHOT
    {"RIGHT", 0x27},
    {"SCROLLLOCK", 0x91},
    {"TAB", 0x09},
    {"UP", 0x26},
}};

// Navigation keys share scan codes with the numeric keypad; without the
// extended flag they would arrive as keypad keys (digits with NumLock on).
bool IsExtendedKey(std::uint8_t vk) { return (vk >= 0x21 && vk <= 0x28) || vk == 0x2D || vk == 0x2E; }

class KeyScript {
public:
    KeyScript(bool wait, KeySink& sink) : wait_(wait), sink_(sink) {}
    KeyScript(const KeyScript&) = delete;
    KeyScript& operator=(const KeyScript&) = delete;

    // A modifier left down by an aborted script stays down for every program
    // on the desktop, so whatever way the walk is left, the script's own
    // modifiers go up, a group left open included.
    ~KeyScript() {
        try {
            ReleaseAllModifiers();
        } catch (...) {
            // A sink that fails while an exception is already on its way out
            // must not end the program; there is nothing better to do here.
        }
    }

    bool Run(const std::string& keys);

private:
    void PostKeyEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) {
        sink_.KeyEvent(vk, scan, flags);
        if (wait_) sink_.PumpKeyboardMessages();
    }

    std::uint8_t ScanCode(std::uint8_t vk) { return static_cast<std::uint8_t>(sink_.VirtualKeyToScan(vk) & 0xFF); }

    void PressKey(std::uint8_t vk, unsigned count, bool withRelease) {
        if (vk == kNumLock) {
            sink_.ToggleNumLock();
            return;
        }
        const std::uint8_t scan = ScanCode(vk);
        const std::uint32_t extended = IsExtendedKey(vk) ? kExtended : 0;
        for (unsigned n = 0; n < count; ++n) {
            PostKeyEvent(vk, scan, extended);
            if (withRelease) PostKeyEvent(vk, scan, extended | kKeyUp);
        }
    }

    void ReleaseKey(std::uint8_t vk) { PostKeyEvent(vk, ScanCode(vk), kKeyUp); }

    void TypeKeyCode(std::uint16_t code, unsigned count) {
        const unsigned shifts = code >> 8;
        if (shifts & 0x1) PressKey(kShift, 1, false);
        if (shifts & 0x2) PressKey(kCtrl, 1, false);
        if (shifts & 0x4) PressKey(kAlt, 1, false);
        PressKey(static_cast<std::uint8_t>(code & 0xFF), count, true);
        if (shifts & 0x1) ReleaseKey(kShift);
        if (shifts & 0x2) ReleaseKey(kCtrl);
        if (shifts & 0x4) ReleaseKey(kAlt);
    }

    void HoldModifier(std::uint8_t vk, bool& held) {
        PressKey(vk, 1, false);
        held = true;
    }

    void ReleaseScriptModifiers() {
        if (!inGroup_) ReleaseAllModifiers();
    }

    void ReleaseAllModifiers() {
        // Each flag is cleared before its key-up so a failing sink cannot
        // make the destructor send the same release again.
        if (shift_) {
            shift_ = false;
            ReleaseKey(kShift);
        }
        if (ctrl_) {
            ctrl_ = false;
            ReleaseKey(kCtrl);
        }
        if (alt_) {
            alt_ = false;
            ReleaseKey(kAlt);
        }
    }

    void TypeAndRelease(std::uint16_t code, unsigned count) {
        TypeKeyCode(code, count);
        ReleaseScriptModifiers();
    }

    // The braced form starting at keys[pos] == '{'; gives the position after
    // it, or npos when the closing brace is missing.
    std::size_t RunBraced(const std::string& keys, std::size_t pos);

    const bool wait_;
    KeySink& sink_;
    bool shift_ = false;
    bool ctrl_ = false;
    bool alt_ = false;
    bool inGroup_ = false;
};

bool KeyScript::Run(const std::string& keys) {
    if (keys.empty()) return false;
    std::size_t pos = 0;
    while (pos < keys.size()) {
        const char c = keys[pos];
        switch (c) {
        case '+': HoldModifier(kShift, shift_); ++pos; break;
        case '^': HoldModifier(kCtrl, ctrl_); ++pos; break;
        case '%': HoldModifier(kAlt, alt_); ++pos; break;
        case '(': inGroup_ = true; ++pos; break;
        case ')':
            inGroup_ = false;
            ReleaseScriptModifiers();
            ++pos;
            break;
        case '~':
            PressKey(kEnter, 1, true);
            ReleaseScriptModifiers();
            ++pos;
            break;
        case '{':
            pos = RunBraced(keys, pos);
            if (pos == std::string::npos) {
                // Release first: the message box is modal and the user would
                // otherwise face it with Shift, Ctrl or Alt held down.
                ReleaseAllModifiers();
                sink_.Message("No Close");
                return false;
            }
            break;
        default: {
            const std::uint16_t code = sink_.CharToKeyCode(c);
            if (code == kNoKey)
                sink_.Message("Invalid KeyName");
            else
                TypeAndRelease(code, 1);
            ++pos;
            break;
        }
        }
    }
    ReleaseAllModifiers();
    return true;
}

std::size_t KeyScript::RunBraced(const std::string& keys, std::size_t pos) {
    if (pos + 1 < keys.size() && keys[pos + 1] == '{') {
        TypeAndRelease(kLeftBrace, 1);
        // The form is "{{}"; a script that ends early ends here too.
        return std::min(pos + 3, keys.size());
    }
    const std::size_t close = keys.find('}', pos + 1);
    if (close == std::string::npos) return std::string::npos;
    std::string name = UpperCaseAscii(keys.substr(pos + 1, std::min(close - pos - 1, kMaxKeyName)));

    const std::size_t after = close + 1;
    if (after < keys.size() && keys[after] == '}') {
        TypeAndRelease(kRightBrace, 1);
        return after + 1;
    }

    unsigned count = 1;
    const std::size_t blank = name.find(' ');
    if (blank != std::string::npos) {
        // Only the low 16 bits count: a negative number wraps to a large one.
        count = static_cast<std::uint16_t>(StrToInt(name.substr(blank + 1)));
        name.erase(blank);
    }
    const std::uint16_t code = name.size() == 1 ? sink_.CharToKeyCode(name[0]) : LookUpKeyName(name, sink_);
    if (code != kNoKey) TypeAndRelease(code, count);
    return after;
}

}  // namespace

std::uint16_t LookUpKeyName(const std::string& Name, KeySink& Sink) {
    for (const KeyName& entry : kKeyNames)
        if (Name == entry.name) return entry.vk;
    Sink.Message("Invalid Key Name");
    return kNoKey;
}

bool RunKeyScript(const std::string& Keys, bool Wait, KeySink& Sink) {
    KeyScript script(Wait, Sink);
    return script.Run(Keys.substr(0, Keys.find('\0')));
}

}  // namespace components
