// Key sink that records a script's effects as a compact trace, on the fake US layout.
#pragma once
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "tests/native/FakeUsKeyboard.h"
#include "main/components/core/SendKeysScript.h"

struct RecordedKey {
    std::uint8_t vk;
    std::uint8_t scan;
    std::uint32_t flags;
};

// Trace tokens: "41d"/"41u" key down/up, "25xd"/"25xu" the same with the
// extended flag, "<text>" a message, "[numlock]" a NumLock flip, "|" a pump.
class RecordingKeySink : public components::KeySink {
public:
    void KeyEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) override {
        keys.push_back({vk, scan, flags});
        char token[16];
        std::snprintf(token, sizeof token, "%02X%s%s", vk, (flags & 1) ? "x" : "", (flags & 2) ? "u" : "d");
        Add(token);
        if (flags & ~3u) Add("?flags");
    }
    std::uint16_t CharToKeyCode(char c) override { return fake_us::KeyCode(c); }
    std::uint16_t VirtualKeyToScan(std::uint8_t vk) override { return fake_us::ScanCode(vk); }
    void ToggleNumLock() override { Add("[numlock]"); }
    void Message(const std::string& text) override { Add("<" + text + ">"); }
    void PumpKeyboardMessages() override { Add("|"); }

    // Keys whose last event was a key-down: what a real keyboard state would
    // still hold after the script.
    std::set<std::uint8_t> KeysLeftDown() const {
        std::set<std::uint8_t> down;
        for (const RecordedKey& k : keys) {
            if (k.flags & 2)
                down.erase(k.vk);
            else
                down.insert(k.vk);
        }
        return down;
    }

    std::string trace;
    std::vector<RecordedKey> keys;

private:
    void Add(const std::string& token) {
        if (!trace.empty()) trace += ' ';
        trace += token;
    }
};
