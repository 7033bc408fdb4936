// Settings files read and written one key per call through the system's
// profile functions, each read naming its default.
#pragma once
#include <string>
#include <vector>

#include "framework/core/IniText.h"
#include "framework/core/StringList.h"

class TIniFile : public TProfile {
public:
    explicit TIniFile(std::string FileName) : fileName_(std::move(FileName)) {}
    const std::string& FileName() const { return fileName_; }

    std::string ReadString(const std::string& Section, const std::string& Ident,
                           const std::string& Default) const override;
    // Text that is not a whole number gives the default.
    int ReadInteger(const std::string& Section, const std::string& Ident, int Default) const;
    bool ReadBool(const std::string& Section, const std::string& Ident, bool Default) const;
    // A failed write raises EIniFileException (so do EraseSection and
    // DeleteKey): the first failure ends the caller's work and is reported
    // once at its callback boundary.
    void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) override;
    void WriteInteger(const std::string& Section, const std::string& Ident, int Value);
    void WriteBool(const std::string& Section, const std::string& Ident, bool Value);

    // Key names of a section, in file order.
    void ReadSection(const std::string& Section, TStringList& Strings) const;
    std::vector<std::string> ReadKeys(const std::string& Section) const override;
    std::vector<std::pair<std::string, std::string>> ReadEntries(const std::string& Section) const override;
    // "key=value" lines of a section, in file order.
    void ReadSectionValues(const std::string& Section, TStringList& Strings) const;
    void ReadSections(TStringList& Strings) const;
    bool SectionExists(const std::string& Section) const;
    bool ValueExists(const std::string& Section, const std::string& Ident) const;
    void EraseSection(const std::string& Section) override;
    void DeleteKey(const std::string& Section, const std::string& Ident) override;
    // The system caches profile files; this writes the cache out.
    void UpdateFile();

private:
    std::string fileName_;
};
