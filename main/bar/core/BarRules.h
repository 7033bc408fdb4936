// Platform-free rules of the launch bar's start-up, window life cycle and
// launch buttons: paths and command lines, the splash and collapse geometry,
// the version code, and the arithmetic of moving between bar menus.
#pragma once
#include <string>
#include <vector>

namespace bar {

// The program folder as stored in the registry: the executable's folder
// without its trailing backslash, except that a drive root keeps it ("C:\").
std::string RootDirFromExe(const std::string& exePath);

// The four registration command lines run at every start, in order: the
// registry script `regScript`, then the context-menu, copy-hook and info-tip
// servers. `programFolder` ends with a backslash.
std::vector<std::string> RegistrationCommands(const std::string& programFolder, const std::string& regScript);

// Which bytes of the ANSI code page lead a double-byte character.
using LeadByteTest = bool (*)(unsigned char byte);

// Text as it is spelled inside a string of a REGEDIT4 script: each backslash
// and double quote escaped with a backslash.
std::string RegScriptString(const std::string& text, LeadByteTest isLead);

// The registry script `script`, built for the folder `builtInFolder`, as it
// must read for a program in `programFolder` (ending with a backslash): every
// string that starts with the built-in folder starts with the program folder
// instead. A script that names another folder comes back unchanged.
std::string RegScriptForFolder(const std::string& script, const std::string& builtInFolder,
                               const std::string& programFolder, LeadByteTest isLead);

// A mail-client path that starts with "%" (an unexpanded variable) becomes
// the Windows drive's Outlook Express; any other path, the empty one too, stays.
std::string FixMailClientPath(const std::string& path, const std::string& windowsFolder);
// Lower-cased file-name tests that pick the program buttons' hints.
bool IsOutlookExpress(const std::string& path);
bool IsInternetExplorer(const std::string& path);

// A program path as a command line: quoted when it holds a blank, so that the
// system cannot start "C:\Program.exe" instead; "" stays "".
std::string QuoteCommandPath(const std::string& path);

struct BarPoint {
    int x = 0, y = 0;
};

// Top-left corner of the 328 by 82 splash: centred across, 100 pixels above
// the middle (division truncating toward zero).
constexpr int kSplashWidth = 328;
constexpr int kSplashHeight = 82;
BarPoint SplashOrigin(int screenWidth, int screenHeight);

// The position a bar moved by its grip ends at, kept on the screen by three
// rules applied in order: right edge, left edge, bottom edge.
BarPoint ClampAfterMove(int left, int top, int clientWidth, int clientHeight, int screenWidth, int screenHeight);

// Whether the collapse timer folds the bar: no bar menu is open and the
// cursor is outside the bar's bounds (Left..Left+Width, Top..Top+Height).
bool ShouldCollapse(int openMenuKind, int cursorX, int cursorY, int left, int top, int width, int height);

// The button place under the cursor while a bar menu is open:
// (x - bar left - grip width) div client height; -1 over the grip.
int ButtonPlaceAt(int cursorX, int barLeft, int gripWidth, int clientHeight);
// Whether that place opens another button's menu: a place of the bar's row
// (0 to 12) other than the one whose menu is open.
bool ShouldSwitchMenu(int place, int openMenuButton);

// Windows version code 0..10 from what GetVersionEx reports (platform id
// 0 Win32s, 1 Windows 9x, 2 NT). The build field is the whole 32-bit value.
int WinVersionCodeFor(unsigned platformId, unsigned major, unsigned minor, unsigned build, const std::string& csd);

// Booleans of the settings file: any whole number other than 0 is true.
bool IniBoolValue(int value);

}  // namespace bar
