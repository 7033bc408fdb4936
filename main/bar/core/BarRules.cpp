#include "main/bar/core/BarRules.h"

#include "framework/core/StrUtils.h"

namespace bar {

namespace {
std::string FileNamePart(const std::string& path) {
    const size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
}  // namespace

std::string RootDirFromExe(const std::string& exePath) {
    const size_t slash = exePath.find_last_of("\\:");
    if (slash == std::string::npos) return "";
    std::string dir = exePath.substr(0, slash + 1);
    // "C:\" stays a root; "C:\x\" loses its backslash.
    if (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
    return dir;
}

std::vector<std::string> RegistrationCommands(const std::string& programFolder, const std::string& regScript) {
    return {
        "regedit /s \"" + regScript + "\"",
        "regsvr32 /s \"" + programFolder + "Norquil.dll\"",
        "regsvr32 /s \"" + programFolder + "Kestiv.dll\"",
        "regsvr32 /s \"" + programFolder + "Tavlin.dll\"",
    };
}

std::string RegScriptString(const std::string& text, LeadByteTest isLead) {
    // A double-byte character is copied whole, even when its second byte is
    // 0x5C (as in the CP932 "\x83\x5C"): regedit on the NT family, and Wine's,
    // turns each line of a REGEDIT4 script into Unicode with the ANSI code
    // page before it reads escapes, so that byte is never a backslash to it,
    // and doubling it would add a stray one after the character. A reader
    // that went byte by byte would see an escape there instead; the folder
    // part is always followed by an escaped separator, so even then the
    // string ends where it should and only that path comes out wrong.
    std::string out;
    out.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (isLead(static_cast<unsigned char>(c)) && i + 1 < text.size()) {
            out += c;
            out += text[++i];
            continue;
        }
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out;
}

std::string RegScriptForFolder(const std::string& script, const std::string& builtInFolder,
                               const std::string& programFolder, LeadByteTest isLead) {
    if (builtInFolder.empty()) return script;
    // Only at the start of a string, and only before a separator: "C:\Mivora"
    // must not claim "D:\C:\Mivora\x" or "C:\Mivora2\x".
    const std::string from = "\"" + RegScriptString(IncludeTrailingBackslash(builtInFolder), isLead);
    const std::string to = "\"" + RegScriptString(programFolder, isLead);
    std::string out;
    size_t start = 0;
    for (size_t at = script.find(from); at != std::string::npos; at = script.find(from, start)) {
        out.append(script, start, at - start);
        out += to;
        start = at + from.size();
    }
    out.append(script, start, std::string::npos);
    return out;
}

std::string FixMailClientPath(const std::string& path, const std::string& windowsFolder) {
    if (path.empty() || path[0] != '%') return path;
    return windowsFolder.substr(0, 2) + "\\PROGRAM FILES\\OUTLOOK EXPRESS\\MSIMN.EXE";
}

bool IsOutlookExpress(const std::string& path) { return LowerCaseAscii(FileNamePart(path)) == "msimn.exe"; }

bool IsInternetExplorer(const std::string& path) { return LowerCaseAscii(FileNamePart(path)) == "iexplore.exe"; }

std::string QuoteCommandPath(const std::string& path) {
    if (path.find(' ') == std::string::npos) return path;
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') return path;
    return "\"" + path + "\"";
}

BarPoint SplashOrigin(int screenWidth, int screenHeight) {
    return BarPoint{(screenWidth - kSplashWidth) / 2, (screenHeight - kSplashHeight) / 2 - 100};
}

BarPoint ClampAfterMove(int left, int top, int clientWidth, int clientHeight, int screenWidth, int screenHeight) {
    if (screenWidth < clientWidth + left) left = screenWidth - clientWidth;
    if (left < 0) left = 0;
    if (screenHeight < clientHeight + top) top = screenHeight - clientHeight;
    return BarPoint{left, top};
}

bool ShouldCollapse(int openMenuKind, int cursorX, int cursorY, int left, int top, int width, int height) {
    if (openMenuKind != 0) return false;
    const bool inside = cursorX >= left && cursorX < left + width && cursorY >= top && cursorY < top + height;
    return !inside;
}

int ButtonPlaceAt(int cursorX, int barLeft, int gripWidth, int clientHeight) {
    const int distance = cursorX - barLeft - gripWidth;
    // Over the grip the truncating division would give place 0, and a click
    // synthesized there would start dragging the bar.
    if (clientHeight <= 0 || distance < 0) return -1;
    return distance / clientHeight;
}

bool ShouldSwitchMenu(int place, int openMenuButton) { return place >= 0 && place <= 12 && place != openMenuButton; }

int WinVersionCodeFor(unsigned platformId, unsigned major, unsigned minor, unsigned build, const std::string& csd) {
    switch (platformId) {
        case 0:  // Win32s
            return 1;
        case 1:  // Windows 95, 98
            if (major == 4 && minor == 0) return build <= 1000 ? 2 : 3;
            if (major == 4 && minor == 10) return build <= 2000 ? 4 : 5;
            return 0;
        case 2:  // Windows NT
            if (major < 4) return 6;
            if (major == 4) {
                if (csd == "Service Pack 4") return 9;
                if (csd == "Service Pack 3") return 8;
                return 7;
            }
            if (major == 5) return 10;
            return 0;
        default:
            return 0;
    }
}

bool IniBoolValue(int value) { return value != 0; }

}  // namespace bar
