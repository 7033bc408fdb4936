// The application groups of the settings file: nine fixed groups, each in a
// section of its own, and the user's groups, named by the keys of [User] and
// each kept in the section of its name. In a group's section a program is a
// key (its display name) with its path as value. The application menu, the
// group editor and the software search all go through this one store.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "framework/core/IniText.h"
#include "framework/core/LeadBytes.h"

namespace bar {

constexpr int kFixedGroupCount = 9;
struct TFixedGroup {
    const char* section;
    const char* caption;
};
// In the order of the editor's group list and of the application menu.
extern const TFixedGroup kFixedGroups[kFixedGroupCount];
constexpr char kUserGroupsSection[] = "User";

// A section the program keeps its own settings in, which no group may use.
bool IsOwnSection(const std::string& name);

struct TAppEntry {
    std::string name;
    std::string path;
};
bool operator==(const TAppEntry& a, const TAppEntry& b);

// What became of an edit. A name that is empty or only differs from the old
// one in letter case leaves everything as it was, without a word; the others
// that change nothing are refusals the user is told about.
enum class AppEdit {
    Done,
    Unchanged,
    Unstorable,  // the name would not come back from the file as typed
    OwnSection,  // the group would share a section with the program's settings
};
// The message for a refusal, "" for the others.
std::string AppEditText(AppEdit result, const std::string& name);

// What the application menu shows of a group: the programs whose files exist,
// in section order, and whether the section held any key at all.
struct TGroupFill {
    std::vector<TAppEntry> programs;
    bool hadKeys = false;
};

class TAppGroupStore {
public:
    TAppGroupStore(TProfile& ini, LeadBytePredicate isLead) : ini_(ini), isLead_(isLead) {}

    // The user's groups, in the order they were made.
    std::vector<std::string> UserGroups() const;
    // The nine fixed captions followed by the user's groups.
    std::vector<std::string> GroupNames() const;
    // The section of the user group `name`; "" for a group named like one of
    // the program's own sections, which then shows nothing and keeps nothing.
    static std::string UserSection(const std::string& name);
    // The section of entry `index` of GroupNames ("" when out of range).
    std::string SectionOf(int index) const;

    std::vector<TAppEntry> Programs(const std::string& section) const;
    std::string PathOf(const std::string& section, const std::string& name) const;

    // The program is filed under its file name; one of that name is replaced.
    AppEdit AddProgram(const std::string& section, const std::string& path);
    void DeleteProgram(const std::string& section, const std::string& name);
    // A new name that another program of the group has replaces that entry.
    AppEdit RenameProgram(const std::string& section, const std::string& oldName, const std::string& newName);
    // False, with nothing changed, when both groups keep their programs in one
    // section: writing and then deleting there would lose the program.
    bool MoveProgram(const std::string& from, const std::string& to, const std::string& name);
    // The software search files a program it found under its display name,
    // replacing one of that name.
    AppEdit FileFoundProgram(const std::string& section, const std::string& name, const std::string& path);
    // Files the program again at the end of its section, which the menu shows first.
    void MarkStarted(const std::string& section, const std::string& name, const std::string& path);

    AppEdit NewGroup(const std::string& name);
    void DeleteGroup(const std::string& name);
    AppEdit RenameGroup(const std::string& oldName, const std::string& newName);

    // The menu's view of a section; keys whose file is gone are deleted.
    TGroupFill FillGroup(const std::string& section, const std::function<bool(const std::string&)>& exists);

private:
    AppEdit CheckName(const std::string& name, bool group) const;
    TProfile& ini_;
    LeadBytePredicate isLead_;
};

// Whether a program that a file type opens joins the associated programs: it
// is named, not listed yet (same text), and not the control-panel runner.
bool IsListableAssociation(const std::string& program, const std::vector<std::string>& listed,
                           LeadBytePredicate isLead);

}  // namespace bar
