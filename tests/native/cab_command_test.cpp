// The cabinet stand-in's command line: the form the split library builds and
// the malformed ones it must refuse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "standins/cab32/core/CabCommandLine.h"

using namespace cabinet;

namespace {

TEST(ParseCabCommand, TakesTheSplitLibrarysCommand) {
    std::string error;
    const auto command = ParseCabCommand("-a -ml:21 -v:1440 \"C:\\Data\\movie\" \"C:\\Data\\movie.avi\"", error);
    ASSERT_TRUE(command.has_value()) << error;
    EXPECT_TRUE(command->add);
    EXPECT_EQ(command->method, CabMethod::Lzx);
    EXPECT_EQ(command->lzxWindow, 21);
    EXPECT_EQ(command->volumeKB, 1440u);
    EXPECT_EQ(command->setName, "C:\\Data\\movie");
    EXPECT_EQ(command->files, std::vector<std::string>{"C:\\Data\\movie.avi"});
}

TEST(ParseCabCommand, KeepsBlanksInsideQuotes) {
    std::string error;
    const auto command = ParseCabCommand("-a -mz \"C:\\My Files\\a b\" C:\\x.txt \"C:\\y z.txt\"", error);
    ASSERT_TRUE(command.has_value()) << error;
    EXPECT_EQ(command->method, CabMethod::MsZip);
    EXPECT_EQ(command->volumeKB, 0u);
    EXPECT_EQ(command->setName, "C:\\My Files\\a b");
    EXPECT_EQ(command->files, (std::vector<std::string>{"C:\\x.txt", "C:\\y z.txt"}));
}

TEST(ParseCabCommand, RefusesMalformedLines) {
    const std::vector<std::string> bad = {
        "",
        "-a",
        "-a \"base\"",
        "\"base\" \"file\"",                   // no -a
        "-a -v:0 base file",                   // no empty volumes
        "-a -v:99999999999999 base file",      // too many digits
        "-a -v:4194304 base file",             // past 32-bit sizes
        "-a -v:12x base file",
        "-a -ml:22 base file",
        "-a -ml:14 base file",
        "-a -ml: base file",
        "-a -q base file",
        "-a \"base file",                      // unterminated quote
        "-a \"\" file",                        // empty set name
    };
    for (const std::string& line : bad) {
        std::string error;
        EXPECT_FALSE(ParseCabCommand(line, error).has_value()) << line;
        EXPECT_FALSE(error.empty()) << line;
    }
}

}  // namespace
