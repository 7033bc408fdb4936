#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "main/bar/core/HtmlToText.h"

using namespace bar;

namespace {

const std::string kCrLf = "\r\n";
const std::string kRule = "\r\n" + std::string(40, '-') + "\r\n";

std::string ReadPage(const std::string& name) {
    std::ifstream in(std::string(MIVORA_TEST_DATA) + "/infotip/html/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Conversion {
    const char* what;
    std::string html;
    bool links;
    std::string text;
};

void ExpectConversions(const std::vector<Conversion>& cases) {
    for (const Conversion& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(HtmlToText(c.html, c.links), c.text);
    }
}

TEST(HtmlToText, Entities) {
    ExpectConversions({
        {"nbsp between letters", "a&nbsp;b", false, "a b"},
        {"lone ampersand before a blank is dropped, the blank stays", "a & b", false, "a  b"},
        {"upper-case entity", "&AMP;", false, "&"},
        {"amp without semicolon", "x&amp y", false, "x& y"},
        {"amp without semicolon at the end", "x&amp", false, "x&"},
        {"the whole table", "&quot;&gt;&lt;&middot;&trade;&copy;&nbsp;&amp;", false, "\"><. TM (c) &"},
        {"unknown entity gives nothing", "a&eacute;b", false, "ab"},
        {"only amp has a form without semicolon", "&lt &gt", false, " "},
        {"an entity stops before a tag", "&a<b>c", false, "c"},
        {"an entity stops before another ampersand", "&&amp;", false, "&"},
        {"a CR ends an entity, the CR LF then is layout", "&nbsp\r\n;x", false, ";x"},
        {"a LF does not end an entity", "&nbsp\n;x", false, "x"},
        {"bare ampersand at the end", "tail&", false, "tail"},
    });
}

TEST(HtmlToText, Tags) {
    ExpectConversions({
        {"title then paragraph", "<title>Doc</title><p>Text", false,
         "<<Doc>>" + kCrLf + kCrLf + kCrLf + kCrLf + "Text"},
        {"br between words", "one<br>two", false, "one\r\ntwo"},
        {"upper-case br", "one<BR>two", false, "one\r\ntwo"},
        {"br with a slash is no whole <br>", "one<br/>two", false, "onetwo"},
        {"horizontal rule", "<hr size=1>", false, kRule},
        {"lists", "<ol><ul><li>x</li><LI>y", false, "\r\n\r\n.x\r\n.y"},
        {"table cells and rows", "<table><tr><td>a</td><td>b</td></tr></table>", false, "\r\na\tb\t\r\n"},
        {"attributes on td make it no whole </td>", "a</td >b", false, "ab"},
        {"<p matches any tag starting so", "<param name=x>", false, "\r\n\r\n"},
        {"<li matches <link", "<link rel=x>", false, "."},
        {"title with attributes is no whole <title>", "<title id=t>T</title>", false,
         "T>>\r\n\r\n"},
        {"unknown tags give nothing", "<b>bold</b><font x>", false, "bold"},
        {"an unclosed tag runs to the end", "text<b class=", false, "text"},
        {"a lone < at the end", "x<", false, "x"},
        {"a > alone is text", "a>b", false, "a>b"},
    });
}

TEST(HtmlToText, LineBreaksAndPreformattedText) {
    ExpectConversions({
        {"CR LF joins lines without a blank", "line1\r\nline2", false, "line1line2"},
        {"lone CR and LF stay", "a\rb\nc", false, "a\rb\nc"},
        {"several CR LF", "a\r\n\r\nb", false, "ab"},
        {"inside pre the break stays", "<pre>a\r\nb</pre>c\r\nd", false, "\r\na\r\nbcd"},
        {"pre with attributes", "<PRE class=x>a\r\nb", false, "\r\na\r\nb"},
        {"</pre> with a blank does not end it", "<pre>a\r\n</pre >b\r\nc", false, "\r\na\r\nb\r\nc"},
    });
}

TEST(HtmlToText, StyleAndScriptBlocks) {
    ExpectConversions({
        {"style block", "a<style>p { x: \"<b>\" }</style>b", false, "ab"},
        {"style in any case", "<STYLE type=\"text/css\">x</Style>b", false, "b"},
        {"unclosed style hides the rest", "a<style>abc<p>", false, "a"},
        {"the closing tag must be exact", "<style>a</style ><p>b", false, ""},
        {"a script right after a style", "<style></style><script>x</script>y", false, "y"},
        {"the token after a style block is not tested for style again",
         "<style>a</style><style>b</style>c", false, "bc"},
        {"script block", "a<script>if (x < y) go();</script>b", false, "ab"},
        {"a quoted < or </ inside a script", "a<script>s = \"</b>\" + \"<\";</script>b", false, "ab"},
        {"a quoted </script> still ends the script", "<script>s=\"</script>\";</script>z", false, "\";z"},
        {"a comment hides a </script>", "<script><!-- </script> -->y</script>z", false, "z"},
        {"no comment inside quotes", "<script>\"<!-- \"</script>b", false, "b"},
        {"script tag in upper case", "<SCRIPT LANGUAGE=\"JavaScript\">a</SCRIPT>b", false, "b"},
        {"an unclosed script emits its last character", "<script>abc", false, "c"},
        {"a script tag ending the text emits its >", "x<script>", false, "x>"},
        {"an unclosed script tag emits its last character", "x<script src=a", false, "xa"},
        {"an unclosed comment ends the scan on the last character", "<script><!-- abc", false, "c"},
        {"a comment closing on the last character ends everything", "<script>a<!-- x -->", false, ""},
        {"a comment closing just before the last character", "<script><!-- x -->q", false, "q"},
    });
}

TEST(HtmlToText, Links) {
    ExpectConversions({
        {"anchor with links on", "<a href=\"http://x/\">Home</a>", true, "[Home http://x/ ]"},
        {"anchor with links off", "<a href=\"http://x/\">Home</a>", false, "Home"},
        {"fragment target", "<a href=\"#top\">Home</a>", true, "Home"},
        {"script target", "<a href=\"javascript:void(0)\">Home</a>", true, "Home"},
        {"another quoted attribute before HREF", "<a class=\"c\" href=\"x\">Home</a>", true, "Home"},
        {"upper-case anchor", "<A HREF=\"x.htm\">Home</A>", true, "[Home x.htm ]"},
        {"a second </a> repeats the target", "<a href=\"x\">A</a>B</a>", true, "[A x ]B x ]"},
        {"<abbr> clears the target", "<a href=\"x\">A</a><abbr>t</abbr></a>", true, "[A x ]t"},
        {"unquoted target", "<a href=x>Home</a>", true, "Home"},
        {"target without closing quote", "<a href=\"abc>t</a>", true, "[t abc ]"},
        {"anchor without HREF", "<a name=\"n\">t</a>", true, "t"},
    });
}

TEST(HtmlToText, KeepsDoubleByteCharactersAsTheyAre) {
    // Code page 932: "ア" is 0x83 0x41 (an ASCII letter as trail byte), "表"
    // 0x95 0x5C; neither may be case-folded or split.
    ExpectConversions({
        {"trail bytes that look like ASCII", "<b>\x83\x41\x95\x5C</b>", false, "\x83\x41\x95\x5C"},
        {"in a title", "<title>\x83\x41</title>", false, "<<\x83\x41>>\r\n\r\n"},
        {"in a link target", "<a href=\"\x83\x41.htm\">\x95\x5C</a>", true, "[\x95\x5C \x83\x41.htm ]"},
    });
}

struct TokenCase {
    std::string text;
    std::size_t pos;
    std::string token;
};

TEST(NextHtmlToken, SplitsEntitiesTagsAndRuns) {
    const std::vector<TokenCase> cases = {
        {"ab&c;d", 1, "ab"},  {"ab&c;d", 2, "b"},      {"ab&c;d", 3, "&c;"},   {"ab&c;d", 6, "d"},
        {"ab&c;d", 7, ""},    {"ab&c;d", 0, ""},       {"", 1, ""},            {"<b", 1, "<b"},
        {"<b>c", 1, "<b>"},   {"&a b", 1, "&a"},       {"&a\rb", 1, "&a"},     {"&a\nb", 1, "&a\nb"},
        {"&&", 1, "&"},       {"&<", 1, "&"},          {"&", 1, "&"},          {"a<b&c", 1, "a"},
        {"<a&b>", 1, "<a&b>"}, {"x>y", 1, "x>y"},
    };
    for (const TokenCase& c : cases) {
        SCOPED_TRACE("'" + c.text + "' at " + std::to_string(c.pos));
        EXPECT_EQ(NextHtmlToken(c.text, c.pos), c.token);
    }
}

struct HrefCase {
    std::string tag;
    std::string target;
};

TEST(GetHrefTarget, TakesOnlyADoubleQuotedHref) {
    const std::vector<HrefCase> cases = {
        {"<a href=\"x\">", "x"},
        {"<a href=\"\">", ""},
        {"<a href=\"", ""},             // no ">"
        {"<a href=\">", ""},            // the quote is the last character
        {"<a href=x>", ""},
        {"  <  a href=\"x\" >", "x"},
        {"<ab href=\"x\">", ""},
        {"<a\thref=\"x\">", ""},
        {"no tag", ""},
        {"<a href=\"javascript:go()\">", ""},
        {"<a href=\"JavaScript:go()\">", "JavaScript:go()"},  // the test is case-sensitive
        {"<a href=\"javascript\">", "javascript"},
        {"<a href=\"#x\">", ""},
        {"<a title=\"t\" href=\"x\">", ""},
        {"<a HREF=\"x\" title=\"y\">", "x"},
        {"<a href=\"a>b\">", "a"},          // the tag is cut at its first ">"
        {"<a href=\"x\" onclick=\"y\">", "x"},
    };
    for (const HrefCase& c : cases) {
        SCOPED_TRACE(c.tag);
        EXPECT_EQ(GetHrefTarget(c.tag), c.target);
    }
}

TEST(TextHelpers, NthCharPosRepeatStringReplaceAllText) {
    EXPECT_EQ(NthCharPos('"', "a\"b\"c", 1), 2u);
    EXPECT_EQ(NthCharPos('"', "a\"b\"c", 2), 4u);
    EXPECT_EQ(NthCharPos('"', "a\"b\"c", 3), 6u);
    EXPECT_EQ(NthCharPos('"', "a\"b\"c", 0), 6u);
    EXPECT_EQ(NthCharPos('x', "", 1), 1u);

    EXPECT_EQ(RepeatString("-", 40), std::string(40, '-'));
    EXPECT_EQ(RepeatString("ab", 3), "ababab");
    EXPECT_EQ(RepeatString("x", 0), "");
    EXPECT_EQ(RepeatString("x", -1), "");

    const struct {
        std::string text, pattern, replacement, result;
    } replacements[] = {
        {"a\r\nb\r\n", "\r\n", "", "ab"},
        {"Hello HELLO hello", "hello", "x", "x x x"},
        {"abc", "", "x", "abc"},  // an empty pattern must not loop forever
        {"aaa", "aa", "b", "ba"},
        {"abc", "abcd", "x", "abc"},
        {"a.b", ".", "..", "a..b"},  // a replacement is not searched again
    };
    for (const auto& r : replacements) EXPECT_EQ(ReplaceAllText(r.text, r.pattern, r.replacement), r.result);
}

// The first 768 bytes of pages that Debian packages ship, cut wherever the
// 768th byte falls, as the tips read them.
TEST(HtmlToText, PagesCutAtTheTipLength) {
    const struct {
        const char* page;
        std::string text;
    } pages[] = {
        // Tags spread over lines: "<TITLE\n>" is no whole "<title>". "&copy;",
        // and a cut inside the attributes of a "<P".
        {"base-passwd.html",
         "\nUsers and Groups in the Debian SystemUsers and Groups in the Debian System"
         "Joey HessColin WatsonDavid Mandelberg\r\n\r\nCopyright (c) 2001, 2002 Joey Hess\r\n\r\n"},
        // A title, a comment, then plain running text cut mid-word.
        {"zlib-how.html",
         "\n\n\n\n<<zlib Usage Example>>\r\n\r\n\n\n\n\n zlib Usage Example \n"
         "We often get questions about how the deflate() and inflate() functions should be used.\n"
         "Users wonder when they should provide more input, when they should use more output,\n"
         "what to do with a Z_BUF_ERROR, how to make sure the process terminates properly, and\n"
         "so on.  So for those who have read zlib.h (a few times), and\nwould like fu"},
        // A style block closed inside the cut, a title, a tag cut at "<".
        {"libxslt-extra.html", "\n\n<<Module extra from libxslt>>\r\n\r\n"},
        // CR LF lines: the unclosed style block hides the rest.
        {"libopencl.html", "<<libOpenCL(7)>>\r\n\r\n"},
        // Four "<link" tags; a closed script, then an unclosed one whose last
        // character comes through.
        {"nodejs-zlib.html",
         "\n\n\n  \n  \n  \n  <<Zlib | Node.js v20.20.2 Documentation>>\r\n\r\n"
         "\n  .\n  .\n  .\n  .\n  \n  c"},
        // "<link" counts as "<li"; four closed scripts vanish, the fifth is
        // cut inside its "</script" and gives its last character.
        {"python3-index.html",
         "\n\n\n\n  \n    \n    \n\n    <<Debian Python Policy 0.12.0.0 documentation>>\r\n\r\n"
         "\n    .\n    .\n    \n    \n    \n    \n    t"},
    };
    for (const auto& p : pages) {
        SCOPED_TRACE(p.page);
        const std::string html = ReadPage(p.page);
        ASSERT_EQ(html.size(), 768u);
        EXPECT_EQ(HtmlToText(html, false), p.text);
    }
}

}  // namespace
