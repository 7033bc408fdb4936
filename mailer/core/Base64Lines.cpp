#include "mailer/core/Base64Lines.h"

#include <cstdint>
#include <cstring>

namespace mailer {

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The two characters of every 12-bit half of a 3-byte group: one lookup per
// half instead of one per character keeps the encoder ahead of the disk.
struct PairTable {
    char pairs[4096][2];
    PairTable() {
        for (int i = 0; i < 4096; ++i) {
            pairs[i][0] = kAlphabet[i >> 6];
            pairs[i][1] = kAlphabet[i & 63];
        }
    }
};

const PairTable& Pairs() {
    static const PairTable table;
    return table;
}

char* EncodeGroups(const unsigned char* in, std::size_t groups, char* out, const PairTable& t) {
    for (; groups > 0; --groups, in += 3, out += 4) {
        const std::uint32_t v = (std::uint32_t(in[0]) << 16) | (std::uint32_t(in[1]) << 8) | in[2];
        std::memcpy(out, t.pairs[v >> 12], 2);
        std::memcpy(out + 2, t.pairs[v & 0xFFF], 2);
    }
    return out;
}

}  // namespace

std::size_t Base64LinesSize(std::size_t size) {
    const std::size_t rest = size % kBase64LineBytes;
    return size / kBase64LineBytes * 78 + (rest ? (rest + 2) / 3 * 4 + 2 : 0);
}

char* EncodeBase64Lines(const unsigned char* data, std::size_t size, char* out) {
    const PairTable& t = Pairs();
    for (; size >= kBase64LineBytes; size -= kBase64LineBytes, data += kBase64LineBytes) {
        out = EncodeGroups(data, kBase64LineBytes / 3, out, t);
        *out++ = '\r';
        *out++ = '\n';
    }
    if (size == 0) return out;
    out = EncodeGroups(data, size / 3, out, t);
    data += size / 3 * 3;
    switch (size % 3) {
        case 1:
            *out++ = kAlphabet[data[0] >> 2];
            *out++ = kAlphabet[(data[0] & 3) << 4];
            *out++ = '=';
            *out++ = '=';
            break;
        case 2:
            *out++ = kAlphabet[data[0] >> 2];
            *out++ = kAlphabet[((data[0] & 3) << 4) | (data[1] >> 4)];
            *out++ = kAlphabet[(data[1] & 15) << 2];
            *out++ = '=';
            break;
    }
    *out++ = '\r';
    *out++ = '\n';
    return out;
}

}  // namespace mailer
