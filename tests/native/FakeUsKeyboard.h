// A US keyboard layout for keystroke-script tests and fuzzing: the key codes
// and scan codes a US layout gives on Windows, for the keys scripts use.
#pragma once
#include <cstdint>

namespace fake_us {

// Key code of a character: virtual key low, 0x100 Shift; 0xFFFF for none.
inline std::uint16_t KeyCode(char c) {
    if (c >= 'a' && c <= 'z') return static_cast<std::uint16_t>(0x41 + (c - 'a'));
    if (c >= 'A' && c <= 'Z') return static_cast<std::uint16_t>(0x141 + (c - 'A'));
    if (c >= '0' && c <= '9') return static_cast<std::uint16_t>(0x30 + (c - '0'));
    switch (c) {
    case ' ': return 0x20;
    case '\t': return 0x09;
    case '\b': return 0x08;
    case '\r': return 0x0D;
    case '\n': return 0x20D;  // Ctrl+Enter
    case 0x1B: return 0x1B;
    case '!': return 0x131;
    case '@': return 0x132;
    case '#': return 0x133;
    case '$': return 0x134;
    case '%': return 0x135;
    case '^': return 0x136;
    case '&': return 0x137;
    case '*': return 0x138;
    case '(': return 0x139;
    case ')': return 0x130;
    case '-': return 0xBD;
    case '_': return 0x1BD;
    case '=': return 0xBB;
    case '+': return 0x1BB;
    case ';': return 0xBA;
    case ':': return 0x1BA;
    case '\'': return 0xDE;
    case '"': return 0x1DE;
    case ',': return 0xBC;
    case '<': return 0x1BC;
    case '.': return 0xBE;
    case '>': return 0x1BE;
    case '/': return 0xBF;
    case '?': return 0x1BF;
    case '`': return 0xC0;
    case '~': return 0x1C0;
    case '[': return 0xDB;
    case '{': return 0x1DB;
    case ']': return 0xDD;
    case '}': return 0x1DD;
    case '\\': return 0xDC;
    case '|': return 0x1DC;
    default: return 0xFFFF;
    }
}

// Scan code of a virtual key (set 1, as MapVirtualKey gives it); 0 for keys
// the tests do not care about.
inline std::uint16_t ScanCode(std::uint8_t vk) {
    switch (vk) {
    case 0x08: return 0x0E;
    case 0x09: return 0x0F;
    case 0x0D: return 0x1C;
    case 0x10: return 0x2A;
    case 0x11: return 0x1D;
    case 0x12: return 0x38;
    case 0x1B: return 0x01;
    case 0x21: return 0x49;
    case 0x22: return 0x51;
    case 0x23: return 0x4F;
    case 0x24: return 0x47;
    case 0x25: return 0x4B;
    case 0x26: return 0x48;
    case 0x27: return 0x4D;
    case 0x28: return 0x50;
    case 0x2D: return 0x52;
    case 0x2E: return 0x53;
    case 0x41: return 0x1E;
    case 0x42: return 0x30;
    case 0x43: return 0x2E;
    case 0xDB: return 0x1A;
    case 0xDD: return 0x1B;
    default: return 0;
    }
}

}  // namespace fake_us
