// The archivers' command lines: the strings the archive library sends, read
// back field by field, and the malformed ones refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "standins/archive/core/ArchiverCommands.h"

using namespace archivers;

namespace {

std::vector<std::string> Texts(const std::vector<CommandToken>& tokens) {
    std::vector<std::string> texts;
    for (const CommandToken& t : tokens) texts.push_back(t.text + (t.quoted ? "|q" : ""));
    return texts;
}

TEST(TokenizeCommand, QuotesToggleAndBackslashesStayPlain) {
    const struct {
        const char* line;
        std::vector<std::string> tokens;
    } cases[] = {
        {"u -c  \"C:\\data\\\" \"\" \"@C:\\T\\~HV1.tmp\"", {"u", "-c", "C:\\data\\|q", "|q", "@C:\\T\\~HV1.tmp|q"}},
        {"\t-o C:\\My\" \"Docs\\ x", {"-o", "C:\\My Docs\\|q", "x"}},
        {"\"unterminated end", {"unterminated end|q"}},
        {"   ", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(Texts(TokenizeCommand(c.line)), c.tokens) << c.line;
}

TEST(ParseResponseList, OneNameALineBlankLinesSkipped) {
    EXPECT_EQ(ParseResponseList("a.txt\r\nsub dir\\*.*\n\r\n-x\nlast"),
              (std::vector<std::string>{"a.txt", "sub dir\\*.*", "-x", "last"}));
    EXPECT_EQ(ParseResponseList(std::string("good\nbad\0name\n", 14)), std::vector<std::string>{"good"});
}

TEST(ParseUnlhaCommand, ReadsTheLibrarysCommands) {
    std::string error;
    auto c = ParseUnlhaCommand("u -c  -a1 -gn2 -jp1 -+ -rx -jm2 \"C:\\data\\report\" \"C:\\data\\\" \"@C:\\T\\~HV1.tmp\"",
                               error);
    ASSERT_TRUE(c) << error;
    EXPECT_EQ(c->command, 'u');
    EXPECT_FALSE(c->timeCheck);
    EXPECT_TRUE(c->keepPaths && c->recurse);
    EXPECT_EQ(c->method, LzhMethod::Lh5);
    EXPECT_EQ(c->archive, "C:\\data\\report");
    EXPECT_EQ(c->folder, "C:\\data\\");
    ASSERT_EQ(c->names.size(), 1u);
    EXPECT_TRUE(c->names[0].list);
    EXPECT_EQ(c->names[0].text, "C:\\T\\~HV1.tmp");

    c = ParseUnlhaCommand("m  -ji  -a1 -gn2 -jp1 -+ -rx -jm4 -h1 \"C:\\r\" \"\" \"@l\"", error);
    ASSERT_TRUE(c) << error;
    EXPECT_TRUE(c->shortNames);
    EXPECT_EQ(c->method, LzhMethod::Lh7);
    EXPECT_EQ(c->headerLevel, 1);
    EXPECT_EQ(c->folder, "");

    c = ParseUnlhaCommand("e -xc0m1 -gn2 -jp1 -+ \"C:\\in\\pack.lzh\" \"C:\\in\\\" \"@m.txt\"", error);
    ASSERT_TRUE(c) << error;
    EXPECT_TRUE(c->timeCheck && c->keepPaths);
    c = ParseUnlhaCommand("e -cm0 \"C:\\in\\pack.lzh\" \"C:\\in\\\"", error);
    ASSERT_TRUE(c) << error;
    EXPECT_FALSE(c->timeCheck || c->keepPaths);
    c = ParseUnlhaCommand("s -gw -x1 \"C:\\data\\report.lzh\" \"C:\\data\\\" ", error);
    ASSERT_TRUE(c) << error;
    EXPECT_EQ(c->command, 's');
    EXPECT_TRUE(c->names.empty());
}

TEST(ParseTarCommand, ReadsTheLibrarysCommands) {
    const struct {
        const char* line;
        bool create;
        int gzip;
        bool useDirectory;
        const char* archive;
        const char* folder;
    } cases[] = {
        {"-cf \"C:\\d\\r.tar\" -o C:\\d\\ @C:\\T\\l.tmp", true, -1, true, "C:\\d\\r.tar", "C:\\d\\"},
        {"-cz9 -f \"C:\\d\\r.tgz\" -o \"C:\\My d\\\" \"@C:\\T l.tmp\"", true, 9, true, "C:\\d\\r.tgz", "C:\\My d\\"},
        {"--use-directory=0 -cz1 -f \"r.tgz\" @l", true, 1, false, "r.tgz", ""},
        {"-xvf \"C:\\in\\data.tgz\" -o \"C:\\in\\\"", false, -1, true, "C:\\in\\data.tgz", "C:\\in\\"},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto t = ParseTarCommand(c.line, error);
        ASSERT_TRUE(t) << c.line << ": " << error;
        EXPECT_EQ(t->create, c.create) << c.line;
        EXPECT_EQ(t->gzipLevel, c.gzip) << c.line;
        EXPECT_EQ(t->useDirectory, c.useDirectory) << c.line;
        EXPECT_EQ(t->archive, c.archive) << c.line;
        EXPECT_EQ(t->folder, c.folder) << c.line;
    }
}

TEST(ParseUnzipAndZip, ReadTheLibrarysCommands) {
    std::string error;
    const auto u = ParseUnzipCommand("-u -j \"C:\\in\\data.Zip\" \"C:\\in\\\" \"@C:\\in\\m.txt\"", error);
    ASSERT_TRUE(u) << error;
    EXPECT_TRUE(u->onlyNewer);
    EXPECT_FALSE(u->keepPaths);
    EXPECT_EQ(u->folder, "C:\\in\\");
    ASSERT_EQ(u->names.size(), 1u);
    EXPECT_TRUE(u->names[0].list);

    const auto z = ParseZipCommand({"-r", "-j", "C:\\data\\report", "C:\\data\\report.txt", "C:\\data\\sub\\*.*"}, error);
    ASSERT_TRUE(z) << error;
    EXPECT_TRUE(z->recurse && z->junkPaths);
    EXPECT_EQ(z->level, 6);
    EXPECT_EQ(z->archive, "C:\\data\\report");
    EXPECT_EQ(z->files.size(), 2u);
}

TEST(ArchiverCommands, RefuseWhatIsOutsideTheGrammar) {
    const char* unlha[] = {"", "x a.lzh", "\"u\" a.lzh f", "u a.lzh", "u -q a.lzh f", "u -jm1 a.lzh f",
                           "u -h3 a.lzh f", "u -c7 a.lzh f", "e", "e @list", "u a.lzh \"\" @"};
    const char* tar[] = {"", "-f a.tar x", "-cx -f a.tar b", "-c -f a.tar", "-cf", "-cf a.tar -o @list x",
                         "-cf a.tar -o", "-cq -f a.tar b", "--use-directory=2 -cf a.tar b"};
    const char* unzip[] = {"", "-x", "-x -u a.zip d\\", "a.zip d\\", "-xq a.zip", "-x @list"};
    std::string error;
    for (const char* line : unlha) EXPECT_FALSE(ParseUnlhaCommand(line, error)) << line;
    for (const char* line : tar) EXPECT_FALSE(ParseTarCommand(line, error)) << line;
    for (const char* line : unzip) EXPECT_FALSE(ParseUnzipCommand(line, error)) << line;
    EXPECT_FALSE(ParseZipCommand({"-r", "a.zip"}, error));
    EXPECT_FALSE(ParseZipCommand({"-k", "a.zip", "b"}, error));
    EXPECT_FALSE(ParseZipCommand({"a.zip", "-"}, error));
}

}  // namespace
