// Interpreter of keystroke scripts: '+' '^' '%' hold Shift, Ctrl, Alt for the
// next key or '(' group ')'; '~' is Enter; {NAME}, {NAME count}, {{} and {}}
// name keys; every other character is typed as the layout types it.
#pragma once
#include <cstdint>
#include <string>

namespace components {

// Where a script's keystrokes go. The Windows build sends them to the focused
// window; tests record them. Member names avoid the A/W macros of windows.h.
class KeySink {
public:
    virtual ~KeySink() = default;
    // One synthetic keystroke: flags 0x1 extended key, 0x2 key up.
    virtual void KeyEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) = 0;
    // Key code of a character on the current layout: virtual key in the low
    // byte, 0x1 Shift / 0x2 Ctrl / 0x4 Alt in the high byte; 0xFFFF for none.
    virtual std::uint16_t CharToKeyCode(char c) = 0;
    // Scan code of a virtual key (only its low byte is used).
    virtual std::uint16_t VirtualKeyToScan(std::uint8_t vk) = 0;
    // Flips NumLock in the calling thread's keyboard state; no keystroke.
    virtual void ToggleNumLock() = 0;
    // A message to the user (modal on Windows).
    virtual void Message(const std::string& text) = 0;
    // Handles the calling thread's pending keyboard messages.
    virtual void PumpKeyboardMessages() = 0;
};

constexpr std::uint16_t kNoKey = 0xFFFF;

// Runs a script; the text ends at its first zero character. True when the
// script ran to its end (also with invalid keys in it), false for an empty
// script and for a '{' without its '}'. With Wait, the keyboard messages
// pending for the calling thread are handled after every keystroke. A repeat
// count that is not an integer raises EConvertError. Shift, Ctrl and Alt that
// the script pressed are up again on every way out, before a message is shown
// or an exception leaves.
bool RunKeyScript(const std::string& Keys, bool Wait, KeySink& Sink);

// Virtual key of a key name ("LEFT", "F5", ... upper case), or kNoKey after
// telling the user "Invalid Key Name".
std::uint16_t LookUpKeyName(const std::string& Name, KeySink& Sink);

}  // namespace components
