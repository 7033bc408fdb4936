// Functions of system libraries that a program needs only now and then (the
// common dialogs, sound), looked up on their first call instead of imported:
// an import loads the library, with everything it needs in turn, at every
// start (the common dialogs bring the print spooler and its printing system).
#pragma once
#include <windows.h>

// The address of export `name` of `library` ("comdlg32.dll") in the system
// folder, or null when either is missing. The library is loaded by its full
// path, never by bare name, and stays loaded for the life of the process.
FARPROC SystemProcAddress(const char* library, const char* name);

// The same as a pointer of type Fn, whose typedef carries the export's
// calling convention (WINAPI).
template <class Fn>
Fn SystemProc(const char* library, const char* name) {
    return reinterpret_cast<Fn>(SystemProcAddress(library, name));
}
