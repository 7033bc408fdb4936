#include "main/bar/core/HtmlToText.h"

#include <string_view>

#include "framework/core/StrUtils.h"

namespace bar {

// Code page 932: every byte this unit looks for ("<", ">", "&", ";", CR, the
// blank, the double quote) lies below 0x40, where no trail byte of a
// double-byte character can fall, so byte scans never stop inside one. Case
// folding is ASCII-only and used only for comparisons; the text that reaches
// the output keeps its bytes.

namespace {

const char kCrLf[] = "\r\n";

// Whether text holds `lowerPattern` at 0-based index i, ignoring ASCII case.
bool HasAtLower(const std::string& text, std::size_t i, std::string_view lowerPattern) {
    if (i > text.size() || text.size() - i < lowerPattern.size()) return false;
    for (std::size_t k = 0; k < lowerPattern.size(); ++k) {
        char c = text[i + k];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lowerPattern[k]) return false;
    }
    return true;
}

bool StartsWith(const std::string& text, std::string_view prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string EntityText(const std::string& lowerEntity) {
    static const struct {
        const char* entity;
        const char* text;
    } kEntities[] = {
        {"&nbsp;", " "},  {"&quot;", "\""}, {"&gt;", ">"},      {"&lt;", "<"},    {"&middot;", "."},
        {"&trade;", " TM "}, {"&copy;", "(c)"}, {"&amp;", "&"}, {"&amp", "&"},
    };
    for (const auto& e : kEntities)
        if (lowerEntity == e.entity) return e.text;
    return std::string();
}

std::string TagText(const std::string& tag, bool& preformatted, std::string& linkTarget, bool links) {
    const std::string lower = LowerCaseAscii(tag);
    if (lower == "<br>") return kCrLf;
    if (StartsWith(lower, "<pre")) {
        preformatted = true;
        return kCrLf;
    }
    if (StartsWith(lower, "<p")) return std::string(kCrLf) + kCrLf;
    if (StartsWith(lower, "<hr")) return kCrLf + RepeatString("-", 40) + kCrLf;
    if (StartsWith(lower, "<ol")) return kCrLf;
    if (StartsWith(lower, "<ul")) return kCrLf;
    if (StartsWith(lower, "<li")) return ".";
    if (StartsWith(lower, "</li")) return kCrLf;
    if (StartsWith(lower, "</tr")) return kCrLf;
    if (lower == "</td>") return "\t";
    if (lower == "<title>") return "<<";
    if (lower == "</title>") return std::string(">>") + kCrLf + kCrLf;
    if (lower == "</pre>") {
        preformatted = false;
        return std::string();
    }
    if (StartsWith(lower, "<table")) return kCrLf;
    if (links && lower.size() >= 2 && lower[1] == 'a') {
        linkTarget = GetHrefTarget(tag);
        return linkTarget.empty() ? std::string() : "[";
    }
    // The target stays set, so a stray second "</a>" repeats it.
    if (links && lower == "</a>" && !linkTarget.empty()) return " " + linkTarget + " ]";
    return std::string();
}

// Moves from the last character of a "<script" tag (0-based i) to the
// "</script>" that closes the block, or to the last character of the text.
// A "</script>" inside a double-quoted string still ends the block; a "<" or
// "</" that is not one does not. Returns the 0-based stop index, which is
// past the end when a comment closes on the last character.
std::size_t SkipScript(const std::string& html, std::size_t i) {
    const std::size_t last = html.size() - 1;
    bool quoted = false;
    while (i < last) {
        const char c = html[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && html.compare(i, 4, "<!--") == 0) {
            const std::size_t close = html.find("-->", i + 4);
            if (close == std::string::npos) return last;
            i = close + 3;
            continue;
        } else if (HasAtLower(html, i, "</script>")) {
            break;
        }
        ++i;
    }
    return i;
}

}  // namespace

std::string NextHtmlToken(const std::string& text, std::size_t pos) {
    // A script comment that closes on the last character leaves the caller
    // one past the end; an empty token there ends its loop.
    if (pos < 1 || pos > text.size()) return std::string();
    const std::size_t start = pos - 1;
    std::size_t end = start + 1;
    switch (text[start]) {
    case '&':
        while (end < text.size()) {
            const char c = text[end];
            if (c == ';') {
                ++end;
                break;
            }
            if (c == '\r' || c == ' ' || c == '&' || c == '<') break;
            ++end;
        }
        break;
    case '<': {
        const std::size_t close = text.find('>', end);
        end = close == std::string::npos ? text.size() : close + 1;
        break;
    }
    default: {
        const std::size_t next = text.find_first_of("&<", end);
        end = next == std::string::npos ? text.size() : next;
        break;
    }
    }
    return text.substr(start, end - start);
}

std::string HtmlTokenToText(const std::string& token, bool& preformatted, std::string& linkTarget,
                            bool links) {
    if (token.empty()) return std::string();
    if (token[0] == '&') return EntityText(LowerCaseAscii(token));
    if (token[0] == '<') return TagText(token, preformatted, linkTarget, links);
    // Outside preformatted text the page's own line breaks are layout, not
    // content; lone CR or LF characters are left alone.
    return preformatted ? token : ReplaceAllText(token, kCrLf, "");
}

std::string HtmlToText(const std::string& html, bool links) {
    std::string output;
    bool preformatted = false;
    std::string linkTarget;
    std::size_t p = 1;
    while (p <= html.size()) {
        std::string token = NextHtmlToken(html, p);
        if (HasAtLower(token, 0, "<style")) {
            p += token.size();
            while (p <= html.size()) {
                const std::string skipped = NextHtmlToken(html, p);
                p += skipped.size();
                if (LowerCaseAscii(skipped) == "</style>") break;
            }
            token = NextHtmlToken(html, p);
        }
        if (HasAtLower(token, 0, "<script")) p = SkipScript(html, p - 1 + token.size() - 1) + 1;
        token = NextHtmlToken(html, p);
        p += token.size();
        output += HtmlTokenToText(token, preformatted, linkTarget, links);
    }
    return output;
}

std::string GetHrefTarget(const std::string& tag) {
    const std::size_t open = tag.find('<');
    if (open == std::string::npos) return std::string();
    std::string s = Trim(tag.substr(open + 1));
    const std::size_t close = s.find('>');
    if (close == std::string::npos) return std::string();
    s.erase(close);
    if (s.size() < 2 || (s[0] != 'a' && s[0] != 'A') || s[1] != ' ') return std::string();
    const std::size_t href = UpperCaseAscii(s).find("HREF");
    if (href == std::string::npos) return std::string();
    const std::size_t q1 = NthCharPos('"', s, 1);
    const std::size_t q2 = NthCharPos('"', s, 2);
    // Without a quote q1 is one past the end, and so is the character after
    // a quote that ends the tag: neither may be read.
    if (q1 > s.size() || q1 < href + 1) return std::string();
    if (q1 < s.size() && s[q1] == '#') return std::string();
    if (s.compare(q1, 11, "javascript:") == 0) return std::string();
    return s.substr(q1, q2 - q1 - 1);
}

std::size_t NthCharPos(char c, const std::string& text, int n) {
    if (n >= 1) {
        int seen = 0;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == c && ++seen == n) return i + 1;
    }
    return text.size() + 1;
}

std::string RepeatString(const std::string& text, int n) {
    std::string result;
    for (int i = 0; i < n; ++i) result += text;
    return result;
}

std::string ReplaceAllText(const std::string& text, const std::string& pattern,
                           const std::string& replacement) {
    // An empty pattern would match everywhere without consuming anything.
    if (pattern.empty()) return text;
    const std::string lowerPattern = LowerCaseAscii(pattern);
    std::string result;
    std::size_t i = 0;
    while (i < text.size()) {
        if (HasAtLower(text, i, lowerPattern)) {
            result += replacement;
            i += pattern.size();
        } else {
            result += text[i++];
        }
    }
    return result;
}

}  // namespace bar
