// Item-id lists with arbitrary size fields: the walkers must stay within the bytes.
#include <cstddef>
#include <cstdint>

#include "main/bar/core/IdList.h"

using namespace bar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const size_t total = IdListSize(data, size);
    const size_t count = IdListItemCount(data, size);
    for (size_t i = 0; i <= count; ++i) IdListItemAt(data, size, i);
    IdListParentBytes(data, size);
    const auto copy = CopyIdListBytes(data, size, size / 2);
    const auto joined = ConcatIdListBytes(data, size, copy.data(), copy.size());
    if (total && IdListSize(joined.data(), joined.size()) == 0) __builtin_trap();
    return 0;
}
