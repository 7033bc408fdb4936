#include "archive/PackRun.h"

#include <cstdio>
#include <cstring>

#include "archive/Archivers.h"
#include "framework/core/FilePtr.h"
#include "framework/core/TempFolder.h"
#include "framework/dialogs/Text.h"

namespace archive {

namespace {

// The list file in the temporary folder ("~HV" names), gone with the object.
class ListFile {
public:
    ~ListFile() {
        if (!name_.empty()) DeleteFileA(name_.c_str());
    }
    bool Write(const std::string& text) {
        const std::string folder = TempFolder();
        // The call writes at most MAX_PATH characters, by its contract.
        std::string name(MAX_PATH, '\0');
        if (folder.empty() || !GetTempFileNameA(folder.c_str(), "~HV", 0, &name[0])) return false;
        name.resize(std::strlen(name.c_str()));
        name_ = name;
        FilePtr f(std::fopen(name_.c_str(), "wb"));
        if (!f) return false;
        const bool written = std::fwrite(text.data(), 1, text.size(), f.get()) == text.size();
        return std::fclose(f.release()) == 0 && written;
    }
    const std::string& Name() const { return name_; }

private:
    std::string name_;
};

bool Tell(HWND owner, const std::string& text, const std::string& caption) {
    MessageBoxA(owner, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
    return false;
}

}  // namespace

std::vector<PackItem> PackItemsOf(const std::vector<std::string>& paths) {
    std::vector<PackItem> items;
    for (const std::string& path : paths) {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        items.push_back({path, attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)});
    }
    return items;
}

bool RunPack(HWND owner, const PackRequest& request, const std::string& caption, std::string& made) {
    ListFile list;
    const bool needsList = request.format != PackFormat::Zip;
    if (needsList && !list.Write(ListFileText(request.items, request.baseFolder, SystemLeadByte)))
        return Tell(owner, "The list of files to pack can't be written in the temporary folder.", caption);
    const PackPlan plan = PlanPack(request, list.Name(), SystemLeadByte);
    const bool earlier = FileThere(plan.archive);
    ArchiverOutcome outcome;
    switch (request.format) {
        case PackFormat::Lzh:
            outcome = CallArchiver(Archiver::Unlha, owner, plan.command);
            break;
        case PackFormat::Tar:
            outcome = CallArchiver(Archiver::Tar, owner, plan.command);
            break;
        case PackFormat::Zip:
            outcome = RunZip(plan.command);
            break;
    }
    if (!outcome.ok)
        return Tell(owner,
                    plan.archive + (earlier ? "\nThe archive was left as it was.\n" : "\nThe archive was not made.\n") +
                        outcome.failure,
                    caption);
    if (!FileThere(plan.archive))
        return Tell(owner, plan.archive + "\nThe archiver ended without making this archive.", caption);
    made = plan.archive;
    if (plan.selfExtractor.empty()) return true;

    if (request.format == PackFormat::Lzh) {
        outcome = CallArchiver(Archiver::Unlha, owner, plan.selfExtractCommand);
        if (outcome.ok && !FileThere(plan.selfExtractor))
            outcome = ArchiverOutcome{false, "The archiver ended without making it."};
    } else {
        outcome = MakeZipSelfExtractor(plan.archive, plan.selfExtractor);
    }
    if (!outcome.ok)
        return Tell(owner,
                    plan.selfExtractor + "\nThe self-extractor was not made; the archive " + plan.archive +
                        " is kept.\n" + outcome.failure,
                    caption);
    // The archive lives on inside the self-extractor.
    DeleteFileA(plan.archive.c_str());
    made = plan.selfExtractor;
    return true;
}

}  // namespace archive
