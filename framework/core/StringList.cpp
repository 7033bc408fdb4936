#include "framework/core/StringList.h"

#include <cstdio>

#include "framework/core/Exceptions.h"
#include "framework/core/FilePtr.h"
#include "framework/core/FileReplace.h"
#include "framework/core/StrUtils.h"

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
    // Never written in place: opened with truncation, a full disk would
    // leave the list cut short.
    const std::string data = Text();
    const RewriteResult result = WriteFileReplacing(
        path, [&data](std::FILE* f) { return std::fwrite(data.data(), 1, data.size(), f) == data.size(); });
    if (result == RewriteResult::CannotCreate) throw EFCreateError("Cannot create file \"" + path + "\"");
    if (result == RewriteResult::CannotWrite) throw EFCreateError("Cannot write file \"" + path + "\"");
}
