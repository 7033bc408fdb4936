// Reading a version-information block: the bytes GetFileVersionInfoA hands
// back, in the 32-bit layout (UTF-16 keys and texts, VS_VERSION_INFO) or the
// 16-bit one (ANSI), both looked up the way VerQueryValueA looks them up.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace bar {

struct VersionTranslation {
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;
};

// Where a value lies in the block. Every node is bounded by its parent and
// the block, so offset + length never passes the block's end.
struct VersionValue {
    std::size_t offset = 0;
    std::size_t length = 0;  // bytes
    bool text = false;       // a text value (in a 32-bit block: type 1)
    bool wide = false;       // the block is 32-bit, its texts UTF-16
};

// Looks up a path such as "\VarFileInfo\Translation": names between
// backslashes, each matched without regard to ASCII case against the keys
// of the children of the node before. "" or "\" is the root's own value.
bool QueryVersionValue(const unsigned char* block, std::size_t size, const std::string& subBlock,
                       VersionValue& value);

// The first language and code-page pair of "\VarFileInfo\Translation";
// false when there is none (a value shorter than one pair included).
bool FirstVersionTranslation(const unsigned char* block, std::size_t size, VersionTranslation& translation);

// "\StringFileInfo\LLLLCCCC\<key>", language and code page in upper-case hex.
std::string StringTablePath(const VersionTranslation& translation, const std::string& key);

// Converts the UTF-16 texts of a 32-bit block to the ANSI code page
// (WideCharToMultiByte with CP_ACP on Windows). 16-bit blocks hold ANSI text
// already and need none; without one, a 32-bit text reads as "".
using Utf16ToAnsiFn = std::string (*)(const std::u16string& text);

// The text stored under key in the string table of the first translation,
// up to its NUL or the end of its value, whichever comes first; "" when the
// block has no translation or the table has no such key.
std::string VersionStringFromBlock(const unsigned char* block, std::size_t size, const std::string& key,
                                   Utf16ToAnsiFn toAnsi);

}  // namespace bar
