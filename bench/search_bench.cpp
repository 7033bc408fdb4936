// The software search's walk and filing over one folder tree, against a plain
// FindFirstFileA/FindNextFileA walk of the same tree in the same run:
//   search_bench ROOT\ TABLE_FOLDER\ [ROUNDS]
// ROOT is the tree (ending with a backslash); TABLE_FOLDER holds "qapp.idx"
// and "qapp.dat" and gets the "mivora.ini" the search writes. Rounds alternate
// the plain walk, the search, its walk alone (no table beside it, so no
// filing) and that walk without message pumping; prints the median of each in
// milliseconds and its ratio to the plain walk. The search's time ends when its
// window starts to close.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "framework/forms/Application.h"
#include "bench/BenchTiming.h"
#include "main/bar/getexe.h"
#include "main/bar/mainfrm.h"

using namespace bar;

namespace {

double NowMs() { return NowSeconds() * 1e3; }

bool IsExe(const char* name) {
    const size_t n = strlen(name);
    return n >= 4 && lstrcmpiA(name + n - 4, ".exe") == 0;
}

// The floor: every entry listed, folders entered, programs counted.
void PlainWalk(const std::string& dir, long& entries, long& programs) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((dir + "*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    std::vector<std::string> subs;
    do {
        if (data.cFileName[0] == '.') continue;
        ++entries;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            subs.push_back(dir + data.cFileName + "\\");
        else if (IsExe(data.cFileName))
            ++programs;
    } while (FindNextFileA(find, &data));
    FindClose(find);
    for (const std::string& sub : subs) PlainWalk(sub, entries, programs);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: search_bench ROOT\\ TABLE_FOLDER\\ [ROUNDS]\n");
        return 2;
    }
    const std::string root = argv[1];
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 5;
    Application->Initialize();
    SetBarFolder(argv[2]);
    LinkNames = std::make_unique<TStringList>();
    LinkTargets = std::make_unique<TStringList>();
    // The search as the user gets it, and its walk alone: without the table
    // beside it (the tree's folder has none) the filing does nothing.
    const auto timeSearch = [&](const std::string& tableFolder, bool pump) {
        SetBarFolder(tableFolder);
        const std::unique_ptr<TgetexeFrm> form(TForm::Create<TgetexeFrm>(nullptr));
        form->FileFinder1->ProcessMessages = pump;
        form->Timer1->SetEnabled(false);
        form->Show();
        form->Repaint();
        // The clock stops when the search has filed what it found and starts
        // to close its window: hiding a window on a display without a window
        // manager makes Wine wait two seconds for a state no manager will set.
        double closing = 0;
        const TCloseEvent close = form->OnClose;
        form->OnClose = [&](TObject* sender, TCloseAction& action) {
            closing = NowMs();
            close(sender, action);
        };
        const double t = NowMs();
        form->SearchRoots({root});
        return (closing ? closing : NowMs()) - t;
    };
    std::vector<double> plain, search, walk, quiet;
    long entries = 0, programs = 0;
    for (int round = 0; round <= rounds; ++round) {
        entries = programs = 0;
        const double t = NowMs();
        PlainWalk(root, entries, programs);
        const double plainMs = NowMs() - t;
        const double searchMs = timeSearch(argv[2], true);
        const double walkMs = timeSearch(root, true);
        const double quietMs = timeSearch(root, false);
        // The first round fills the caches and is not counted.
        if (round == 0) continue;
        plain.push_back(plainMs);
        search.push_back(searchMs);
        walk.push_back(walkMs);
        quiet.push_back(quietMs);
    }
    const double p = Median(plain), s = Median(search), w = Median(walk), q = Median(quiet);
    std::printf("entries %ld programs %ld | plain walk %.0f ms | software search %.0f ms (ratio %.2f) | "
                "its walk alone %.0f ms (ratio %.2f) | the walk without pumping %.0f ms (ratio %.2f)\n",
                entries, programs, p, s, s / p, w, w / p, q, q / p);
    return 0;
}
