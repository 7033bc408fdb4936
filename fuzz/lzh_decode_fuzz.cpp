// The -lh5-/-lh6-/-lh7- decoder over arbitrary bytes. The first byte picks
// the method, the next two the size to make. No crash, no read past the
// packed size, and a success makes exactly the size asked for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "standins/archive/core/LzhCodec.h"

using namespace archivers;

namespace {

class CountingSource : public ByteSource {
public:
    CountingSource(const std::uint8_t* data, std::size_t size) : inner_(data, size) {}
    bool Read(void* data, std::size_t size, std::size_t& got) override {
        const bool ok = inner_.Read(data, size, got);
        total += got;
        return ok;
    }
    std::size_t total = 0;

private:
    MemorySource inner_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    static const int bits[] = {kLh5DictionaryBits, kLh6DictionaryBits, kLh7DictionaryBits};
    const int dictionaryBits = bits[data[0] % 3];
    const std::size_t original = static_cast<std::size_t>(data[1]) << 8 | data[2];
    // Less than the bytes present, so that reading past the limit shows.
    const std::size_t packed = (size - 3) - (size - 3) / 8;
    CountingSource in(data + 3, size - 3);
    MemorySink out;
    std::uint16_t crc = 0;
    std::string error;
    const bool ok = LzhDecode(dictionaryBits, in, packed, original, out, crc, error);
    if (in.total > packed) std::abort();
    if (ok && out.bytes.size() != original) std::abort();
    if (!ok && error.empty()) std::abort();
    return 0;
}
