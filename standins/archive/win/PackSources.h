// What a pack command's names ask for: files, folders and wildcards, relative
// to a base folder or absolute, walked into subfolders on request, each with
// the name it is stored under.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ArchiverReport.h"

struct PackItem {
    std::string path;    // on disk
    std::string stored;  // in the archive: "/" between folders, no trailing "/"
    bool folder = false;
    WIN32_FIND_DATAA info{};
};

struct PackRequest {
    std::string base;              // relative names start here; "" is the current folder
    std::vector<std::string> names;
    bool recurse = false;          // folders and "*.*" bring everything below them
    bool keepPaths = true;         // otherwise only file names are stored, and no folders
    bool shortNames = false;       // stored as 8.3 names
    std::vector<std::string> exclude;  // never packed: the archive itself
};

// The items in walking order, each stored name once. A name that matches
// nothing is reported (the rest are still listed).
std::vector<PackItem> CollectSources(const PackRequest& request, ArchiverReport& report);
