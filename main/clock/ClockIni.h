// The world clock's two settings files: "Zonef.ini" beside the program (the
// known locations in [Zone]) and "Zonefset.ini", opened by its bare name so the
// system keeps it in the Windows folder (the clock menu's locations, their
// daylight flags and the last choice).
//
// Reads are one key per call, each with its default; numbers that do not parse
// or lie out of range give the default. A write that fails (a folder the user
// may not write to, a full disk) raises EIniFileException, which ends the
// operation and is reported once where it was started.
#pragma once
#include <string>
#include <vector>

#include "main/clock/core/AlarmStore.h"

namespace worldclock {

class TClockIni {
public:
    explicit TClockIni(std::string fileName) : fileName_(std::move(fileName)) {}
    const std::string& FileName() const { return fileName_; }

    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    // A stored offset in minutes (-1439..1439).
    int ReadOffset(const std::string& section, const std::string& key, int def) const;
    bool ReadFlag(const std::string& section, const std::string& key, bool def) const;
    // Key names of a section in file order.
    std::vector<std::string> ReadKeys(const std::string& section) const;

    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    // "1" or "0".
    void WriteFlag(const std::string& section, const std::string& key, bool value);
    void DeleteKey(const std::string& section, const std::string& key);
    void EraseSection(const std::string& section);

private:
    std::string fileName_;
};

// The same file as the alarm store reads and writes it.
class TClockProfile : public TProfile {
public:
    explicit TClockProfile(TClockIni ini) : ini_(std::move(ini)) {}
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const override {
        return ini_.ReadString(section, key, def);
    }
    void WriteString(const std::string& section, const std::string& key, const std::string& value) override {
        ini_.WriteString(section, key, value);
    }
    std::vector<std::string> ReadKeys(const std::string& section) const override { return ini_.ReadKeys(section); }
    void DeleteKey(const std::string& section, const std::string& key) override { ini_.DeleteKey(section, key); }
    void EraseSection(const std::string& section) override { ini_.EraseSection(section); }

private:
    TClockIni ini_;
};

// "Zonef.ini" in the program folder.
TClockIni ZoneIni();
// "Zonefset.ini", by its bare name.
TClockIni ZoneSetIni();
// Tests keep both files elsewhere; empty names restore the defaults.
void SetClockIniNames(const std::string& zoneIni, const std::string& zoneSetIni);

}  // namespace worldclock
