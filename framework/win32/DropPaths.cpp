#include "framework/win32/DropPaths.h"

std::vector<std::string> DropPaths(HDROP drop) {
    std::vector<std::string> paths;
    if (!drop) return paths;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // Sized from the query: a fixed buffer would cut long paths short and
        // name another file than the one dropped.
        const UINT length = DragQueryFileA(drop, i, nullptr, 0);
        std::string path(length + 1, '\0');
        const UINT copied = DragQueryFileA(drop, i, &path[0], length + 1);
        path.resize(copied < length ? copied : length);
        paths.push_back(std::move(path));
    }
    return paths;
}
