// An ordered list of ANSI strings, read with CR, LF or CRLF line ends and
// written with CRLF, as the program's list files are on disk.
#pragma once
#include <string>
#include <vector>

class TStringList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& operator[](int index) const;
    std::string& operator[](int index);
    int Add(const std::string& s);
    void Insert(int index, const std::string& s);
    void Delete(int index);
    void Clear() { items_.clear(); }
    // Exact, case-sensitive search; -1 when absent.
    int IndexOf(const std::string& s) const;
    // Case-insensitive (ASCII) search; -1 when absent.
    int IndexOfText(const std::string& s) const;

    std::string Text() const;
    void SetText(const std::string& text);

    // Missing files raise EFOpenError; files that cannot be written EFCreateError.
    void LoadFromFile(const std::string& path);
    // Writes the whole list or nothing: a write that fails (a full disk, a
    // file another program holds) raises and leaves the old file as it was.
    void SaveToFile(const std::string& path) const;

    const std::vector<std::string>& Items() const { return items_; }

private:
    void CheckIndex(int index, bool allowEnd) const;
    std::vector<std::string> items_;
};
