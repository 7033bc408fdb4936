// The options dialog's rules: list-length boxes, texture index, start-up command.
#include <gtest/gtest.h>

#include "main/bar/core/OptionRules.h"

using namespace bar;

namespace {

TEST(OptionRules, ListLengthTextIsClampedAndNonNumbersCountAsTheLowerBound) {
    const struct {
        const char* text;
        int length;
    } cases[] = {{"10", 10}, {" 20 ", 20}, {"21", 20}, {"2", 3}, {"-5", 3}, {"", 3}, {"abc", 3}, {"9x", 3}};
    for (const auto& c : cases) EXPECT_EQ(ListLengthFromText(c.text), c.length) << c.text;
}

TEST(OptionRules, OnlyTheFivePicturesAreTextures) {
    for (int i : {-1, 5, 100}) EXPECT_FALSE(IsTextureIndex(i)) << i;
    for (int i : {0, 4}) EXPECT_TRUE(IsTextureIndex(i)) << i;
    EXPECT_STREQ(kTextureNames[4], "Wood");
}

// An unquoted path with a blank lets the system run "C:\Program.exe" first.
TEST(OptionRules, RunValueQuotesAPathWithABlankAndIsEmptyWhenOff) {
    EXPECT_EQ(RunValueText("C:\\Mivora\\Mivora.exe", true), "C:\\Mivora\\Mivora.exe");
    EXPECT_EQ(RunValueText("C:\\Program Files\\Mivora\\Mivora.exe", true), "\"C:\\Program Files\\Mivora\\Mivora.exe\"");
    EXPECT_EQ(RunValueText("C:\\Program Files\\Mivora\\Mivora.exe", false), "");
}

}  // namespace
