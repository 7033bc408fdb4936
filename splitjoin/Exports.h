// Pelmit's exports. Each takes the shell's dropped-file list (or none), runs
// its dialog in the calling thread and returns when the user is done; no
// worker of the library is left running when it returns, so the caller may
// unload the library at once.
#pragma once
#include <windows.h>
#include <shellapi.h>

extern "C" {
void SegmentFile(HDROP drop);
void JoinFiles(HDROP drop);
void CreateShortcut(HDROP drop);
}
