// Key-by-key access to an INI file as the system's profile functions give it,
// an in-memory twin of those functions for the platform-free rules and their
// tests, and the check of a name that is to become a section or a key.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "framework/core/LeadBytes.h"

// Section and key names match without regard to case, a missing key reads as
// the default, a rewritten key keeps its place and a new one goes to the end
// of its section (a new section to the end of the file).
class TProfile {
public:
    virtual ~TProfile() = default;
    virtual std::string ReadString(const std::string& section, const std::string& key,
                                   const std::string& def) const = 0;
    // Key names of a section in file order.
    virtual std::vector<std::string> ReadKeys(const std::string& section) const = 0;
    // Keys and values of a section in file order, as ReadString gives each
    // value; a file on disk answers this in one call instead of one a key.
    virtual std::vector<std::pair<std::string, std::string>> ReadEntries(const std::string& section) const;
    virtual void WriteString(const std::string& section, const std::string& key, const std::string& value) = 0;
    virtual void DeleteKey(const std::string& section, const std::string& key) = 0;
    virtual void EraseSection(const std::string& section) = 0;
};

// An INI file held as text, read the way the profile functions read one: blanks
// around names and values and one pair of quotes around a value dropped, the
// first of two equal keys wins, a line without "=" is no key. Writes keep the
// file order and add new sections and keys at the end, as the system does.
class TIniText : public TProfile {
public:
    explicit TIniText(const std::string& text = std::string());
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const override;
    std::vector<std::string> ReadKeys(const std::string& section) const override;
    void WriteString(const std::string& section, const std::string& key, const std::string& value) override;
    void DeleteKey(const std::string& section, const std::string& key) override;
    void EraseSection(const std::string& section) override;
    // "[section]\r\nkey=value\r\n" ...
    std::string Text() const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
    };
    Section* Find(const std::string& name);
    const Section* Find(const std::string& name) const;
    std::vector<Section> sections_;
};

// A value as the profile functions give it back: one pair of quotes around it dropped.
std::string UnquoteIniValue(const std::string& value);

// Why a name cannot become a section or key name and come back as typed.
enum class IniNameFault {
    None,
    Empty,
    EdgeBlank,          // the profile functions trim blanks around names
    ControlCharacter,   // a line break splits the entry; tabs are trimmed like blanks
    ReservedCharacter,  // "=" splits key from value, "[" starts a section, "]" closes one
    LeadingSemicolon,   // the line becomes a comment
    Separator,          // "-" alone is a menu separator that cannot be chosen
};
// The name is read character by character: the trail byte of a double-byte
// character ("\x81\x5B" in code page 932) is no "[".
IniNameFault CheckIniName(const std::string& name, LeadBytePredicate isLead);
