// The registry script the bar imports at every start. "inst.reg" beside the
// program names the folder the suite was built for; run from anywhere else,
// the bar imports a copy that names its own folder instead, written to the
// temporary folder (the script beside the program is never rewritten) and
// removed once regedit has read it.
#pragma once
#include <windows.h>

#include <string>

#include "framework/win32/ScopedHandle.h"

namespace bar {

class TRegScript {
public:
    // `programFolder` ends with a backslash; `builtInFolder` is the folder the
    // script beside it was made for.
    TRegScript(const std::string& programFolder, const std::string& builtInFolder);
    // Gives regedit a moment to finish with the copy, then removes it.
    ~TRegScript();
    TRegScript(const TRegScript&) = delete;
    TRegScript& operator=(const TRegScript&) = delete;

    // The script to hand to regedit.
    const std::string& Path() const { return path_; }
    // The regedit process that reads Path(); owned from here on.
    void Importing(HANDLE process);
    // Removes the copy once that process has ended; true when nothing is
    // left to wait for.
    bool Finished();

private:
    std::string path_;
    bool copy_ = false;
    ScopedKernelObject process_;
};

}  // namespace bar
