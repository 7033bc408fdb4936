// The command lines of the four archivers, read into what each is asked to
// do. They come from another module (or a user's console), so anything
// outside the grammar is refused with a reason rather than guessed at.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "standins/archive/core/CommandTokens.h"

namespace archivers {

// A name to pack or a member to pick; `list` names a response file of them.
struct NameArgument {
    std::string text;
    bool list = false;
};

enum class LzhMethod { Stored, Lh5, Lh6, Lh7 };

//  <cmd> {options} <archive> [<folder>\ | ""] {names | @file}
// with cmd u (add or replace), m (u, then delete the sources), e (extract)
// or s (make a self-extractor of the archive in <folder>). Options are runs
// of letter+digits, (j|g)+letter+digits or "+": "-xcm0" is x, c, m0.
struct UnlhaCommand {
    char command = 0;
    bool timeCheck = true;      // -c turns it off, -c0 on: replace only older members or files
    bool keepPaths = false;     // -x
    bool recurse = false;       // -r
    bool shortNames = false;    // -ji
    LzhMethod method = LzhMethod::Lh5;  // -jm0, -jm2, -jm3, -jm4
    int headerLevel = 2;        // -h1, -h2
    std::string archive;
    std::string folder;         // base folder (u, m), output folder (e, s); may be empty
    std::vector<NameArgument> names;
};
std::optional<UnlhaCommand> ParseUnlhaCommand(const std::string& line, std::string& error);

// -c or -x with v, z[level], f <archive> in one run or apart, -o <folder>,
// --use-directory=0|1, then names or @lists.
struct TarCommand {
    bool create = false;
    bool verbose = false;
    int gzipLevel = -1;         // -1: no gzip; z alone is level 6
    bool useDirectory = true;
    std::string archive;
    std::string folder;         // -o: base (create) or output (extract) folder
    std::vector<NameArgument> names;
};
std::optional<TarCommand> ParseTarCommand(const std::string& line, std::string& error);

//  -x|-u [-j] <archive> <folder>\ {names | @list}
struct UnzipCommand {
    bool onlyNewer = false;     // -u instead of -x
    bool keepPaths = true;      // -j drops them
    std::string archive;
    std::string folder;
    std::vector<NameArgument> names;
};
std::optional<UnzipCommand> ParseUnzipCommand(const std::string& line, std::string& error);

// zip.exe's argv after the program name: [-j] [-r] [-0..-9] <archive> <files>
// where a file may be a wildcard such as folder\*.*.
struct ZipCommand {
    bool junkPaths = false;
    bool recurse = false;
    int level = 6;
    std::string archive;
    std::vector<std::string> files;
};
std::optional<ZipCommand> ParseZipCommand(const std::vector<std::string>& args, std::string& error);

}  // namespace archivers
