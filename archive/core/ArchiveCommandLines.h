// The command lines the archive library hands to the outside archivers, for
// packing, packing for mail and unpacking, and the names they work on. Every
// path is quoted whole: the archivers read "C:\data\" with no backslash
// escapes, and an empty "" as "no base folder" (see the stand-ins'
// tokeniser). zip.exe alone reads its line by the C runtime's argv rules.
#pragma once
#include <string>
#include <vector>

#include "framework/core/LeadBytes.h"

namespace archive {

// One item of the selection.
struct PackItem {
    std::string path;
    bool folder = false;
};

// The archive's name without extension: the first item less its extension
// (only a dot after the last "\" cuts). The base folder is that name up to
// and including its last "\".
std::string ArchiveStem(const std::string& firstItem, LeadBytePredicate isLead);
std::string BaseFolderOf(const std::string& archiveStem, LeadBytePredicate isLead);

// The list file the LZH and TAR archivers read: one item a line, relative to
// `baseFolder` when it lies under it (case-insensitive), else in full; a
// folder as "<folder>\*.*"; every line ends CR LF.
std::string ListFileText(const std::vector<PackItem>& items, const std::string& baseFolder, LeadBytePredicate isLead);

// LZH pack options that reach the command ("Move", "radio1", "8Plus3", "Lh0").
struct LzhPackOptions {
    bool move = false;
    int overwrite = 0;  // 0 "Overwrite all files": no time check (-c)
    bool shortNames = false;
    int compatibility = 1;  // 0 stored, 1 to 3: -lh5-, -lh6-, -lh7-
};
// The method digit of -jm: 0 stays 0, 1 to 3 become 2 to 4.
char LzhMethodDigit(int compatibility);
// `archive` as it is to be named ("C:\data\report": the archiver adds .lzh).
std::string LzhPackCommand(const LzhPackOptions& options, const std::string& archive, const std::string& baseFolder,
                           const std::string& listFile);
// Makes <folder><archive name>.exe of `lzhArchive`.
std::string LzhSelfExtractCommand(const std::string& lzhArchive, const std::string& folder);

// TAR pack options: "Path" 0 stores base names; gzip level 9 for "Rate
// priority", 1 for "Speed priority".
struct TarPackOptions {
    bool useDirectory = true;
    bool gzip = false;
    int priority = 0;
};
// ".tgz" or ".tar".
const char* TarExtension(bool gzip);
// The archive gets its extension here; without a base folder the list holds
// full paths and no -o is given (an empty -o would swallow the list).
std::string TarPackCommand(const TarPackOptions& options, const std::string& archiveStem, const std::string& baseFolder,
                           const std::string& listFile);

// zip.exe's command: folders with their subfolders (-r), base names only
// with `junkPaths`. zip adds .zip to a name without extension, and reads its
// command line by the C runtime's rules.
std::string ZipPackCommand(bool junkPaths, const std::string& archive, const std::vector<PackItem>& items,
                           LeadBytePredicate isLead);

// One packing run of a dialog, from its options to what it hands over.
enum class PackFormat { Lzh = 0, Tar = 1, Zip = 2 };
struct PackRequest {
    PackFormat format = PackFormat::Lzh;
    LzhPackOptions lzh;
    TarPackOptions tar;
    bool zipJunkPaths = false;
    bool selfExtract = false;  // LZH and ZIP
    std::string archiveStem;   // as typed: the archivers add the extension
    std::string baseFolder;    // empty: the items go in with their full paths
    std::vector<PackItem> items;
};
struct PackPlan {
    bool listFile = false;          // LZH and TAR read the items from a list file
    std::string listText;
    std::string command;            // for the archiver, or zip.exe's command line
    std::string archive;            // the file the command is to leave
    std::string selfExtractCommand; // LZH: the archiver's command that makes the .exe
    std::string selfExtractor;      // the .exe to be made; empty without one
};
// `listFile` is the list's name, for the formats that read one.
PackPlan PlanPack(const PackRequest& request, const std::string& listFile, LeadBytePredicate isLead);

// The mail road's archive, `folderAndName` with the format's extension
// always added: the archivers would leave it off a name holding a dot of its
// own, and the mail's receiver goes by it. TAR's command adds its own.
std::string MailArchiveStem(PackFormat format, const std::string& folderAndName);

// The mail sender started with the archive as its one argument.
std::string MailSenderCommand(const std::string& rootDir, const std::string& archive);

// Unpacking: the archiver is chosen by the item's last four characters.
enum class ArchiveKind { None, Lzh, Tar, Zip };
ArchiveKind KindOfArchive(const std::string& path);
struct UnpackOptions {
    bool usePath = true;
    bool onlyNew = false;
};
// `destination` ends with "\"; `extra` is appended as it is (ExtractArgument).
std::string UnpackCommand(ArchiveKind kind, const UnpackOptions& options, const std::string& archive,
                          const std::string& destination, const std::string& extra);
// The reference to a member list that every extraction command then carries.
std::string ExtractArgument(const std::string& memberList);
// The destination typed (leading blanks dropped; empty gives `kept`), with a
// trailing "\".
std::string NormalizeDestination(const std::string& typed, const std::string& kept, LeadBytePredicate isLead);

}  // namespace archive
