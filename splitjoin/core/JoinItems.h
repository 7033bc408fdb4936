// The join list's records and how they are shown and sorted.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "framework/core/MbcsPath.h"

namespace splitjoin {

struct JoinItem {
    std::string path;
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;  // 100-ns ticks since 1601 (the platform's file time)
};

enum JoinColumn { kColumnName = 0, kColumnSize = 1, kColumnDate = 2 };

// <0, 0 or >0 for two names compared without regard to case.
using CompareTextFn = std::function<int(const std::string& a, const std::string& b)>;

// Names by case-insensitive text, sizes and times by value (sizes of 4 GiB
// and more, and sizes 2 GiB apart, keep their order); reversed when descending.
int CompareJoinItems(const JoinItem& a, const JoinItem& b, int column, bool descending,
                     const CompareTextFn& compareNoCase);

// "yy/mm/dd hh:mm" of a local time.
std::string FormatJoinDate(int year, int month, int day, int hour, int minute);

// The list's refusal rule: ".cab" anywhere in the lower-cased path.
bool IsCabinetPath(const std::string& path, LeadBytePredicate isLead);

}  // namespace splitjoin
