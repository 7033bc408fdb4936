// Keystroke scripts on a fake US layout: whatever the script, no key may be
// left down afterwards, and a failed script sends nothing after its message.
// Input: one byte of options (bit 0: wait), then the script.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/native/FakeUsKeyboard.h"
#include "framework/core/Exceptions.h"
#include "main/components/core/SendKeysScript.h"

using namespace components;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// Keeps only what the checks need, so scripts of 65535 repeats stay cheap.
class StateSink : public KeySink {
public:
    void KeyEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) override {
        Check(flags <= 3);
        Check(scan == (fake_us::ScanCode(vk) & 0xFF));
        down[vk] = (flags & 2) == 0;
        ++events;
        lastWasNoClose = false;
        pumpPending = wait;
    }
    std::uint16_t CharToKeyCode(char c) override { return fake_us::KeyCode(c); }
    std::uint16_t VirtualKeyToScan(std::uint8_t vk) override { return fake_us::ScanCode(vk); }
    void ToggleNumLock() override { lastWasNoClose = false; }
    void Message(const std::string& text) override {
        Check(text == "No Close" || text == "Invalid KeyName" || text == "Invalid Key Name");
        Check(!pumpPending);
        lastWasNoClose = text == "No Close";
        noCloseCount += lastWasNoClose;
        ++messages;
    }
    void PumpKeyboardMessages() override {
        Check(wait && pumpPending);
        pumpPending = false;
    }

    bool wait = false;
    bool pumpPending = false;
    std::array<bool, 256> down{};
    std::size_t events = 0;
    std::size_t messages = 0;
    std::size_t noCloseCount = 0;
    bool lastWasNoClose = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > 512) return 0;
    StateSink sink;
    sink.wait = (data[0] & 1) != 0;
    const std::string script(reinterpret_cast<const char*>(data + 1), size - 1);
    const bool empty = script.empty() || script[0] == '\0';

    enum { Failed, Ran, Threw } outcome;
    try {
        outcome = RunKeyScript(script, sink.wait, sink) ? Ran : Failed;
    } catch (const EConvertError&) {
        outcome = Threw;
    }

    for (bool isDown : sink.down) Check(!isDown);
    Check(!sink.pumpPending);
    if (empty) Check(outcome == Failed && sink.events == 0 && sink.messages == 0);
    if (outcome == Failed && !empty) Check(sink.lastWasNoClose && sink.noCloseCount == 1);
    if (outcome != Failed) Check(sink.noCloseCount == 0);
    return 0;
}
