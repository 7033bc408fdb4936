#include "framework/core/IniText.h"

#include "framework/core/StrUtils.h"

namespace {
// Blanks, tabs and the line's end around a name or value.
std::string TrimIni(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}
}  // namespace

TIniText::TIniText(const std::string& text) {
    Section* current = nullptr;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        const std::string line = TrimIni(text.substr(pos, end - pos));
        pos = end + 1;
        if (!line.empty() && line[0] == '[') {
            const size_t close = line.find(']');
            const std::string name =
                TrimIni(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            current = Find(name);
            if (!current) {
                sections_.push_back(Section{name, {}});
                current = &sections_.back();
            }
            continue;
        }
        const size_t eq = line.find('=');
        if (!current || eq == std::string::npos || line[0] == ';') continue;
        current->keys.emplace_back(TrimIni(line.substr(0, eq)), TrimIni(line.substr(eq + 1)));
    }
}

TIniText::Section* TIniText::Find(const std::string& name) {
    for (Section& s : sections_)
        if (SameTextAscii(s.name, name)) return &s;
    return nullptr;
}

const TIniText::Section* TIniText::Find(const std::string& name) const {
    return const_cast<TIniText*>(this)->Find(name);
}

std::string TIniText::ReadString(const std::string& section, const std::string& key, const std::string& def) const {
    const Section* s = Find(section);
    if (!s) return def;
    for (const auto& kv : s->keys) {
        if (SameTextAscii(kv.first, key)) return UnquoteIniValue(kv.second);
    }
    return def;
}

std::string UnquoteIniValue(const std::string& v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) return v.substr(1, v.size() - 2);
    return v;
}

std::vector<std::pair<std::string, std::string>> TProfile::ReadEntries(const std::string& section) const {
    std::vector<std::pair<std::string, std::string>> entries;
    for (const std::string& key : ReadKeys(section)) entries.emplace_back(key, ReadString(section, key, ""));
    return entries;
}

void TIniText::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    Section* s = Find(section);
    if (!s) {
        sections_.push_back(Section{section, {}});
        s = &sections_.back();
    }
    for (auto& kv : s->keys)
        if (SameTextAscii(kv.first, key)) {
            kv.second = value;
            return;
        }
    s->keys.emplace_back(key, value);
}

std::vector<std::string> TIniText::ReadKeys(const std::string& section) const {
    std::vector<std::string> keys;
    if (const Section* s = Find(section))
        for (const auto& kv : s->keys) keys.push_back(kv.first);
    return keys;
}

void TIniText::DeleteKey(const std::string& section, const std::string& key) {
    Section* s = Find(section);
    if (!s) return;
    for (size_t i = 0; i < s->keys.size(); ++i)
        if (SameTextAscii(s->keys[i].first, key)) {
            s->keys.erase(s->keys.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
}

void TIniText::EraseSection(const std::string& section) {
    for (size_t i = 0; i < sections_.size(); ++i)
        if (SameTextAscii(sections_[i].name, section)) {
            sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
}

std::string TIniText::Text() const {
    std::string out;
    for (const Section& s : sections_) {
        out += "[" + s.name + "]\r\n";
        for (const auto& kv : s.keys) out += kv.first + "=" + kv.second + "\r\n";
    }
    return out;
}

IniNameFault CheckIniName(const std::string& name, LeadBytePredicate isLead) {
    if (name.empty()) return IniNameFault::Empty;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        // A trail byte is never below 0x40 in any double-byte code page: a
        // lead byte before a line break or "=" (or at the end) stands alone,
        // and the byte after it is read as itself.
        if (isLead(c) && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) >= 0x40) {
            ++i;
            continue;
        }
        if (c < 0x20 || c == 0x7F) return IniNameFault::ControlCharacter;
        if (c == '=' || c == '[' || c == ']') return IniNameFault::ReservedCharacter;
    }
    if (name.front() == ' ' || name.back() == ' ') return IniNameFault::EdgeBlank;
    if (name.front() == ';') return IniNameFault::LeadingSemicolon;
    if (name == "-") return IniNameFault::Separator;
    return IniNameFault::None;
}
