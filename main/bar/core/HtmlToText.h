// Readable plain text from the first bytes of a web page, for info tips.
//
// Text is 8-bit ANSI and positions are 1-based. Every routine accepts any
// byte sequence: unclosed tags, entities and blocks end at the end of the text.
#pragma once
#include <cstddef>
#include <string>

namespace bar {

// The page as plain text. With links on, an anchor reads "[", its text, a
// blank, the target and " ]".
std::string HtmlToText(const std::string& html, bool links);

// The token that starts at 1-based position pos: an entity ("&" up to and
// including ";", ending early before a CR, blank, "&" or "<"), a tag ("<" up
// to and including ">"), or a text run up to the next "&" or "<". A position
// outside the text gives "".
std::string NextHtmlToken(const std::string& text, std::size_t pos);

// The text one token stands for. `preformatted` and `linkTarget` carry the
// state of one conversion run from token to token.
std::string HtmlTokenToText(const std::string& token, bool& preformatted, std::string& linkTarget,
                            bool links);

// The double-quoted HREF target of an anchor tag; "" for any other tag, for
// a target starting with "#" or "javascript:", and when another quoted
// attribute comes before HREF.
std::string GetHrefTarget(const std::string& tag);

// 1-based position of the n-th occurrence of c in text; length + 1 when
// there are fewer (or n is below 1).
std::size_t NthCharPos(char c, const std::string& text, int n);

// The text n times ("" for n below 1).
std::string RepeatString(const std::string& text, int n);

// Every occurrence of pattern, found without regard to ASCII case, replaced.
// An empty pattern leaves the text as it is.
std::string ReplaceAllText(const std::string& text, const std::string& pattern,
                           const std::string& replacement);

}  // namespace bar
