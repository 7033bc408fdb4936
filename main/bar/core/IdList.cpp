#include "main/bar/core/IdList.h"

#include <cstring>

#include "framework/core/ByteOrder.h"

namespace bar {

uint16_t IdItemSize(const uint8_t* p, size_t avail) {
    if (!p || avail < 2) return 0;
    return Le16(p);
}

const uint8_t* NextIdListItem(const uint8_t* p, size_t avail) {
    const uint16_t cb = IdItemSize(p, avail);
    if (cb < 2 || cb > avail) return nullptr;
    return p + cb;
}

size_t IdListSize(const uint8_t* list, size_t avail) {
    if (!list) return 0;
    size_t used = 0;
    for (;;) {
        const uint16_t cb = IdItemSize(list + used, avail - used);
        if (avail - used < 2) return 0;  // no room for a terminator
        if (cb == 0) return used + 2;
        // A size of 1 can't hold its own size field: the list is damaged.
        if (cb < 2 || cb > avail - used) return 0;
        used += cb;
    }
}

size_t IdListItemCount(const uint8_t* list, size_t avail) {
    if (IdListSize(list, avail) == 0) return 0;
    size_t count = 0;
    for (const uint8_t* p = list; IdItemSize(p, avail - static_cast<size_t>(p - list)) != 0;
         p = NextIdListItem(p, avail - static_cast<size_t>(p - list)))
        ++count;
    return count;
}

const uint8_t* IdListItemAt(const uint8_t* list, size_t avail, size_t n) {
    if (n >= IdListItemCount(list, avail)) return nullptr;
    const uint8_t* p = list;
    for (size_t i = 0; i < n; ++i) p = NextIdListItem(p, avail - static_cast<size_t>(p - list));
    return p;
}

std::vector<uint8_t> CopyIdListBytes(const uint8_t* list, size_t avail, size_t n) {
    const size_t size = IdListSize(list, avail);
    const size_t body = size >= 2 ? size - 2 : 0;
    if (n == kIdListWhole || n > body) n = body;
    std::vector<uint8_t> out(n + 2, 0);
    if (n) std::memcpy(out.data(), list, n);
    return out;
}

std::vector<uint8_t> ConcatIdListBytes(const uint8_t* first, size_t firstAvail, const uint8_t* second,
                                       size_t secondAvail) {
    const size_t a = IdListSize(first, firstAvail);
    const size_t b = IdListSize(second, secondAvail);
    const size_t aBody = a >= 2 ? a - 2 : 0;
    const size_t bBody = b >= 2 ? b - 2 : 0;
    std::vector<uint8_t> out(aBody + bBody + 2, 0);
    if (aBody) std::memcpy(out.data(), first, aBody);
    if (bBody) std::memcpy(out.data() + aBody, second, bBody);
    return out;
}

size_t IdListParentBytes(const uint8_t* list, size_t avail) {
    const size_t count = IdListItemCount(list, avail);
    if (count == 0) return static_cast<size_t>(-1);
    const uint8_t* last = IdListItemAt(list, avail, count - 1);
    return static_cast<size_t>(last - list);
}

}  // namespace bar
