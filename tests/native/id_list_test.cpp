// Walkers over item-id lists built byte by byte, damaged ones included.
#include <gtest/gtest.h>

#include "main/bar/core/IdList.h"

using namespace bar;

namespace {

// An item of `size` bytes (size field included) filled with `fill`.
std::vector<uint8_t> Item(uint16_t size, uint8_t fill) {
    std::vector<uint8_t> v(size, fill);
    v[0] = static_cast<uint8_t>(size & 0xFF);
    v[1] = static_cast<uint8_t>(size >> 8);
    return v;
}

std::vector<uint8_t> List(std::initializer_list<std::vector<uint8_t>> items) {
    std::vector<uint8_t> out;
    for (const auto& i : items) out.insert(out.end(), i.begin(), i.end());
    out.push_back(0);
    out.push_back(0);
    return out;
}

TEST(IdList, SizesCountsAndItems) {
    const auto empty = List({});
    const auto one = List({Item(5, 0xA1)});
    const auto three = List({Item(4, 1), Item(6, 2), Item(3, 3)});
    struct Case {
        const std::vector<uint8_t>* list;
        size_t size, count;
    } cases[] = {{&empty, 2, 0}, {&one, 7, 1}, {&three, 15, 3}};
    for (const Case& c : cases) {
        EXPECT_EQ(IdListSize(c.list->data(), c.list->size()), c.size);
        EXPECT_EQ(IdListItemCount(c.list->data(), c.list->size()), c.count);
    }
    EXPECT_EQ(IdListItemAt(three.data(), three.size(), 0), three.data());
    EXPECT_EQ(IdListItemAt(three.data(), three.size(), 2), three.data() + 10);
    EXPECT_EQ(IdListItemAt(three.data(), three.size(), 3), nullptr);
    EXPECT_EQ(IdListSize(nullptr, 100), 0u);
    EXPECT_EQ(IdListItemCount(nullptr, 100), 0u);
    EXPECT_EQ(IdListParentBytes(three.data(), three.size()), 10u);
    EXPECT_EQ(IdListParentBytes(one.data(), one.size()), 0u);
    EXPECT_EQ(IdListParentBytes(empty.data(), empty.size()), static_cast<size_t>(-1));
}

TEST(IdList, DamagedListsEndTheWalk) {
    const auto ok = List({Item(4, 1)});
    // Not terminated within the bytes given.
    EXPECT_EQ(IdListSize(ok.data(), ok.size() - 1), 0u);
    // An item that claims more bytes than there are.
    std::vector<uint8_t> overlong = {0x40, 0x00, 1, 2, 0, 0};
    EXPECT_EQ(IdListSize(overlong.data(), overlong.size()), 0u);
    EXPECT_EQ(IdListItemCount(overlong.data(), overlong.size()), 0u);
    EXPECT_EQ(NextIdListItem(overlong.data(), overlong.size()), nullptr);
    // A size of 1 cannot hold its own size field and would never advance.
    std::vector<uint8_t> tiny = {0x01, 0x00, 0x00, 0x00};
    EXPECT_EQ(IdListSize(tiny.data(), tiny.size()), 0u);
    EXPECT_EQ(IdItemSize(tiny.data(), 1), 0);
}

TEST(IdList, CopyAndConcat) {
    const auto a = List({Item(4, 1), Item(3, 2)});
    const auto b = List({Item(5, 9)});
    EXPECT_EQ(CopyIdListBytes(a.data(), a.size(), kIdListWhole), a);
    EXPECT_EQ(CopyIdListBytes(a.data(), a.size(), 4), List({Item(4, 1)}));
    EXPECT_EQ(CopyIdListBytes(a.data(), a.size(), 0), List({}));
    EXPECT_EQ(CopyIdListBytes(a.data(), a.size(), 500), a);  // never past the list
    EXPECT_EQ(ConcatIdListBytes(a.data(), a.size(), b.data(), b.size()), List({Item(4, 1), Item(3, 2), Item(5, 9)}));
    EXPECT_EQ(ConcatIdListBytes(nullptr, 0, b.data(), b.size()), b);
    EXPECT_EQ(ConcatIdListBytes(a.data(), a.size(), nullptr, 0), a);
}

}  // namespace
