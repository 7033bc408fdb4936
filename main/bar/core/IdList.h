// Platform-free walkers over the shell's item-id lists: runs of items, each
// starting with its 16-bit little-endian byte size (the size counts itself),
// ended by a 16-bit zero. Every walker is bounded by the bytes it may read, so
// a damaged size can neither loop nor read past the buffer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace bar {

// The size field of the item at `p`; 0 when fewer than 2 bytes are left.
uint16_t IdItemSize(const uint8_t* p, size_t avail);
// The item after the one at `p`; nullptr when the size is 0 or runs past `avail`.
const uint8_t* NextIdListItem(const uint8_t* p, size_t avail);
// Bytes of the whole list including the 2-byte terminator; 0 for none or
// when the list is not terminated within `avail`.
size_t IdListSize(const uint8_t* list, size_t avail);
size_t IdListItemCount(const uint8_t* list, size_t avail);
// Item n (from 0); nullptr past the end.
const uint8_t* IdListItemAt(const uint8_t* list, size_t avail, size_t n);
// The first `n` bytes of the list (all of it but the terminator when n is
// npos) followed by a zero terminator.
std::vector<uint8_t> CopyIdListBytes(const uint8_t* list, size_t avail, size_t n);
// The first list without its terminator, then the whole second one.
std::vector<uint8_t> ConcatIdListBytes(const uint8_t* first, size_t firstAvail, const uint8_t* second,
                                       size_t secondAvail);
// Bytes of the list's items before the last one: the parent folder's list
// (without terminator); npos when the list is empty.
size_t IdListParentBytes(const uint8_t* list, size_t avail);

constexpr size_t kIdListWhole = static_cast<size_t>(-1);

}  // namespace bar
