// The owner of a C library file: it closes the file when it goes. Where the
// close's result matters (a file written), release the file and close it by
// hand: buffered data meets the disk only then.
#pragma once
#include <cstdio>
#include <memory>

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;
