#include "main/bar/core/AddressBook.h"

#include <algorithm>

#include "framework/core/ByteOrder.h"

namespace bar {

std::vector<std::string> WalkAddressBook(const std::string& file, const AddressBookLayout& layout,
                                         const WideToAnsi& toAnsi) {
    std::vector<std::string> out;
    if (layout.stride == 0) return out;
    for (size_t at = kAddressBookStart; at < file.size(); at += layout.stride) {
        // A read near the end gives what is there, and the text ends within it.
        const size_t got = std::min(layout.readSize, file.size() - at);
        const char* p = file.data() + at;
        if (layout.wide) {
            std::u16string text;
            for (size_t i = 0; i + 1 < got; i += 2) {
                const char16_t c = static_cast<char16_t>(Le16(p + i));
                if (c == 0) break;
                text += c;
            }
            if (text.empty()) break;
            out.push_back(toAnsi ? toAnsi(text) : std::string());
        } else {
            size_t n = 0;
            while (n < got && p[n] != '\0') ++n;
            if (n == 0) break;
            out.emplace_back(p, n);
        }
    }
    return out;
}

}  // namespace bar
