// The framework's own messages. They are Japanese, in code page 932 bytes
// (this unit is compiled with that execution character set); show them with
// WideFromCodePage(932, ...) and a wide call.
#pragma once

extern const char kEnterIntegerText[];  // a field that must hold a whole number
extern const char kIntegerRangeText[];  // "%1 ... %2": the allowed range
extern const char kMaxCharsText[];      // "%1": the most characters a field takes
