#include "splitjoin/core/JoinItems.h"

#include <cstdio>

namespace splitjoin {

int CompareJoinItems(const JoinItem& a, const JoinItem& b, int column, bool descending,
                     const CompareTextFn& compareNoCase) {
    int result = 0;
    switch (column) {
    case kColumnName:
        result = compareNoCase(a.path, b.path);
        result = result < 0 ? -1 : result > 0 ? 1 : 0;
        break;
    case kColumnSize:
        result = a.size < b.size ? -1 : a.size > b.size ? 1 : 0;
        break;
    default:
        result = a.writeTime == b.writeTime ? 0 : a.writeTime < b.writeTime ? -1 : 1;
        break;
    }
    return descending ? -result : result;
}

std::string FormatJoinDate(int year, int month, int day, int hour, int minute) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d", ((year % 100) + 100) % 100, month, day, hour,
                  minute);
    return text;
}

bool IsCabinetPath(const std::string& path, LeadBytePredicate isLead) {
    return LowerAsciiMbcs(path, isLead).find(".cab") != std::string::npos;
}

}  // namespace splitjoin
