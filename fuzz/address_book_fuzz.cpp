// Address-book files of any content, in both layouts.
#include <cstddef>
#include <cstdint>
#include <string>

#include "main/bar/core/AddressBook.h"

using namespace bar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The walk starts deep into the file: put the input there.
    std::string file(kAddressBookStart, '\0');
    file.append(reinterpret_cast<const char*>(data), size);
    auto narrow = [](const std::u16string& s) { return std::string(s.size(), '?'); };
    WalkAddressBook(file, kAnsiAddressBook, narrow);
    WalkAddressBook(file, kWideAddressBook, narrow);
    return 0;
}
