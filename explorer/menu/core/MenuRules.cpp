#include "explorer/menu/core/MenuRules.h"

#include <cstring>

namespace norquil {

const MenuEntry kMenuEntries[kMenuEntryCount] = {
    {"Compress", kCompress, "Compress.dll", "PackFiles", true},
    {"Decompress", kDecompress, "Compress.dll", "UnPackFile", false},
    {"Split file", kSplitFile, "Pelmit.dll", "SegmentFile", true},
    {"Join files", kJoinFiles, "Pelmit.dll", "JoinFiles", true},
    {nullptr, -1, nullptr, nullptr, false},
    {"Compress and Email", kCompressAndEmail, "Compress.dll", "CompressAndSendFiles", true},
};

const char kPopupText[] = "Mivora accelerator";

namespace {

const char* const kHelpTexts[] = {
    "New menu item number 1",
    "New menu item number 2",
    "New menu item number 3",
    "New menu item number 4",
};

const unsigned kVerbsOnly = 0x2;
const unsigned kExplore = 0x4;

}  // namespace

const MenuEntry* EntryForCommand(unsigned command) {
    for (const MenuEntry& entry : kMenuEntries)
        if (entry.command >= 0 && static_cast<unsigned>(entry.command) == command) return &entry;
    return nullptr;
}

const char* HelpTextForCommand(unsigned command) {
    return command < sizeof kHelpTexts / sizeof kHelpTexts[0] ? kHelpTexts[command] : nullptr;
}

bool MenuWantedForFlags(unsigned flags) {
    if (flags == 0x10000) return false;
    return (flags & 0xF) == 0 || (flags & kVerbsOnly) != 0 || (flags & kExplore) != 0;
}

bool IsCabinetPath(const std::string& path) {
    if (path.size() < 4) return false;
    const char* tail = path.c_str() + path.size() - 4;
    const char cab[] = ".cab";
    for (int i = 0; i < 4; ++i) {
        char c = tail[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != cab[i]) return false;
    }
    return true;
}

bool IsArchivePath(const std::string& path, LeadBytePredicate isLead) {
    static const char* const kArchiveExtensions[] = {".zip", ".Zip", ".ZIP", ".lzh", ".Lzh", ".LZH",
                                                     ".tar", ".Tar", ".TAR", ".tgz", ".Tgz", ".TGZ"};
    const std::string ext = ExtractFileExt(path, isLead);
    for (const char* known : kArchiveExtensions)
        if (ext == known) return true;
    return false;
}

void AddSelectedItem(SelectionFacts& facts, const std::string& path, bool isFolder, LeadBytePredicate isLead) {
    ++facts.count;
    if (IsArchivePath(path, isLead)) facts.anyArchive = true;
    if (IsCabinetPath(path)) facts.anyCabinet = true;
    if (!isFolder) facts.anyFile = true;
}

MenuStates EnabledStates(const SelectionFacts& facts) {
    MenuStates states{};
    states.enabled[kCompress] = true;
    states.enabled[kDecompress] = facts.anyArchive;
    states.enabled[kSplitFile] = facts.count == 1 && facts.anyFile;
    states.enabled[kJoinFiles] = facts.anyFile && !facts.anyCabinet;
    states.enabled[kCompressAndEmail] = true;
    return states;
}

void CopyCut(const char* text, char* buffer, std::size_t size) {
    if (buffer == nullptr || size == 0) return;
    std::size_t n = std::strlen(text);
    if (n > size - 1) n = size - 1;
    std::memcpy(buffer, text, n);
    buffer[n] = '\0';
}

void CopyCut(const char* text, wchar_t* buffer, std::size_t size) {
    if (buffer == nullptr || size == 0) return;
    std::size_t n = 0;
    // The help texts are ASCII, which widens unit for unit.
    for (; text[n] != '\0' && n + 1 < size; ++n) buffer[n] = static_cast<unsigned char>(text[n]);
    buffer[n] = L'\0';
}

}  // namespace norquil
