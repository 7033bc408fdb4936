// Platform-free walk of the address-book file for the mail-address menu: from
// byte 6212, fixed-size entries each holding a NUL-terminated address, until
// an entry starts with NUL, the file ends or a read comes up short.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace bar {

constexpr size_t kAddressBookStart = 6212;

struct AddressBookLayout {
    size_t stride;     // bytes from one entry to the next
    size_t readSize;   // bytes read at each entry
    bool wide;         // UTF-16 text (Windows 2000) or ANSI
};
constexpr AddressBookLayout kAnsiAddressBook{36, 64, false};
constexpr AddressBookLayout kWideAddressBook{68, 72, true};

// Turns the UTF-16 text of a wide entry into ANSI.
using WideToAnsi = std::function<std::string(const std::u16string&)>;

std::vector<std::string> WalkAddressBook(const std::string& file, const AddressBookLayout& layout,
                                         const WideToAnsi& toAnsi);

}  // namespace bar
