// Keystroke scripts typed into the window that has the keyboard focus.
#pragma once
#include "main/components/core/SendKeysScript.h"

namespace components {

// Sends the script's keystrokes with keybd_event (see RunKeyScript for the
// script language and the result). With Wait, the caller's own keyboard
// messages are handled after every keystroke, so keys aimed at its own
// windows arrive before the next one. A null script counts as empty.
bool SendKeys(const char* Keys, bool Wait);

// Replaces the platform sink that SendKeys uses, so tests can record scripts
// instead of typing into whatever window has the focus; nullptr restores the
// real one. Gives the sink that was set before (nullptr for the real one).
KeySink* SetSendKeysSink(KeySink* Sink);

}  // namespace components
