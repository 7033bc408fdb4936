#include "archive/core/ArchiveCommandLines.h"

#include "framework/core/MbcsPath.h"
#include "framework/core/StrUtils.h"

namespace archive {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

bool EndsWithBackslash(const std::string& path, LeadBytePredicate isLead) {
    return !path.empty() && LastCharPos(path, '\\', isLead) == path.size() - 1;
}

// Quoted for a program that splits its command line by the C runtime's
// rules: backslashes right before the closing quote are doubled, or the quote
// would count as escaped ("C:\data\" would swallow the next argument). The
// runtime steps over double-byte characters as this does.
std::string CrtQuoted(const std::string& text, LeadBytePredicate isLead) {
    std::size_t trailing = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
            ++i;
            trailing = 0;
        } else {
            trailing = text[i] == '\\' ? trailing + 1 : 0;
        }
    }
    return "\"" + text + std::string(trailing, '\\') + "\"";
}

// A search-results selection spans folders: only items under the base
// folder are written relative to it, so no other item loses part of its name.
std::string ListName(const std::string& path, const std::string& base, LeadBytePredicate isLead) {
    if (base.empty() || path.size() <= base.size()) return path;
    const std::string head = path.substr(0, base.size());
    return LowerAsciiMbcs(head, isLead) == LowerAsciiMbcs(base, isLead) ? path.substr(base.size()) : path;
}

}  // namespace

std::string ArchiveStem(const std::string& firstItem, LeadBytePredicate isLead) {
    return CutExtension(firstItem, isLead);
}

std::string BaseFolderOf(const std::string& archiveStem, LeadBytePredicate isLead) {
    return FolderWithBackslash(archiveStem, isLead);
}

std::string ListFileText(const std::vector<PackItem>& items, const std::string& baseFolder, LeadBytePredicate isLead) {
    std::string text;
    for (const PackItem& item : items) {
        text += ListName(item.path, baseFolder, isLead);
        if (item.folder) text += EndsWithBackslash(item.path, isLead) ? "*.*" : "\\*.*";
        text += "\r\n";
    }
    return text;
}

char LzhMethodDigit(int compatibility) {
    if (compatibility == 0) return '0';
    // A value no radio button stands for (an edited profile) packs as the default.
    return compatibility >= 1 && compatibility <= 3 ? static_cast<char>('1' + compatibility) : '2';
}

std::string LzhPackCommand(const LzhPackOptions& options, const std::string& archive, const std::string& baseFolder,
                           const std::string& listFile) {
    std::string command = options.move ? "m " : "u ";
    if (options.overwrite == 0) command += "-c ";
    if (options.shortNames) command += " -ji ";
    command += " -a1 -gn2 -jp1 -+ -rx -jm";
    command += LzhMethodDigit(options.compatibility);
    return command + " " + Quoted(archive) + " " + Quoted(baseFolder) + " " + Quoted("@" + listFile);
}

std::string LzhSelfExtractCommand(const std::string& lzhArchive, const std::string& folder) {
    return "s -gw -x1 " + Quoted(lzhArchive) + " " + Quoted(folder) + " ";
}

const char* TarExtension(bool gzip) { return gzip ? ".tgz" : ".tar"; }

std::string TarPackCommand(const TarPackOptions& options, const std::string& archiveStem, const std::string& baseFolder,
                           const std::string& listFile) {
    std::string command = options.useDirectory ? "-c" : "--use-directory=0 -c";
    if (options.gzip)
        command += options.priority != 0 ? "z9 -f " : "z1 -f ";
    else
        command += "f ";
    command += Quoted(archiveStem + TarExtension(options.gzip));
    if (!baseFolder.empty()) command += " -o " + Quoted(baseFolder);
    return command + " " + Quoted("@" + listFile);
}

std::string ZipPackCommand(bool junkPaths, const std::string& archive, const std::vector<PackItem>& items,
                           LeadBytePredicate isLead) {
    std::string command = junkPaths ? "zip -r -j " : "zip -r ";
    command += " " + CrtQuoted(archive, isLead) + " ";
    for (const PackItem& item : items) {
        const std::string name = item.folder ? item.path + (EndsWithBackslash(item.path, isLead) ? "*.*" : "\\*.*") : item.path;
        command += " " + CrtQuoted(name, isLead) + " ";
    }
    return command;
}

PackPlan PlanPack(const PackRequest& request, const std::string& listFile, LeadBytePredicate isLead) {
    PackPlan plan;
    const std::string& stem = request.archiveStem;
    switch (request.format) {
        case PackFormat::Lzh:
            plan.command = LzhPackCommand(request.lzh, stem, request.baseFolder, listFile);
            plan.archive = WithDefaultExtension(stem, ".lzh", isLead);
            if (request.selfExtract) {
                const std::string folder = FolderWithBackslash(plan.archive, isLead);
                plan.selfExtractCommand = LzhSelfExtractCommand(plan.archive, folder);
                plan.selfExtractor = folder + SplitPathBaseName(plan.archive, isLead) + ".exe";
            }
            break;
        case PackFormat::Tar:
            plan.command = TarPackCommand(request.tar, stem, request.baseFolder, listFile);
            plan.archive = stem + TarExtension(request.tar.gzip);
            break;
        case PackFormat::Zip:
            plan.command = ZipPackCommand(request.zipJunkPaths, stem, request.items, isLead);
            plan.archive = WithDefaultExtension(stem, ".zip", isLead);
            if (request.selfExtract) plan.selfExtractor = CutExtension(plan.archive, isLead) + ".exe";
            break;
    }
    plan.listFile = request.format != PackFormat::Zip;
    if (plan.listFile) plan.listText = ListFileText(request.items, request.baseFolder, isLead);
    return plan;
}

std::string MailArchiveStem(PackFormat format, const std::string& folderAndName) {
    switch (format) {
        case PackFormat::Lzh:
            return folderAndName + ".lzh";
        case PackFormat::Zip:
            return folderAndName + ".zip";
        default:
            return folderAndName;
    }
}

std::string MailSenderCommand(const std::string& rootDir, const std::string& archive) {
    return Quoted(rootDir + "\\Brimo.exe") + " " + Quoted(archive);
}

ArchiveKind KindOfArchive(const std::string& path) {
    if (path.size() < 4) return ArchiveKind::None;
    const std::string ending = UpperCaseAscii(path.substr(path.size() - 4));
    if (ending == ".LZH") return ArchiveKind::Lzh;
    if (ending == ".TAR" || ending == ".TGZ") return ArchiveKind::Tar;
    if (ending == ".ZIP") return ArchiveKind::Zip;
    return ArchiveKind::None;
}

std::string UnpackCommand(ArchiveKind kind, const UnpackOptions& options, const std::string& archive,
                          const std::string& destination, const std::string& extra) {
    std::string command;
    switch (kind) {
        case ArchiveKind::Lzh:
            command = std::string("e -") + (options.usePath ? "x" : "") + (options.onlyNew ? "c0m1" : "cm0") +
                      " -gn2 -jp1 -+ " + Quoted(archive) + " " + Quoted(destination);
            break;
        case ArchiveKind::Tar:
            command = std::string(options.usePath ? "-xvf " : "--use-directory=0 -xvf ") + Quoted(archive) + " -o " +
                      Quoted(destination);
            break;
        case ArchiveKind::Zip:
            command = std::string(options.onlyNew ? "-u" : "-x") + (options.usePath ? "" : " -j") + " " +
                      Quoted(archive) + " " + Quoted(destination);
            break;
        case ArchiveKind::None:
            return std::string();
    }
    return command + extra;
}

std::string ExtractArgument(const std::string& memberList) { return " " + Quoted("@" + memberList); }

std::string NormalizeDestination(const std::string& typed, const std::string& kept, LeadBytePredicate isLead) {
    const std::size_t first = typed.find_first_not_of(' ');
    std::string destination = first == std::string::npos ? kept : typed.substr(first);
    if (!EndsWithBackslash(destination, isLead)) destination += "\\";
    return destination;
}

}  // namespace archive
