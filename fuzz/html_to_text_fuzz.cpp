// HtmlToText over arbitrary bytes, links on and off, and GetHrefTarget on the
// same bytes taken as one tag. Every run must end, and the text can only grow
// by what the tag table allows: 44 characters for a 4-character "<hr>", one
// target per "</a>" with links on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "main/bar/core/HtmlToText.h"

using namespace bar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string html(reinterpret_cast<const char*>(data), size);

    const std::string plain = HtmlToText(html, false);
    if (plain.size() > 11 * size + 44) std::abort();

    std::size_t closings = 0;
    for (std::size_t at = html.find("</"); at != std::string::npos; at = html.find("</", at + 2)) ++closings;
    const std::string linked = HtmlToText(html, true);
    if (linked.size() > 11 * size + 44 + closings * (size + 3)) std::abort();

    const std::string target = GetHrefTarget(html);
    if (target.size() > size) std::abort();
    return 0;
}
