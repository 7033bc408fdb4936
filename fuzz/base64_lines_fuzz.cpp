// Round trip of the message's Base64 lines: any bytes, whole or cut into
// slices of whole lines, give lines of 76 characters ending CR LF (only the
// last one shorter) that decode back to the bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "mailer/core/Base64Lines.h"

using namespace mailer;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

std::string Decode(const std::string& text) {
    static const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string bytes;
    unsigned bits = 0, count = 0;
    for (char c : text) {
        const std::size_t value = alphabet.find(c);
        if (value == std::string::npos) continue;
        bits = (bits << 6) | static_cast<unsigned>(value);
        if ((count += 6) >= 8) bytes += static_cast<char>(bits >> (count -= 8));
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(Base64LinesSize(size), '\0');
    // Two slices, cut at a whole line chosen by the first byte.
    const std::size_t cut = size ? std::min(size, data[0] * kBase64LineBytes) : 0;
    char* end = EncodeBase64Lines(data, cut, &text[0]);
    end = EncodeBase64Lines(data + cut, size - cut, end);
    Check(end == text.data() + text.size());
    Check(Decode(text) == std::string(reinterpret_cast<const char*>(data), size));
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t crlf = text.find("\r\n", at);
        Check(crlf != std::string::npos && crlf - at <= 76);
        Check(crlf - at == 76 || crlf + 2 == text.size());
        at = crlf + 2;
    }
    return 0;
}
