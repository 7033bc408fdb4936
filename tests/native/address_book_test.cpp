// The address-book walk behind the mail-address menu, on fabricated files.
#include <gtest/gtest.h>

#include "main/bar/core/AddressBook.h"

using namespace bar;

namespace {

std::string Header() { return std::string(kAddressBookStart, '\x7F'); }

std::string AnsiEntry(const std::string& text) {
    std::string e = text;
    e.resize(36, '\0');
    return e;
}

std::string WideEntry(const std::u16string& text, bool terminated = true) {
    std::string e;
    for (char16_t c : text) {
        e += static_cast<char>(c & 0xFF);
        e += static_cast<char>(c >> 8);
    }
    if (terminated) e += std::string(2, '\0');
    e.resize(68, terminated ? '\0' : 'Z');
    return e;
}

std::string Narrow(const std::u16string& s) {
    std::string out;
    for (char16_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

TEST(AddressBook, ShortFileGivesNothing) {
    EXPECT_TRUE(WalkAddressBook(std::string(6000, 'a'), kAnsiAddressBook, Narrow).empty());
    EXPECT_TRUE(WalkAddressBook(Header(), kAnsiAddressBook, Narrow).empty());
}

TEST(AddressBook, AnsiEntriesInFileOrder) {
    const std::string file = Header() + AnsiEntry("ann@example.org") + AnsiEntry("bob@example.org") +
                             AnsiEntry("") + AnsiEntry("never@example.org");
    EXPECT_EQ(WalkAddressBook(file, kAnsiAddressBook, Narrow),
              (std::vector<std::string>{"ann@example.org", "bob@example.org"}));
}

TEST(AddressBook, AnsiEntryWithoutTerminatorReadsIntoTheNext) {
    // 36 bytes apart but 64 read: a full entry runs on into the next one.
    const std::string full(36, 'x');
    const std::string file = Header() + full + AnsiEntry("y@z");
    const auto got = WalkAddressBook(file, kAnsiAddressBook, Narrow);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], full + "y@z");
    EXPECT_EQ(got[1], "y@z");
}

TEST(AddressBook, TruncatedLastEntryStaysWithinTheFile) {
    const std::string file = Header() + AnsiEntry("a@b") + "tail@x";
    EXPECT_EQ(WalkAddressBook(file, kAnsiAddressBook, Narrow), (std::vector<std::string>{"a@b", "tail@x"}));
}

TEST(AddressBook, WideEntries) {
    const std::string file = Header() + WideEntry(u"ann@example.org") + WideEntry(u"b\u00e9@x") + WideEntry(u"");
    EXPECT_EQ(WalkAddressBook(file, kWideAddressBook, Narrow),
              (std::vector<std::string>{"ann@example.org", "b?@x"}));
    // No terminator: the text ends with the 72 bytes read.
    const std::string open = Header() + WideEntry(std::u16string(34, u'q'), false);
    const auto got = WalkAddressBook(open, kWideAddressBook, Narrow);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].substr(0, 34), std::string(34, 'q'));
    EXPECT_LE(got[0].size(), 36u);
    // An odd byte at the very end is not half a character.
    const std::string odd = Header() + "a";
    EXPECT_TRUE(WalkAddressBook(odd, kWideAddressBook, Narrow).empty());
}

}  // namespace
