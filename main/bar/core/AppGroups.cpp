#include "main/bar/core/AppGroups.h"

#include "framework/core/MbcsPath.h"
#include "framework/core/StrUtils.h"

namespace bar {

const TFixedGroup kFixedGroups[kFixedGroupCount] = {
    {"appDoc", "Document processor"}, {"appFile", "File or disk manager"},
    {"appMedia", "MultiMedia"},       {"appNet", "Net tools"},
    {"appGame", "Games"},             {"appDesk", "Desktop tools"},
    {"appGraph", "Graphics"},         {"appDeve", "Development tools"},
    {"appMisc", "Miscellaneous"},
};

bool IsOwnSection(const std::string& name) {
    static const char* const own[] = {"ToolBar", "Quick File", "Quick App", "Record", "Quick Start", kUserGroupsSection};
    for (const char* section : own)
        if (SameTextAscii(name, section)) return true;
    return false;
}

bool operator==(const TAppEntry& a, const TAppEntry& b) { return a.name == b.name && a.path == b.path; }

std::string AppEditText(AppEdit result, const std::string& name) {
    switch (result) {
    case AppEdit::Unstorable:
        return "\"" + name + "\" cannot be used as a name:\r\nmivora.ini would not give it back as typed.";
    case AppEdit::OwnSection:
        return "\"" + name + "\" names the bar's own settings\r\nand cannot be used for a group.";
    default: return std::string();
    }
}

std::vector<std::string> TAppGroupStore::UserGroups() const { return ini_.ReadKeys(kUserGroupsSection); }

std::vector<std::string> TAppGroupStore::GroupNames() const {
    std::vector<std::string> names;
    for (const TFixedGroup& g : kFixedGroups) names.push_back(g.caption);
    for (const std::string& name : UserGroups()) names.push_back(name);
    return names;
}

std::string TAppGroupStore::UserSection(const std::string& name) { return IsOwnSection(name) ? std::string() : name; }

std::string TAppGroupStore::SectionOf(int index) const {
    if (index < 0) return std::string();
    if (index < kFixedGroupCount) return kFixedGroups[index].section;
    const std::vector<std::string> user = UserGroups();
    const auto at = static_cast<size_t>(index - kFixedGroupCount);
    return at < user.size() ? UserSection(user[at]) : std::string();
}

std::vector<TAppEntry> TAppGroupStore::Programs(const std::string& section) const {
    std::vector<TAppEntry> entries;
    if (section.empty()) return entries;
    for (auto& kv : ini_.ReadEntries(section)) entries.push_back({kv.first, kv.second});
    return entries;
}

std::string TAppGroupStore::PathOf(const std::string& section, const std::string& name) const {
    return section.empty() ? std::string() : ini_.ReadString(section, name, "");
}

AppEdit TAppGroupStore::CheckName(const std::string& name, bool group) const {
    const IniNameFault fault = CheckIniName(name, isLead_);
    if (fault == IniNameFault::Empty) return AppEdit::Unchanged;
    if (fault != IniNameFault::None) return AppEdit::Unstorable;
    if (group && IsOwnSection(name)) return AppEdit::OwnSection;
    return AppEdit::Done;
}

AppEdit TAppGroupStore::AddProgram(const std::string& section, const std::string& path) {
    if (section.empty()) return AppEdit::Unchanged;
    const std::string name = NameAfterLastBackslash(path, isLead_);
    const AppEdit check = CheckName(name, false);
    if (check == AppEdit::Done) ini_.WriteString(section, name, path);
    return check;
}

AppEdit TAppGroupStore::FileFoundProgram(const std::string& section, const std::string& name,
                                         const std::string& path) {
    if (section.empty()) return AppEdit::Unchanged;
    const AppEdit check = CheckName(name, false);
    if (check == AppEdit::Done) ini_.WriteString(section, name, path);
    return check;
}

void TAppGroupStore::DeleteProgram(const std::string& section, const std::string& name) {
    if (!section.empty()) ini_.DeleteKey(section, name);
}

AppEdit TAppGroupStore::RenameProgram(const std::string& section, const std::string& oldName,
                                      const std::string& newName) {
    if (section.empty() || SameTextAscii(oldName, newName)) return AppEdit::Unchanged;
    const AppEdit check = CheckName(newName, false);
    if (check != AppEdit::Done) return check;
    const std::string path = ini_.ReadString(section, oldName, "");
    if (path.empty()) return AppEdit::Unchanged;
    ini_.WriteString(section, newName, path);
    ini_.DeleteKey(section, oldName);
    return AppEdit::Done;
}

bool TAppGroupStore::MoveProgram(const std::string& from, const std::string& to, const std::string& name) {
    if (from.empty() || to.empty() || SameTextAscii(from, to)) return false;
    const std::string path = ini_.ReadString(from, name, "");
    if (path.empty()) return false;
    ini_.WriteString(to, name, path);
    ini_.DeleteKey(from, name);
    return true;
}

void TAppGroupStore::MarkStarted(const std::string& section, const std::string& name, const std::string& path) {
    if (section.empty()) return;
    ini_.DeleteKey(section, name);
    ini_.WriteString(section, name, path);
}

AppEdit TAppGroupStore::NewGroup(const std::string& name) {
    const AppEdit check = CheckName(name, true);
    if (check == AppEdit::Done) ini_.WriteString(kUserGroupsSection, name, "");
    return check;
}

void TAppGroupStore::DeleteGroup(const std::string& name) {
    ini_.DeleteKey(kUserGroupsSection, name);
    if (!UserSection(name).empty()) ini_.EraseSection(name);
}

AppEdit TAppGroupStore::RenameGroup(const std::string& oldName, const std::string& newName) {
    if (SameTextAscii(oldName, newName)) return AppEdit::Unchanged;
    const AppEdit check = CheckName(newName, true);
    if (check != AppEdit::Done) return check;
    ini_.DeleteKey(kUserGroupsSection, oldName);
    ini_.WriteString(kUserGroupsSection, newName, "");
    const std::string oldSection = UserSection(oldName);
    for (const TAppEntry& e : Programs(oldSection)) ini_.WriteString(newName, e.name, e.path);
    if (!oldSection.empty()) ini_.EraseSection(oldSection);
    return AppEdit::Done;
}

TGroupFill TAppGroupStore::FillGroup(const std::string& section,
                                     const std::function<bool(const std::string&)>& exists) {
    TGroupFill fill;
    for (const TAppEntry& e : Programs(section)) {
        fill.hadKeys = true;
        if (exists(e.path))
            fill.programs.push_back(e);
        else
            ini_.DeleteKey(section, e.name);
    }
    return fill;
}

bool IsListableAssociation(const std::string& program, const std::vector<std::string>& listed,
                           LeadBytePredicate isLead) {
    if (program.empty() || UpperCaseAscii(NameAfterLastBackslash(program, isLead)) == "RUNDLL32.EXE") return false;
    for (const std::string& p : listed)
        if (p == program) return false;
    return true;
}

}  // namespace bar
