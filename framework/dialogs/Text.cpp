#include "framework/dialogs/Text.h"

int CompareNoCase(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()); }

bool SameNoCase(const std::string& a, const std::string& b) { return CompareNoCase(a, b) == 0; }
