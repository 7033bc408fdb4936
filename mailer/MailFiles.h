// The files of one run: the source's Base64 text in a file of its own, and
// the message around that text. A file that cannot be read or written raises
// EFOpenError or EFCreateError naming it, so the run ends before anything is
// deleted.
#pragma once
#include <cstdint>
#include <string>

namespace mailer {

// The Base64 text of the whole file `source`, written to `destination`
// (replaced); returns the number of characters written.
std::uint64_t EncodeFileBase64(const std::string& source, const std::string& destination);

// Writes `message`: `head`, every line of the text file `body`, and the
// closing delimiter.
void WriteMessage(const std::string& message, const std::string& head, const std::string& body);

}  // namespace mailer
