#include "main/clock/ClockIni.h"

#include "framework/forms/IniFile.h"
#include "framework/core/StrUtils.h"
#include "framework/forms/SysUtils.h"
#include "main/clock/core/ZoneIni.h"

namespace worldclock {

namespace {
std::string& ZoneIniName() {
    static std::string name;
    return name;
}
std::string& ZoneSetIniName() {
    static std::string name;
    return name;
}
}  // namespace

std::string TClockIni::ReadString(const std::string& section, const std::string& key, const std::string& def) const {
    return TIniFile(fileName_).ReadString(section, key, def);
}

int TClockIni::ReadOffset(const std::string& section, const std::string& key, int def) const {
    return ParseIniOffset(ReadString(section, key, IntToStr(def)), def);
}

bool TClockIni::ReadFlag(const std::string& section, const std::string& key, bool def) const {
    return ParseIniFlag(ReadString(section, key, def ? "1" : "0"), def);
}

std::vector<std::string> TClockIni::ReadKeys(const std::string& section) const {
    TStringList keys;
    TIniFile(fileName_).ReadSection(section, keys);
    std::vector<std::string> out;
    out.reserve(static_cast<size_t>(keys.Count()));
    for (int i = 0; i < keys.Count(); ++i) out.push_back(keys[i]);
    return out;
}

void TClockIni::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    TIniFile(fileName_).WriteString(section, key, value);
}

void TClockIni::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, IntToStr(value));
}

void TClockIni::WriteFlag(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TClockIni::DeleteKey(const std::string& section, const std::string& key) {
    TIniFile(fileName_).DeleteKey(section, key);
}

void TClockIni::EraseSection(const std::string& section) { TIniFile(fileName_).EraseSection(section); }

TClockIni ZoneIni() { return TClockIni(ZoneIniName().empty() ? ProgramFolder() + "Zonef.ini" : ZoneIniName()); }

TClockIni ZoneSetIni() { return TClockIni(ZoneSetIniName().empty() ? "Zonefset.ini" : ZoneSetIniName()); }

void SetClockIniNames(const std::string& zoneIni, const std::string& zoneSetIni) {
    ZoneIniName() = zoneIni;
    ZoneSetIniName() = zoneSetIni;
}

}  // namespace worldclock
