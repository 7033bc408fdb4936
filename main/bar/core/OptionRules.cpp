#include "main/bar/core/OptionRules.h"

#include <algorithm>

#include "framework/core/StrUtils.h"

namespace bar {

const char* const kTextureNames[kTextureCount] = {"Golden", "Sea", "Cloth", "Marble", "Wood"};

int ListLengthFromText(const std::string& text) {
    return std::clamp(StrToIntDef(text, kMinListLength), kMinListLength, kMaxListLength);
}

bool IsTextureIndex(int index) { return index >= 0 && index < kTextureCount; }

std::string RunValueText(const std::string& exePath, bool on) {
    if (!on) return {};
    if (exePath.find(' ') == std::string::npos) return exePath;
    return '"' + exePath + '"';
}

}  // namespace bar
