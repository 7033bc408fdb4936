// The archive library's exports. Each takes the shell's dropped-file list,
// runs its dialog in the calling thread and returns when the user is done;
// a null list returns at once.
#pragma once
#include <windows.h>
#include <shellapi.h>

extern "C" {
void PackFiles(HDROP drop);
void UnPackFile(HDROP drop);
void CompressAndSendFiles(HDROP drop);
void ExtractFile(HDROP drop);
}
