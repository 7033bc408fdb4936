#include "main/bar/core/VersionInfo.h"

#include <cstdio>

#include "framework/core/ByteOrder.h"

namespace bar {

// Layout of a node, both forms: a 16-bit total length, a 16-bit value
// length, in the 32-bit form a 16-bit type, then the NUL-terminated key,
// padding to a 4-byte boundary, the value, padding, and the child nodes. A
// 32-bit text value counts its length in UTF-16 units. Lengths come from the
// file, so each node is cut to its parent and nothing is read past the block.

namespace {

std::size_t Align4(std::size_t offset) { return (offset + 3) & ~std::size_t(3); }

struct Node {
    std::size_t start = 0;
    std::size_t end = 0;      // cut to the parent
    std::size_t next = 0;     // where the next sibling begins, by the stored length
    std::size_t keyStart = 0;
    std::size_t keyUnits = 0; // without the NUL
    VersionValue value;
    std::size_t children = 0;
};

class Block {
public:
    Block(const unsigned char* data, std::size_t size) : data_(data), size_(size) {
        // The 16-bit form has its ANSI key where the 32-bit form has its
        // type word, which is 0 or 1.
        wide_ = size >= 6 && data[4] < ' ';
    }

    bool Root(Node& node) const { return Parse(0, size_, node); }

    // The child of parent whose key equals name; false when there is none.
    bool FindChild(const Node& parent, const std::string& name, Node& child) const {
        std::size_t at = parent.children;
        while (at < parent.end) {
            if (!Parse(at, parent.end, child)) return false;
            if (KeyEquals(child, name)) return true;
            at = child.next;
        }
        return false;
    }

    bool Wide() const { return wide_; }
    const unsigned char* Data() const { return data_; }

private:
    std::size_t HeaderSize() const { return wide_ ? 6 : 4; }
    std::size_t UnitSize() const { return wide_ ? 2 : 1; }

    bool Parse(std::size_t start, std::size_t limit, Node& node) const {
        if (start > limit || limit - start < HeaderSize()) return false;
        const std::size_t length = Le16(data_ + start);
        // A zero or too-short length would never move on to the next node.
        if (length < HeaderSize()) return false;
        node.start = start;
        node.end = limit - start < length ? limit : start + length;
        node.next = Align4(start + length);
        node.keyStart = start + HeaderSize();
        std::size_t keyEnd = node.keyStart;
        for (;;) {
            if (node.end - keyEnd < UnitSize()) return false;
            if (Unit(keyEnd) == 0) break;
            keyEnd += UnitSize();
        }
        node.keyUnits = (keyEnd - node.keyStart) / UnitSize();
        const bool text = wide_ ? Le16(data_ + start + 4) == 1 : true;
        const std::size_t declared = std::size_t(Le16(data_ + start + 2)) * (wide_ && text ? 2 : 1);
        const std::size_t valueStart = Align4(keyEnd + UnitSize());
        node.value.offset = valueStart < node.end ? valueStart : node.end;
        node.value.length = node.end - node.value.offset < declared ? node.end - node.value.offset : declared;
        node.value.text = text;
        node.value.wide = wide_;
        const std::size_t children = Align4(valueStart + declared);
        node.children = children < node.end ? children : node.end;
        return true;
    }

    unsigned Unit(std::size_t at) const { return wide_ ? Le16(data_ + at) : data_[at]; }

    bool KeyEquals(const Node& node, const std::string& name) const {
        if (node.keyUnits != name.size()) return false;
        for (std::size_t i = 0; i < name.size(); ++i) {
            unsigned a = Unit(node.keyStart + i * UnitSize());
            unsigned b = static_cast<unsigned char>(name[i]);
            if (a >= 'a' && a <= 'z') a -= 'a' - 'A';
            if (b >= 'a' && b <= 'z') b -= 'a' - 'A';
            if (a != b) return false;
        }
        return true;
    }

    const unsigned char* data_;
    std::size_t size_;
    bool wide_ = false;
};

}  // namespace

bool QueryVersionValue(const unsigned char* block, std::size_t size, const std::string& subBlock,
                       VersionValue& value) {
    if (block == nullptr) return false;
    const Block b(block, size);
    Node node;
    if (!b.Root(node)) return false;
    std::size_t pos = 0;
    for (;;) {
        while (pos < subBlock.size() && subBlock[pos] == '\\') ++pos;
        if (pos >= subBlock.size()) break;
        std::size_t stop = subBlock.find('\\', pos);
        if (stop == std::string::npos) stop = subBlock.size();
        Node child;
        if (!b.FindChild(node, subBlock.substr(pos, stop - pos), child)) return false;
        node = child;
        pos = stop;
    }
    value = node.value;
    return true;
}

bool FirstVersionTranslation(const unsigned char* block, std::size_t size, VersionTranslation& translation) {
    VersionValue value;
    if (!QueryVersionValue(block, size, "\\VarFileInfo\\Translation", value) || value.length < 4) return false;
    translation.language = Le16(block + value.offset);
    translation.codePage = Le16(block + value.offset + 2);
    return true;
}

std::string StringTablePath(const VersionTranslation& translation, const std::string& key) {
    char table[9];
    std::snprintf(table, sizeof table, "%04X%04X", unsigned(translation.language), unsigned(translation.codePage));
    return std::string("\\StringFileInfo\\") + table + "\\" + key;
}

std::string VersionStringFromBlock(const unsigned char* block, std::size_t size, const std::string& key,
                                   Utf16ToAnsiFn toAnsi) {
    VersionTranslation translation;
    if (!FirstVersionTranslation(block, size, translation)) return std::string();
    VersionValue value;
    if (!QueryVersionValue(block, size, StringTablePath(translation, key), value)) return std::string();
    // A value without a terminating NUL ends with its stored length.
    const unsigned char* p = block + value.offset;
    if (value.wide) {
        std::u16string text;
        for (std::size_t i = 0; i + 1 < value.length; i += 2) {
            const char16_t unit = static_cast<char16_t>(Le16(p + i));
            if (unit == 0) break;
            text += unit;
        }
        return text.empty() || toAnsi == nullptr ? std::string() : toAnsi(text);
    }
    std::size_t n = 0;
    while (n < value.length && p[n] != 0) ++n;
    return std::string(reinterpret_cast<const char*>(p), n);
}

}  // namespace bar
