#include "main/bar/RegScript.h"

#include "main/bar/core/BarRules.h"
#include "main/bar/InfoTipText.h"
#include "framework/win32/LeadByte.h"
#include "framework/core/TempFolder.h"

namespace bar {

namespace {

// Far more than any registry script of ours holds.
constexpr std::uint64_t kMaxScript = 16 << 20;

// The script's bytes; "" when it can't be read. Read with the system's file
// calls: the C++ library's file streams would import runtime functions the
// oldest systems' runtime lacks, and the bar would not start there at all.
std::string ReadScript(const std::string& path) {
    const ScopedFile file = OpenSharedRead(path);
    if (!file) return "";
    FileByteSource source(file);
    // Anything larger is no script of ours: regedit is handed it unchanged.
    if (source.Size() > kMaxScript) return "";
    std::string text(static_cast<size_t>(source.Size()), '\0');
    text.resize(source.ReadAt(0, &text[0], text.size()));
    return text;
}

// Writes `text` to a new file in the temporary folder; "" when it can't be
// written whole. A name already there is someone else's and is left alone.
std::string WriteTempScript(const std::string& text) {
    const std::string folder = TempFolder();
    if (folder.empty()) return "";
    for (unsigned n = 1; n <= 100; ++n) {
        const std::string path = folder + "MivoraInst" + std::to_string(GetCurrentProcessId()) + "_" +
                                 std::to_string(n) + ".reg";
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS) continue;
            return "";
        }
        DWORD written = 0;
        const bool ok = WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                        written == text.size();
        if (CloseHandle(h) && ok) return path;
        DeleteFileA(path.c_str());
        return "";
    }
    return "";
}

}  // namespace

TRegScript::TRegScript(const std::string& programFolder, const std::string& builtInFolder)
    : path_(programFolder + "inst.reg") {
    const std::string script = ReadScript(path_);
    if (script.empty()) return;
    const std::string own = RegScriptForFolder(script, builtInFolder, programFolder, SystemLeadByte);
    if (own == script) return;
    // A copy that can't be written leaves the script beside the program, as
    // every registration step is unchecked.
    const std::string copy = WriteTempScript(own);
    if (copy.empty()) return;
    path_ = copy;
    copy_ = true;
}

TRegScript::~TRegScript() {
    if (process_) WaitForSingleObject(process_.Get(), 2000);
    if (copy_) DeleteFileA(path_.c_str());
}

void TRegScript::Importing(HANDLE process) { process_.Reset(process); }

bool TRegScript::Finished() {
    if (!copy_) return true;
    if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) return false;
    DeleteFileA(path_.c_str());
    copy_ = false;
    return true;
}

}  // namespace bar
