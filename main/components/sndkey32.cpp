#include "main/components/sndkey32.h"

#include <windows.h>

#include <array>

namespace components {

namespace {

class WinKeySink final : public KeySink {
public:
    void KeyEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) override {
        keybd_event(vk, scan, flags, 0);
    }

    std::uint16_t CharToKeyCode(char c) override { return static_cast<std::uint16_t>(VkKeyScanA(c)); }

    std::uint16_t VirtualKeyToScan(std::uint8_t vk) override {
        return static_cast<std::uint16_t>(MapVirtualKeyA(vk, 0));
    }

    // NumLock is flipped in this thread's key state only; a synthetic
    // keystroke would toggle the light and the state of every program.
    void ToggleNumLock() override {
        const bool on = (GetKeyState(VK_NUMLOCK) & 1) != 0;
        std::array<BYTE, 256> state{};
        if (!GetKeyboardState(state.data())) return;
        state[VK_NUMLOCK] = static_cast<BYTE>(on ? (state[VK_NUMLOCK] & ~1) : (state[VK_NUMLOCK] | 1));
        SetKeyboardState(state.data());
    }

    void Message(const std::string& text) override { MessageBoxA(nullptr, text.c_str(), "SendKeys", MB_OK); }

    void PumpKeyboardMessages() override {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
};

KeySink* g_replacementSink = nullptr;

}  // namespace

bool SendKeys(const char* Keys, bool Wait) {
    static WinKeySink platformSink;
    KeySink& sink = g_replacementSink ? *g_replacementSink : platformSink;
    return RunKeyScript(Keys ? std::string(Keys) : std::string(), Wait, sink);
}

KeySink* SetSendKeysSink(KeySink* Sink) {
    KeySink* previous = g_replacementSink;
    g_replacementSink = Sink;
    return previous;
}

}  // namespace components
