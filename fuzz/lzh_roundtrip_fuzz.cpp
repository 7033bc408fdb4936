// Any bytes through the LZH encoder come back whole through the decoder, for
// each dictionary size (picked by the first byte), with the same CRC.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "standins/archive/core/Checksums.h"
#include "standins/archive/core/LzhCodec.h"

using namespace archivers;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const int bits[] = {kLh5DictionaryBits, kLh6DictionaryBits, kLh7DictionaryBits};
    const int dictionaryBits = bits[data[0] % 3];
    // Repeats stretch short inputs over the window so that long distances occur.
    std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] & 0x80)
        for (int i = 0; i < 6 && input.size() < 200000; ++i) input += input + static_cast<char>(i);
    MemorySource in(input);
    MemorySink packed;
    LzhEncodeResult r;
    std::string error;
    if (!LzhEncode(dictionaryBits, in, packed, ~0ull, r, error)) std::abort();
    // Data that proves already compressed is stored by the caller instead.
    if (r.exceeded) return 0;
    if (r.originalSize != input.size() || r.packedSize != packed.bytes.size()) std::abort();
    MemorySource back(packed.bytes);
    MemorySink out;
    std::uint16_t crc = 0;
    if (!LzhDecode(dictionaryBits, back, packed.bytes.size(), input.size(), out, crc, error)) std::abort();
    if (out.bytes != input || crc != r.crc || crc != Crc16(0, input.data(), input.size())) std::abort();
    return 0;
}
