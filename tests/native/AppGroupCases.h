// The table of application-group edits, run natively over the in-memory INI
// and under Wine over the profile functions on a real file: both runs must
// end with the same bytes. Each edit is a statement of its own, so the edits
// run in the same order whichever compiler builds the table.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "main/bar/core/AppGroups.h"

struct AppGroupCase {
    const char* name;
    const char* before;
    // What the edits answered, as text.
    std::function<std::string(bar::TAppGroupStore&)> run;
    const char* answers;
    const char* after;
};

inline std::string EditName(bar::AppEdit e) {
    switch (e) {
    case bar::AppEdit::Done: return "done ";
    case bar::AppEdit::Unchanged: return "same ";
    case bar::AppEdit::Unstorable: return "unstorable ";
    case bar::AppEdit::OwnSection: return "own ";
    }
    return "? ";
}

inline std::string EntryNames(const std::vector<bar::TAppEntry>& entries) {
    std::string out;
    for (const bar::TAppEntry& e : entries) out += e.name + ",";
    return out;
}

// Files whose path names them "gone" do not exist.
inline bool CaseFileExists(const std::string& path) { return path.find("gone") == std::string::npos; }

inline std::vector<AppGroupCase> AppGroupCases() {
    using S = bar::TAppGroupStore;
    return {
        {"SecondProgramOfOneNameReplacesTheFirst", "",
         [](S& s) {
             std::string r = EditName(s.AddProgram("appDoc", "c:\\a\\tool.exe"));
             return r + EditName(s.AddProgram("appDoc", "d:\\b\\tool.exe"));
         },
         "done done ", "[appDoc]\r\ntool.exe=d:\\b\\tool.exe\r\n"},
        {"FoundProgramsGoUnderTheirDisplayNameAndTheLastPathWins", "[appGame]\r\nMines=c:\\old\\m.exe\r\n",
         [](S& s) {
             std::string r = EditName(s.FileFoundProgram("appGame", "Mines", "d:\\m.exe"));
             r += EditName(s.FileFoundProgram("appGame", "Chess Game", "c:\\g\\chess.exe"));
             return r + EditName(s.FileFoundProgram("appGame", "a=b", "c:\\x.exe"));
         },
         "done done unstorable ", "[appGame]\r\nMines=d:\\m.exe\r\nChess Game=c:\\g\\chess.exe\r\n"},
        {"RenameInLetterCaseOnlyChangesNothing", "[appNet]\r\nweb.exe=c:\\w\\web.exe\r\n",
         [](S& s) {
             std::string r = EditName(s.RenameProgram("appNet", "web.exe", "WEB.EXE"));
             r += EditName(s.RenameProgram("appNet", "web.exe", ""));
             return r + EditName(s.RenameProgram("appNet", "nothere.exe", "x"));
         },
         "same same same ", "[appNet]\r\nweb.exe=c:\\w\\web.exe\r\n"},
        {"RenameOntoAnotherProgramReplacesIt", "[appNet]\r\nb=c:\\b.exe\r\na=c:\\a.exe\r\n",
         [](S& s) { return EditName(s.RenameProgram("appNet", "a", "B")); }, "done ", "[appNet]\r\nb=c:\\a.exe\r\n"},
        {"RenamedGroupMovesToTheEndWithItsPrograms",
         "[User]\r\nNet2=\r\nGames2=\r\n[Net2]\r\nftp.exe=c:\\ftp.exe\r\nirc.exe=c:\\irc.exe\r\n",
         [](S& s) {
             std::string r = EditName(s.RenameGroup("Net2", "Web"));
             r += EditName(s.RenameGroup("Web", "WEB"));
             return r + EntryNames(s.Programs(s.SectionOf(10)));
         },
         "done same ftp.exe,irc.exe,",
         "[User]\r\nGames2=\r\nWeb=\r\n[Web]\r\nftp.exe=c:\\ftp.exe\r\nirc.exe=c:\\irc.exe\r\n"},
        {"DeletedGroupTakesItsSection", "[User]\r\nNet2=\r\nWeb=\r\n[Net2]\r\nftp.exe=c:\\ftp.exe\r\n[Web]\r\n",
         [](S& s) { s.DeleteGroup("net2"); return std::string(); }, "", "[User]\r\nWeb=\r\n[Web]\r\n"},
        {"NewGroupsGoToTheEndOfTheUserSection", "[User]\r\nNet2=\r\n",
         [](S& s) {
             std::string r = EditName(s.NewGroup("Tools & more"));
             r += EditName(s.NewGroup(""));
             return r + std::to_string(s.GroupNames().size()) + " " + s.GroupNames().back();
         },
         "done same 11 Tools & more", "[User]\r\nNet2=\r\nTools & more=\r\n"},
        {"MoveTakesTheProgramToTheOtherGroup", "[appDoc]\r\ned.exe=c:\\ed.exe\r\n[appMisc]\r\nx.exe=c:\\x.exe\r\n",
         [](S& s) {
             std::string r = std::to_string(s.MoveProgram("appDoc", "appMisc", "ed.exe"));
             return r + std::to_string(s.MoveProgram("appDoc", "appMisc", "ed.exe"));
         },
         "10", "[appDoc]\r\n[appMisc]\r\nx.exe=c:\\x.exe\r\ned.exe=c:\\ed.exe\r\n"},
        {"MoveBetweenGroupsSharingASectionLosesNothing",
         "[User]\r\nAPPDOC=\r\nWeb=\r\n[appDoc]\r\ned.exe=c:\\ed.exe\r\n",
         [](S& s) {
             std::string r = std::to_string(s.MoveProgram("appDoc", s.SectionOf(9), "ed.exe"));
             return r + std::to_string(s.MoveProgram(s.SectionOf(10), s.SectionOf(10), "ed.exe"));
         },
         "00", "[User]\r\nAPPDOC=\r\nWeb=\r\n[appDoc]\r\ned.exe=c:\\ed.exe\r\n"},
        {"NamesThatBreakTheFileOrTakeOwnSectionsAreRefused", "[User]\r\nNet2=\r\n[Net2]\r\na.exe=c:\\a.exe\r\n",
         [](S& s) {
             std::string r;
             for (const char* name : {"ToolBar", "user", "Quick Start", "a]b", "[x", ";x", "a=b", " x", "x\ty", "-"})
                 r += EditName(s.NewGroup(name));
             r += "| " + EditName(s.RenameGroup("Net2", "record"));
             r += EditName(s.RenameGroup("Net2", "n\r\n2"));
             r += EditName(s.RenameProgram("Net2", "a.exe", "a=b"));
             r += EditName(s.AddProgram("Net2", "c:\\odd\\x=y.exe"));
             return r + EditName(s.AddProgram("Net2", "c:\\odd\\;semi.exe"));
         },
         "own own own unstorable unstorable unstorable unstorable unstorable unstorable unstorable | "
         "own unstorable unstorable unstorable unstorable ",
         "[User]\r\nNet2=\r\n[Net2]\r\na.exe=c:\\a.exe\r\n"},
        {"GroupNamedLikeOwnSettingsNeverShowsOrLosesThem",
         "[User]\r\nToolBar=\r\n[ToolBar]\r\nTop=1\r\nLeft=300\r\n",
         [](S& s) {
             const std::string section = s.SectionOf(9);
             const bar::TGroupFill fill = s.FillGroup(section, [](const std::string&) { return false; });
             std::string r = "[" + section + "]" + EntryNames(s.Programs(section)) + std::to_string(fill.hadKeys);
             r += EditName(s.AddProgram(section, "c:\\a.exe"));
             s.DeleteGroup("ToolBar");
             return r;
         },
         "[]0same ", "[User]\r\n[ToolBar]\r\nTop=1\r\nLeft=300\r\n"},
        {"MenuFillDropsProgramsWhoseFileIsGone",
         "[appDoc]\r\na.exe=c:\\a.exe\r\nd.exe=c:\\gone\\d.exe\r\nc.exe=c:\\c.exe\r\n[appGame]\r\nx=c:\\gone\\x\r\n",
         [](S& s) {
             const bar::TGroupFill doc = s.FillGroup("appDoc", CaseFileExists);
             const bar::TGroupFill game = s.FillGroup("appGame", CaseFileExists);
             const bar::TGroupFill again = s.FillGroup("appGame", CaseFileExists);
             return EntryNames(doc.programs) + std::to_string(doc.hadKeys) + std::to_string(game.hadKeys) +
                    std::to_string(again.hadKeys);
         },
         "a.exe,c.exe,110", "[appDoc]\r\na.exe=c:\\a.exe\r\nc.exe=c:\\c.exe\r\n[appGame]\r\n"},
        {"StartedProgramMovesToTheEndOfItsSection", "[appDoc]\r\na=c:\\a.exe\r\nb=c:\\b.exe\r\nc=c:\\c.exe\r\n",
         [](S& s) { s.MarkStarted("appDoc", "B", "c:\\b.exe"); return EntryNames(s.Programs("appDoc")); },
         "a,c,B,", "[appDoc]\r\na=c:\\a.exe\r\nc=c:\\c.exe\r\nB=c:\\b.exe\r\n"},
    };
}
