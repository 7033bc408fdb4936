// Base64 text as mail carries it: the alphabet of RFC 2045 in lines of 76
// characters (57 bytes of input each), every line ending CR LF, only the last
// one shorter.
#pragma once
#include <cstddef>

namespace mailer {

constexpr std::size_t kBase64LineBytes = 57;

// Characters EncodeBase64Lines writes for `size` bytes.
std::size_t Base64LinesSize(std::size_t size);

// Writes the text of `size` bytes to `out`, which has room for
// Base64LinesSize(size) characters, and returns the end of what it wrote.
// Input cut into pieces of whole lines (multiples of kBase64LineBytes)
// encodes piece by piece to the same text, so a large file need not have
// its whole text in memory at once.
char* EncodeBase64Lines(const unsigned char* data, std::size_t size, char* out);

}  // namespace mailer
