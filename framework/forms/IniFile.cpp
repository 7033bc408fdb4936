#include "framework/forms/IniFile.h"

#include <windows.h>

#include "framework/core/Exceptions.h"
#include "framework/core/StrUtils.h"


namespace {

// The profile functions truncate silently; grow until the answer fits.
// `slack` is how far short of the buffer a complete answer ends (1 for one
// string, 2 for a zero-separated list).
template <class Call>
std::string ReadGrowing(Call call, DWORD slack) {
    std::string buf(512, '\0');
    for (;;) {
        const DWORD got = call(&buf[0], static_cast<DWORD>(buf.size()));
        if (got + slack < buf.size() || buf.size() >= (1u << 24)) {
            buf.resize(got);
            return buf;
        }
        buf.assign(buf.size() * 2, '\0');
    }
}

std::vector<std::string> SplitZeroList(const std::string& list) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < list.size()) {
        const size_t zero = list.find('\0', start);
        const size_t end = zero == std::string::npos ? list.size() : zero;
        if (end > start) out.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

}  // namespace

std::string TIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                 const std::string& Default) const {
    return ReadGrowing(
        [&](char* buf, DWORD size) {
            return GetPrivateProfileStringA(Section.c_str(), Ident.c_str(), Default.c_str(), buf, size,
                                            fileName_.c_str());
        },
        1);
}

int TIniFile::ReadInteger(const std::string& Section, const std::string& Ident, int Default) const {
    const std::string text = ReadString(Section, Ident, "");
    return StrToIntDef(text, Default);
}

bool TIniFile::ReadBool(const std::string& Section, const std::string& Ident, bool Default) const {
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) {
    if (!WritePrivateProfileStringA(Section.c_str(), Ident.c_str(), Value.c_str(), fileName_.c_str()))
        throw EIniFileException("Unable to write to " + fileName_);
}

void TIniFile::WriteInteger(const std::string& Section, const std::string& Ident, int Value) {
    WriteString(Section, Ident, IntToStr(Value));
}

void TIniFile::WriteBool(const std::string& Section, const std::string& Ident, bool Value) {
    WriteString(Section, Ident, Value ? "1" : "0");
}

void TIniFile::ReadSection(const std::string& Section, TStringList& Strings) const {
    Strings.Clear();
    const std::string list = ReadGrowing(
        [&](char* buf, DWORD size) {
            return GetPrivateProfileStringA(Section.c_str(), nullptr, "", buf, size, fileName_.c_str());
        },
        2);
    for (const auto& key : SplitZeroList(list)) Strings.Add(key);
}

std::vector<std::string> TIniFile::ReadKeys(const std::string& Section) const {
    TStringList keys;
    ReadSection(Section, keys);
    return keys.Items();
}

std::vector<std::pair<std::string, std::string>> TIniFile::ReadEntries(const std::string& Section) const {
    TStringList lines;
    ReadSectionValues(Section, lines);
    std::vector<std::pair<std::string, std::string>> entries;
    for (const std::string& line : lines.Items()) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos) entries.emplace_back(line.substr(0, eq), UnquoteIniValue(line.substr(eq + 1)));
    }
    return entries;
}

void TIniFile::ReadSectionValues(const std::string& Section, TStringList& Strings) const {
    Strings.Clear();
    const std::string list = ReadGrowing(
        [&](char* buf, DWORD size) {
            return GetPrivateProfileSectionA(Section.c_str(), buf, size, fileName_.c_str());
        },
        2);
    for (const auto& line : SplitZeroList(list)) Strings.Add(line);
}

void TIniFile::ReadSections(TStringList& Strings) const {
    Strings.Clear();
    const std::string list = ReadGrowing(
        [&](char* buf, DWORD size) { return GetPrivateProfileSectionNamesA(buf, size, fileName_.c_str()); }, 2);
    for (const auto& name : SplitZeroList(list)) Strings.Add(name);
}

bool TIniFile::SectionExists(const std::string& Section) const {
    TStringList keys;
    ReadSection(Section, keys);
    return keys.Count() > 0;
}

bool TIniFile::ValueExists(const std::string& Section, const std::string& Ident) const {
    TStringList keys;
    ReadSection(Section, keys);
    return keys.IndexOfText(Ident) >= 0;
}

void TIniFile::EraseSection(const std::string& Section) {
    if (!WritePrivateProfileStringA(Section.c_str(), nullptr, nullptr, fileName_.c_str()))
        throw EIniFileException("Unable to write to " + fileName_);
}

void TIniFile::DeleteKey(const std::string& Section, const std::string& Ident) {
    if (!WritePrivateProfileStringA(Section.c_str(), Ident.c_str(), nullptr, fileName_.c_str()))
        throw EIniFileException("Unable to write to " + fileName_);
}

void TIniFile::UpdateFile() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, fileName_.c_str()); }
