// Shell and registry routines of the bar.
#pragma once
#include <string>

#include "framework/core/ComPtr.h"
#include "main/components/core/ExeFromCmdLine.h"
#include "framework/forms/Graphics.h"
#include "framework/core/StringList.h"

struct IShellLinkA;
struct IPersistFile;

namespace components {

// A named folder of Explorer's "Shell Folders" key, created when missing.
// An empty stored path raises "Unable to create directory".
std::string GetShellFolder(const std::string& Name);
// The target of a shortcut file; "" when it cannot be loaded or has no path.
std::string GetLinkTarget(const std::string& LinkFile);

// Reads the targets of many shortcuts with one shell link object: making the
// object costs more than reading a shortcut with it. Target answers exactly
// as GetLinkTarget, and raises as it does when no object can be made.
class TShortcutReader {
public:
    TShortcutReader();
    ~TShortcutReader();
    TShortcutReader(const TShortcutReader&) = delete;
    TShortcutReader& operator=(const TShortcutReader&) = delete;
    std::string Target(const std::string& LinkFile);

private:
    void Open();
    ComPtr<IShellLinkA> link_;
    ComPtr<IPersistFile> file_;
};

// Draws the shell's icon of a file at (0, 0) of the bitmap, 16 or 32 pixels.
void DrawFileIcon(const std::string& FileName, TBitmap& Bitmap, bool Small);
// Removes entries that name neither a file nor a folder; when any went and
// ListFile is not empty, saves the list beside the program under that name.
bool PruneMissingPaths(TStringList& List, const std::string& ListFile);
// Description of the first driver of a device class, "" when unknown.
std::string GetDriverDesc(const std::string& ClassName);

}  // namespace components
