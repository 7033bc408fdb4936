// What the context menu shows for a selection, without the platform.
#pragma once
#include <cstddef>
#include <string>

#include "framework/core/MbcsPath.h"

namespace norquil {

// The five commands, by command index (the offset from the first command
// identifier).
enum MenuCommand { kCompress = 0, kDecompress = 1, kSplitFile = 2, kJoinFiles = 3, kCompressAndEmail = 4 };
const int kMenuCommandCount = 5;

// One entry of the pop-up, in display order.
struct MenuEntry {
    const char* text;     // nullptr for the separator
    int command;          // -1 for the separator
    const char* library;  // file name of the tool library beside the extension
    const char* exportName;
    // The export frees the dropped-file list it is given (DragFinish).
    bool exportFreesList;
};
const std::size_t kMenuEntryCount = 6;
extern const MenuEntry kMenuEntries[kMenuEntryCount];
extern const char kPopupText[];

// The entry of a command index; nullptr for an index outside 0..4.
const MenuEntry* EntryForCommand(unsigned command);

// The help string of a command index; nullptr for index 4 and beyond.
const char* HelpTextForCommand(unsigned command);

// Whether the menu goes in for these context-menu flags: with the low four
// bits clear, or with "verbs only" (2) or "explore" (4) set; never for
// flags that are exactly 0x10000.
bool MenuWantedForFlags(unsigned flags);

// A cabinet: the last four characters are ".cab" in any case.
bool IsCabinetPath(const std::string& path);
// An archive: the extension of the last component is one of ".zip", ".lzh",
// ".tar", ".tgz", each in lower case, capitalised or upper case only.
bool IsArchivePath(const std::string& path, LeadBytePredicate isLead);

struct SelectionFacts {
    bool anyArchive = false;
    bool anyCabinet = false;
    bool anyFile = false;
    std::size_t count = 0;
};

// Adds one selected item to the facts.
void AddSelectedItem(SelectionFacts& facts, const std::string& path, bool isFolder, LeadBytePredicate isLead);

// Whether each command is enabled, by command index. Compress and
// "Compress and Email" always are; Decompress needs an archive; Split file
// one single file; Join files a file and no cabinet.
struct MenuStates {
    bool enabled[kMenuCommandCount];
};
MenuStates EnabledStates(const SelectionFacts& facts);

// Copies text into a buffer of size units, the terminator included, cut to
// fit; nothing when the buffer is null or its size 0.
void CopyCut(const char* text, char* buffer, std::size_t size);
void CopyCut(const char* text, wchar_t* buffer, std::size_t size);

}  // namespace norquil
