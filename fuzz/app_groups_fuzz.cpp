// The application groups as a user may have edited "mivora.ini": whatever the
// file holds, the bar's own sections keep every key through the menu's
// pruning and the editor's group edits, and a refused name changes nothing.
#include <cstdint>
#include <string>

#include "main/bar/core/AppGroups.h"

using namespace bar;

namespace {
void Require(bool condition) {
    if (!condition) __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TIniText ini(std::string(reinterpret_cast<const char*>(data), size));
    TAppGroupStore store(ini, Cp932LeadByte);
    const auto ownKeys = [&] {
        std::string keys;
        for (const char* s : {"ToolBar", "Quick File", "Quick App", "Record", "Quick Start"})
            for (const auto& kv : ini.ReadEntries(s)) keys += kv.first + "=" + kv.second + "\n";
        return keys;
    };
    const std::string before = ownKeys();
    const std::vector<std::string> names = store.GroupNames();
    for (int i = 0; i < static_cast<int>(names.size()); ++i)
        store.FillGroup(store.SectionOf(i), [](const std::string& path) { return path.size() % 2 == 0; });
    for (const std::string& group : store.UserGroups()) {
        const std::string text = ini.Text();
        Require(store.RenameGroup(group, "[" + group) == AppEdit::Unstorable && ini.Text() == text);
        store.RenameGroup(group, group + " 2");
        store.DeleteGroup(group + " 2");
    }
    Require(ownKeys() == before);
    return 0;
}
