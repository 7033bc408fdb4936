#include "BarRules.h"

#include "StrUtils.h"

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

std::vector<std::string> RegistrationCommands(const std::string& programFolder) {
    return {
        "regedit /s \"" + programFolder + "inst.reg\"",
        "regsvr32 /s \"" + programFolder + "Norquil.dll\"",
        "regsvr32 /s \"" + programFolder + "Kestiv.dll\"",
        "regsvr32 /s \"" + programFolder + "Tavlin.dll\"",
    };
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
