#include "StringList.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "Exceptions.h"
#include "FileReplace.h"
#include "StrUtils.h"

void TStringList::CheckIndex(int index, bool allowEnd) const {
    const int limit = allowEnd ? Count() : Count() - 1;
    if (index < 0 || index > limit) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
}

const std::string& TStringList::operator[](int index) const {
    CheckIndex(index, false);
    return items_[static_cast<size_t>(index)];
}

std::string& TStringList::operator[](int index) {
    CheckIndex(index, false);
    return items_[static_cast<size_t>(index)];
}

int TStringList::Add(const std::string& s) {
    items_.push_back(s);
    return Count() - 1;
}

void TStringList::Insert(int index, const std::string& s) {
    CheckIndex(index, true);
    items_.insert(items_.begin() + index, s);
}

void TStringList::Delete(int index) {
    CheckIndex(index, false);
    items_.erase(items_.begin() + index);
}

int TStringList::IndexOf(const std::string& s) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == s) return static_cast<int>(i);
    return -1;
}

int TStringList::IndexOfText(const std::string& s) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (SameTextAscii(items_[i], s)) return static_cast<int>(i);
    return -1;
}

std::string TStringList::Text() const {
    std::string out;
    for (const auto& s : items_) {
        out += s;
        out += "\r\n";
    }
    return out;
}

void TStringList::SetText(const std::string& text) {
    items_.clear();
    size_t start = 0;
    const size_t n = text.size();
    while (start < n) {
        size_t end = start;
        while (end < n && text[end] != '\r' && text[end] != '\n') ++end;
        items_.push_back(text.substr(start, end - start));
        if (end < n && text[end] == '\r') {
            ++end;
            if (end < n && text[end] == '\n') ++end;
        } else if (end < n) {
            ++end;  // a lone LF
        }
        start = end;
    }
}

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;
}  // namespace

void TStringList::LoadFromFile(const std::string& path) {
    FilePtr f(std::fopen(path.c_str(), "rb"));
    if (!f) throw EFOpenError("Cannot open file \"" + path + "\"");
    std::string data;
    char buf[65536];
    size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f.get())) > 0) data.append(buf, got);
    SetText(data);
}

void TStringList::SaveToFile(const std::string& path) const {
    // The new content goes to a file of its own beside the old one, which it
    // replaces only once it is complete: opened with truncation, a full disk
    // would leave the list cut short. Beside, not in the temporary folder, so
    // that the replacing step stays on one drive.
    std::string temp;
    FilePtr f;
    for (int n = 0; n < 100 && !f; ++n) {
        temp = path + (n == 0 ? std::string(".tmp") : ".tmp" + IntToStr(n));
        errno = 0;
        f.reset(CreateNewFile(temp));
        if (!f && errno != EEXIST) break;  // not a taken name: the folder refuses
    }
    if (!f) throw EFCreateError("Cannot create file \"" + path + "\"");
    const std::string data = Text();
    bool written = std::fwrite(data.data(), 1, data.size(), f.get()) == data.size();
    // Buffered data meets the disk only here, so a full disk shows up here.
    written = std::fclose(f.release()) == 0 && written;
    if (!written || !ReplaceFileWith(path, temp)) {
        std::remove(temp.c_str());
        throw EFCreateError("Cannot write file \"" + path + "\"");
    }
}
